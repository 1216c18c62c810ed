// The preset form as drawn, on a @2x and a @3x phone: empty, filled in, and
// lifted while a nickname is typed. The pixel checks catch a group, line or
// button drawn in the wrong place; with QY_LOOK_DIR set the screens are also
// written there as PNG files to look at.
#include "PresetTestSupport.h"

#include <cstdlib>
#include <fstream>

#include "ui/Renderer.h"

using namespace ui;

class PresetLookTest : public PresetTest, public ::testing::WithParamInterface<const char*> {
protected:
    ImagePtr write(const std::string& name)
    {
        Application::shared().layoutIfNeeded();
        auto image = Renderer::snapshotScreen();
        EXPECT_TRUE(image);
        const char* dir = std::getenv("QY_LOOK_DIR");
        if (image && dir) {
            auto png = image->pngData();
            std::ofstream(std::string(dir) + "/preset-" + GetParam() + "-" + name + ".png", std::ios::binary)
                .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
        }
        return image;
    }
    // The colour of one screen pixel at a point.
    static Color pixelAt(const Image& image, Point point)
    {
        const auto& px = image.pixels();
        int x = int(point.x * image.scale()), y = int(point.y * image.scale());
        const std::uint8_t* p = &px.pixels[size_t(y) * size_t(px.stride) + size_t(x) * 4];
        return Color::rgb(p[2], p[1], p[0], p[3] / 255.0);
    }
};

TEST_P(PresetLookTest, GroupsLinesAndButtonSitWhereTheFormPutsThem)
{
    launch(GetParam());
    auto preset = open(1);
    double w = Screen::main().size().width;
    auto shot = write("empty");
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->pixelWidth(), int(w * Screen::main().scale()));
    const Color grey = Color::rgb(230, 230, 230), white = Color::whiteColor();
    // Form coordinates are 64 points down the screen.
    EXPECT_EQ(pixelAt(*shot, { w / 2, 64 + 7 }), grey) << "gap above group 1";
    EXPECT_EQ(pixelAt(*shot, { 5, 64 + 15 + 5 }), white) << "group 1";
    EXPECT_EQ(pixelAt(*shot, { w / 2, 64 + 15 + 55 }), grey) << "group 1's dividing line";
    EXPECT_EQ(pixelAt(*shot, { 5, 64 + 15 + 55 }), white) << "the line is inset 10";
    EXPECT_EQ(pixelAt(*shot, { w / 2, 64 + 132 }), grey) << "gap between groups 1 and 2";
    EXPECT_EQ(pixelAt(*shot, { w - 3, 64 + 300 }), white) << "group 3";
    EXPECT_EQ(pixelAt(*shot, { w / 2, 64 + 397 }), grey) << "gap above the button";
    EXPECT_EQ(pixelAt(*shot, { 10, 64 + 415 }), Color::rgb(63, 184, 56)) << "start button";
    EXPECT_EQ(pixelAt(*shot, { 0.3, 64 + 405.3 }), grey) << "rounded corner";
    EXPECT_EQ(pixelAt(*shot, { w / 2, 64 + 470 }), grey) << "below the button";

    // Filled in: own name, a background picture and an unread count.
    typeInto(preset->meNick(), u"小红");
    typeInto(preset->nickText(), u"小明");
    typeInto(preset->unReadNum(), u"12");
    auto background = writePhoto("back.png", 200, 300);
    Rect row = onScreen(preset->groups()[2]);
    tap({ row.x() + 60, row.midY() });
    chooseInSheet(1);
    pickFromAlbum(background);
    shot = write("filled");
    // Names are drawn against the right end of their fields.
    for (auto& field : { preset->meNick(), preset->nickText() }) {
        auto ink = Renderer::snapshotView(*field, 1);
        const auto& px = ink->pixels();
        int left = px.width, right = -1;
        for (int y = 0; y < px.height; ++y) {
            for (int x = 0; x < px.width; ++x) {
                if (px.pixels[size_t(y) * size_t(px.stride) + size_t(x) * 4 + 3] > 0) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        EXPECT_GT(left, px.width / 2);
        EXPECT_GT(right, px.width - 6);
    }
    Rect preview = onScreen(preset->backImageView());
    EXPECT_NE(pixelAt(*shot, preview.center()), white);

    // Typing the other nickname lifts the form above the keyboard.
    tapView(preset->nickText());
    advance(1);
    shot = write("editing");
    Rect start = onScreen(preset->startBtn());
    EXPECT_LT(start.maxY(), Keyboard::shared().frame().y());
    EXPECT_EQ(pixelAt(*shot, { 10, start.y() + 10 }), Color::rgb(63, 184, 56));
}

INSTANTIATE_TEST_SUITE_P(Phones, PresetLookTest, ::testing::Values("iphone6", "iphone6plus"));
