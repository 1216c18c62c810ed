// The toolbar in each of its modes, in both styles, on a @2x and a @3x phone.
// The checks catch a strip or panel drawn in the wrong place; with QY_LOOK_DIR
// set the screens are also written there as PNG files to look at.
#include "support/PhoneTest.h"

#include <cstdlib>
#include <fstream>

#include "input/toolbar/GXMessageToolBar.h"
#include "ui/Renderer.h"
#include "ui/Window.h"

using namespace ui;

class ToolbarLookTest : public PhoneTest, public ::testing::WithParamInterface<std::tuple<const char*, int>> {
protected:
    void write(const std::string& name)
    {
        auto image = Renderer::snapshotScreen();
        ASSERT_TRUE(image);
        const char* dir = std::getenv("QY_LOOK_DIR");
        if (!dir)
            return;
        auto png = image->pngData();
        std::ofstream(std::string(dir) + "/" + name + ".png", std::ios::binary)
            .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
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

TEST_P(ToolbarLookTest, EveryModeSitsOnTheBottomEdge)
{
    auto [device, style] = GetParam();
    useDevice(device);
    Size screen = Screen::main().size();
    auto window = std::make_shared<Window>();
    window->setBackgroundColor(Color::rgb(235, 235, 235));
    window->makeKeyAndVisible();
    auto page = std::make_shared<View>(window->bounds());
    window->addSubview(page);
    auto toolbar = GXMessageToolBar::make({ 0, screen.height - 50, screen.width, 50 }, style);
    page->addSubview(toolbar);
    std::string name = std::string("toolbar-") + device + "-style" + std::to_string(style);

    write(name + "-idle");
    // The strip's own grey shows just above the bottom edge.
    EXPECT_EQ(pixelAt(*Renderer::snapshotScreen(), { 2, screen.height - 3 }), Color::rgb(245, 245, 247));

    toolbar->msgTextView()->becomeFirstResponder();
    toolbar->msgTextView()->insertText(u"你好[微笑]");
    advance(1);
    EXPECT_DOUBLE_EQ(toolbar->frame().maxY(), screen.height);
    EXPECT_DOUBLE_EQ(toolbar->frame().height(), 50 + 216);
    write(name + "-keyboard");

    tap(toolbar->faceButton()->frameInScreen().center());
    advance(1);
    EXPECT_DOUBLE_EQ(toolbar->frame().height(), 50 + 210);
    // The emoji panel's white shows under the strip.
    EXPECT_EQ(pixelAt(*Renderer::snapshotScreen(), { 2, screen.height - 200 }), Color::whiteColor());
    write(name + "-emoji");

    tap(toolbar->moreButton()->frameInScreen().center());
    advance(1);
    EXPECT_FALSE(toolbar->moreView()->isHidden());
    write(name + "-more");
}

INSTANTIATE_TEST_SUITE_P(DevicesAndStyles, ToolbarLookTest,
    ::testing::Combine(::testing::Values("iphone6", "iphone6plus"), ::testing::Values(1, 2)));
