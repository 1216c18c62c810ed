// A conversation of every kind the list draws, in both chat styles, on a @2x
// and a @3x phone, drawn and scrolled to its end. With QY_LOOK_DIR set the
// screens are written there as PNG files to look at.
#include "RenderFixtures.h"

#include <cstdlib>
#include <fstream>

#include "ui/Renderer.h"

using namespace fixtures;

class ConversationLookTest : public RingListTest, public ::testing::WithParamInterface<std::tuple<std::string, int>> {
protected:
    void write(const std::string& name)
    {
        auto image = ui::Renderer::snapshotScreen();
        ASSERT_TRUE(image);
        if (const char* dir = std::getenv("QY_LOOK_DIR")) {
            auto png = image->pngData();
            std::ofstream(std::string(dir) + "/" + name + ".png", std::ios::binary).write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
        }
    }
};

TEST_P(ConversationLookTest, LongConversationDrawsAndScrollsToTheEnd)
{
    auto [device, styleType] = GetParam();
    useDevice(device);
    ui::Image::clearCache();
    ui::Size screen = ui::Screen::main().size();
    window->setFrame({ 0, 0, screen.width, screen.height });
    window->setBackgroundColor(ui::Color::rgb(235, 235, 235));
    list->setFrame({ 0, 64, screen.width, screen.height - 64 });
    std::vector<std::shared_ptr<QYChatModel>> rows = {
        text("在吗？", false, true), text("在的[微笑]", true),
        text("周末一起去爬山吧，天气预报说周六是晴天，早上八点在地铁站见面怎么样？", false), voice(2.5, false), voice(7, true),
        picture(1000, 500, false), picture(500, 1000, true), notice(false, "小明"), text("OK", false, true), voice(60, false),
        picture(600, 600, true), notice(true, std::nullopt), message(QYChatModel::Reserved, false), text("好的，明天见！[呲牙]", true),
        redPacket("恭喜发财，大吉大利！", true, true), transfer("88", true, true, false), transfer("88", false, true, true),
        redPacket("周末快乐", false, false),
    };
    auto me = jpeg(120, 120), him = jpeg(90, 120);
    for (auto& row : rows) {
        row->setStyleType(styleType);
        row->setAvatar(row->isSend() ? me : him);
    }
    show(rows);
    std::string name = "conversation_" + device + "_style" + std::to_string(styleType);
    write(name + "_top");
    // On every screen width a bubble stands beside its avatar.
    for (auto& cell : list->visibleCells()) {
        if (auto ring = std::dynamic_pointer_cast<RIRingTabelViewCell>(cell)) {
            ui::Rect avatar = ring->headView()->frame(), bubble = ring->bubbleView()->frame();
            EXPECT_DOUBLE_EQ(ring->clock()->isSend() ? avatar.x() - bubble.maxX() : bubble.x() - avatar.maxX(), 7);
        }
    }
    list->scrollToRow(ui::IndexPath::forRow(int(rows.size()) - 1), ui::TableViewScrollPosition::Bottom, true);
    advance(1);
    ui::Application::shared().layoutIfNeeded();
    EXPECT_GT(list->contentOffset().y, 0);
    EXPECT_DOUBLE_EQ(list->contentOffset().y, list->maximumOffset().y);
    write(name + "_bottom");
}

INSTANTIATE_TEST_SUITE_P(Devices, ConversationLookTest,
    ::testing::Combine(::testing::Values(std::string("iphone6"), std::string("iphone6plus")), ::testing::Values(1, 2)));
