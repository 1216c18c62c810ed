// The toolbar in each of its modes, in both styles, on a @2x and a @3x phone:
// the checks catch a strip or panel drawn in the wrong place; with QY_LOOK_DIR
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
    // The screen now, written as <name>.png when asked.
    ImagePtr shot(const std::string& name)
    {
        auto image = Renderer::snapshotScreen();
        if (const char* dir = std::getenv("QY_LOOK_DIR"); dir && image) {
            auto png = image->pngData();
            std::ofstream(std::string(dir) + "/" + name + ".png", std::ios::binary)
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

TEST_P(ToolbarLookTest, EveryModeSitsOnTheBottomEdge)
{
    auto [device, style] = GetParam();
    useDevice(device);
    Size screen = Screen::main().size();
    auto window = std::make_shared<Window>();
    window->setBackgroundColor(Color::rgb(235, 235, 235));
    window->makeKeyAndVisible();
    auto toolbar = GXMessageToolBar::make({ 0, screen.height - 50, screen.width, 50 }, style);
    window->addSubview(toolbar);
    std::string name = std::string("toolbar-") + device + "-style" + std::to_string(style);

    // The strip's own grey shows just above the bottom edge.
    auto idle = shot(name + "-idle");
    ASSERT_TRUE(idle);
    EXPECT_EQ(pixelAt(*idle, { 2, screen.height - 3 }), Color::rgb(245, 245, 247));

    toolbar->msgTextView()->becomeFirstResponder();
    toolbar->msgTextView()->insertText(u"你好[微笑]");
    advance(1);
    EXPECT_DOUBLE_EQ(toolbar->frame().maxY(), screen.height);
    shot(name + "-keyboard");

    // The emoji panel's white shows under the strip.
    tap(toolbar->faceButton()->frameInScreen().center());
    advance(1);
    EXPECT_EQ(pixelAt(*shot(name + "-emoji"), { 2, screen.height - 200 }), Color::whiteColor());

    tap(toolbar->moreButton()->frameInScreen().center());
    advance(1);
    EXPECT_FALSE(toolbar->moreView()->isHidden());
    shot(name + "-more");
}

INSTANTIATE_TEST_SUITE_P(DevicesAndStyles, ToolbarLookTest,
    ::testing::Combine(::testing::Values("iphone6", "iphone6plus"), ::testing::Values(1, 2)));
