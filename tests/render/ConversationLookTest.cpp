// A long conversation of every kind the list draws, in both chat styles, on a
// @2x and a @3x phone. The checks catch rows that vanish or misplace; with
// QY_LOOK_DIR set the screens are also written there as PNG files to look at.
#include "RenderFixtures.h"

#include <cstdlib>
#include <fstream>

#include "render/RIImageBubbleView.h"
#include "render/RITextBubbleView.h"
#include "ui/Renderer.h"

using namespace fixtures;

namespace {

// A square avatar: a soft disc on a coloured ground.
coding::DataPtr avatar(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    const int size = 120;
    platform::PixelBuffer pixels;
    pixels.width = pixels.height = size;
    pixels.stride = size * 4;
    pixels.pixels.resize(size_t(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double dx = x - 60, dy = y - 50;
            bool face = dx * dx + dy * dy < 30 * 30 || (y > 88 && std::abs(dx) < 45);
            std::uint8_t* p = &pixels.pixels[size_t(y) * size_t(pixels.stride) + size_t(x) * 4];
            p[0] = face ? 240 : b;
            p[1] = face ? 240 : g;
            p[2] = face ? 240 : r;
            p[3] = 255;
        }
    }
    return coding::Data::make(ui::Image::fromPixels(std::move(pixels), 1)->jpegData(1.0));
}

// A landscape-ish photo: sky, sea and a sun, so scaling and cropping show.
coding::DataPtr photo(int width, int height)
{
    platform::PixelBuffer pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.stride = width * 4;
    pixels.pixels.resize(size_t(width) * size_t(height) * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &pixels.pixels[size_t(y) * size_t(pixels.stride) + size_t(x) * 4];
            double fy = double(y) / height, fx = double(x) / width;
            double sx = fx - 0.7, sy = fy - 0.3;
            bool sun = sx * sx + sy * sy < 0.01;
            bool sea = fy > 0.6;
            p[2] = std::uint8_t(sun ? 255 : sea ? 20 : 120 + 100 * fy);
            p[1] = std::uint8_t(sun ? 210 : sea ? 90 + 60 * fx : 170 + 60 * fy);
            p[0] = std::uint8_t(sun ? 60 : sea ? 160 : 235);
            p[3] = 255;
        }
    }
    return coding::Data::make(ui::Image::fromPixels(std::move(pixels), 1)->jpegData(1.0));
}

std::vector<std::shared_ptr<QYChatModel>> conversation(int styleType)
{
    auto me = avatar(90, 160, 230), him = avatar(230, 140, 70);
    std::vector<std::shared_ptr<QYChatModel>> rows;
    auto add = [&](std::shared_ptr<QYChatModel> m, bool showTime = false) {
        m->setStyleType(styleType);
        m->setIsShowDateTime(showTime);
        if (m->type() != QYChatModel::RecallNotice)
            m->setAvatar(m->isSend() ? me : him);
        rows.push_back(m);
    };
    add(text("在吗？", false), true);
    add(text("在的[微笑]", true));
    add(text("周末一起去爬山吧，天气预报说周六是晴天，早上八点在地铁站见面怎么样？", false));
    add(text("好呀[开心][开心] 我带相机", true));
    add(voice(2.5, false));
    add(voice(7, true));
    add(picture(0, 0, false));
    rows.back()->setImage(photo(1000, 500));
    add(picture(0, 0, true));
    rows.back()->setImage(photo(500, 1000));
    add(notice(false, "小明", styleType));
    add(text("OK", false), true);
    add(voice(60, false));
    add(voice(1.0, true));
    add(picture(0, 0, true));
    rows.back()->setImage(photo(600, 600));
    add(notice(true, std::nullopt, styleType));
    add(text("Long English words wrap at word boundaries inside the bubble, see?", true));
    add(message(QYChatModel::Reserved, false));
    add(text("[呲牙]", false));
    add(notice(false, std::nullopt, styleType));
    add(text("好的，明天见！", true));
    return rows;
}

} // namespace

class ConversationLookTest : public RingListTest, public ::testing::WithParamInterface<std::tuple<std::string, int>> {
protected:
    void SetUp() override
    {
        RingListTest::SetUp();
        useDevice(std::get<0>(GetParam()));
        ui::Image::clearCache();
        ui::Size screen = ui::Screen::main().size();
        window->setFrame({ 0, 0, screen.width, screen.height });
        window->setBackgroundColor(ui::Color::rgb(235, 235, 235));
        list->setFrame({ 0, 64, screen.width, screen.height - 64 });
        list->setBackgroundColor(ui::Color::clearColor());
    }
    void write(const std::string& name)
    {
        const char* dir = std::getenv("QY_LOOK_DIR");
        auto image = ui::Renderer::snapshotScreen();
        ASSERT_TRUE(image);
        EXPECT_EQ(image->pixelWidth(), int(ui::Screen::main().size().width * ui::Screen::main().scale()));
        if (!dir)
            return;
        auto png = image->pngData();
        std::ofstream(std::string(dir) + "/" + name + ".png", std::ios::binary).write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    }
};

TEST_P(ConversationLookTest, LongConversationRendersAndScrollsToTheEnd)
{
    auto [device, styleType] = GetParam();
    show(conversation(styleType));
    std::string name = "conversation_" + device + "_style" + std::to_string(styleType);
    write(name + "_top");
    // Every row on screen has its avatar beside its bubble, tail side facing it.
    for (auto& cell : list->visibleCells()) {
        auto ring = std::dynamic_pointer_cast<RIRingTabelViewCell>(cell);
        if (!ring || !ring->bubbleView())
            continue;
        ui::Rect avatar = ring->headView()->frame(), bubble = ring->bubbleView()->frame();
        if (ring->clock()->isSend())
            EXPECT_DOUBLE_EQ(avatar.x() - bubble.maxX(), 7);
        else
            EXPECT_DOUBLE_EQ(bubble.x() - avatar.maxX(), 7);
    }
    list->scrollToRow(ui::IndexPath::forRow(int(list->dataSour()->count()) - 1), ui::TableViewScrollPosition::Bottom, true);
    advance(1);
    ui::Application::shared().layoutIfNeeded();
    EXPECT_DOUBLE_EQ(list->contentOffset().y, list->maximumOffset().y);
    EXPECT_GT(list->contentOffset().y, 0);
    write(name + "_bottom");
}

INSTANTIATE_TEST_SUITE_P(Devices, ConversationLookTest,
    ::testing::Combine(::testing::Values(std::string("iphone6"), std::string("iphone6plus")), ::testing::Values(1, 2)),
    [](const auto& info) { return std::get<0>(info.param) + "_style" + std::to_string(std::get<1>(info.param)); });
