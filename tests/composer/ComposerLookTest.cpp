// Both composer screens as drawn on a @2x and a @3x phone. The pixel checks
// catch a part drawn in the wrong place; with QY_LOOK_DIR set the screens are
// also written there as PNG files to look at.
#include "ComposerTest.h"

#include <cstdlib>
#include <fstream>

#include "ui/Keyboard.h"
#include "ui/Renderer.h"

using namespace ui;

class ComposerLookTest : public ComposerTest, public ::testing::WithParamInterface<const char*> {
protected:
    ImagePtr shoot(const std::string& name)
    {
        Application::shared().layoutIfNeeded();
        auto image = Renderer::snapshotScreen();
        if (const char* dir = std::getenv("QY_LOOK_DIR")) {
            auto png = image->pngData();
            std::ofstream(std::string(dir) + "/" + name + "-" + GetParam() + ".png", std::ios::binary)
                .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
        }
        return image;
    }
    static Color pixelAt(const Image& image, Point point)
    {
        const auto& px = image.pixels();
        const std::uint8_t* p = &px.pixels[size_t(point.y * image.scale()) * size_t(px.stride) + size_t(point.x * image.scale()) * 4];
        return Color::rgb(p[2], p[1], p[0], p[3] / 255.0);
    }
};

TEST_P(ComposerLookTest, PresetFormEmptyAndLifted)
{
    launch(GetParam());
    auto preset = openPreset(1);
    double w = Screen::main().size().width;
    auto shot = shoot("preset-empty");
    const Color grey = Color::rgb(230, 230, 230), white = Color::whiteColor(), green = Color::rgb(63, 184, 56);
    // Form coordinates are 64 points down the screen.
    EXPECT_EQ(pixelAt(*shot, { w / 2, 64 + 7 }), grey) << "gap above group 1";
    EXPECT_EQ(pixelAt(*shot, { 5, 64 + 15 + 55 }), white) << "group 1, its line inset 10";
    EXPECT_EQ(pixelAt(*shot, { w / 2, 64 + 15 + 55 }), grey) << "group 1's dividing line";
    EXPECT_EQ(pixelAt(*shot, { w / 2, 64 + 132 }), grey) << "gap between groups 1 and 2";
    EXPECT_EQ(pixelAt(*shot, { w - 3, 64 + 300 }), white) << "group 3";
    EXPECT_EQ(pixelAt(*shot, { 10, 64 + 415 }), green) << "start button";
    EXPECT_EQ(pixelAt(*shot, { 0.3, 64 + 405.3 }), grey) << "its rounded corner";

    // Typing the other nickname lifts the start button above the keyboard.
    tapView(preset->nickText());
    settle();
    shot = shoot("preset-editing");
    Rect start = preset->startBtn()->frameInScreen();
    EXPECT_LT(start.maxY(), Keyboard::shared().frame().y());
    EXPECT_EQ(pixelAt(*shot, { 10, start.y() + 10 }), green);
}

TEST_P(ComposerLookTest, ChatConversationInBothStyles)
{
    useMicrophone();
    auto photo = albumPhoto("photo.png", 400, 300);
    for (int type : { 1, 2 }) {
        std::string name = "chat-style" + std::to_string(type);
        launch(GetParam());
        openChat(type, [](QYChatViewController& screen) { screen.setUnReadNum(std::string("3")); });
        Size screen = Screen::main().size();
        auto shot = shoot(name + "-opening");
        // The hint strip a second into its fade, over the empty list's grey.
        EXPECT_LT(pixelAt(*shot, { 2, 64 + 2 }).red, 225 / 255.0);
        EXPECT_EQ(pixelAt(*shot, { screen.width / 2, 300 }), Color::rgb(235, 235, 235));

        send(u"在吗？");
        advance(120);
        chooseItem(0);
        send(u"在的[微笑]，刚下班。今天的会开得怎么样？说好的方案明天能发过来吗");
        holdToTalk(3.2);
        chooseItem(2);
        pickFromAlbum(photo);
        send(u"发错了");
        chooseFromRowMenu(4, "撤回");
        chat->toolBar()->endEditing(true);
        settle(6);
        ASSERT_EQ(rows().size(), 5u);
        shot = shoot(name);
        // The screen's grey beside the rows, the toolbar's strip at the bottom.
        EXPECT_EQ(pixelAt(*shot, { 3, 64 + 30 }), Color::rgb(235, 235, 235));
        EXPECT_EQ(pixelAt(*shot, { 2, screen.height - 3 }), Color::rgb(245, 245, 247));
    }
}

INSTANTIATE_TEST_SUITE_P(Phones, ComposerLookTest, ::testing::Values("iphone6", "iphone6plus"));
