// A composed conversation in both styles on a @2x and a @3x phone. The checks
// catch a screen laid out in the wrong place; with QY_LOOK_DIR set the screens
// are also written there as PNG files to look at.
#include "ChatScreenTest.h"

#include <cstdlib>
#include <fstream>

#include "ui/Renderer.h"

using namespace ui;

class ChatLookTest : public ChatScreenTest, public ::testing::WithParamInterface<std::tuple<const char*, int>> {
protected:
    static void write(const Image& image, const std::string& name)
    {
        if (const char* dir = std::getenv("QY_LOOK_DIR")) {
            auto png = image.pngData();
            std::ofstream(std::string(dir) + "/" + name + ".png", std::ios::binary)
                .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
        }
    }
    static Color pixelAt(const Image& image, Point point)
    {
        const auto& px = image.pixels();
        const std::uint8_t* p = &px.pixels[std::size_t(point.y * image.scale()) * std::size_t(px.stride) + std::size_t(point.x * image.scale()) * 4];
        return Color::rgb(p[2], p[1], p[0], p[3] / 255.0);
    }
};

TEST_P(ChatLookTest, AComposedConversation)
{
    auto [device, type] = GetParam();
    std::string name = std::string("chat-") + device + "-style" + std::to_string(type);
    useMicrophone();
    albumPicture("photo.png", 400, 300);
    launch(device);
    open(type, [](QYChatViewController& c) { c.setUnReadNum(std::string("3")); });
    Size screen = Screen::main().size();
    auto opening = Renderer::snapshotScreen();
    write(*opening, name + "-opening");
    // The hint strip a second into its fade, over the empty list's grey.
    EXPECT_LT(pixelAt(*opening, { 2, 64 + 2 }).red, 225 / 255.0);
    EXPECT_EQ(pixelAt(*opening, { screen.width / 2, 300 }), Color::rgb(235, 235, 235));

    send(u"在吗？");
    advance(20);
    chooseItem(0);
    send(u"在的[微笑]，刚下班。今天的会开得怎么样？说好的方案明天能发过来吗");
    chooseItem(1);
    send(u"可以[OK]");
    holdToTalk(3.2);
    tapView(*chat->toolBar()->voiceButton());
    advance(120);
    chooseItem(0);
    chooseItem(2);
    settle();
    pickFromAlbum(0);
    send(u"发错了");
    chooseFromRowMenu(5, "撤回");
    chat->toolBar()->endEditing(true);
    advance(6);
    settle();
    ASSERT_EQ(rows().size(), 6u);

    auto image = Renderer::snapshotScreen();
    write(*image, name);
    EXPECT_EQ(image->pixelWidth(), int(screen.width * Screen::main().scale()));
    // The screen's grey beside the rows, the toolbar's strip at the bottom.
    EXPECT_EQ(pixelAt(*image, { 3, 64 + 30 }), Color::rgb(235, 235, 235));
    EXPECT_EQ(pixelAt(*image, { 2, screen.height - 3 }), Color::rgb(245, 245, 247));
}

INSTANTIATE_TEST_SUITE_P(DevicesAndStyles, ChatLookTest,
    ::testing::Combine(::testing::Values("iphone6", "iphone6plus"), ::testing::Values(1, 2)));
