#include "support/PhoneTest.h"

#include <cairo.h>
#include <cmath>

#include "ui/Renderer.h"
#include "ui/ScreenCanvas.h"
#include "ui/Window.h"

using namespace ui;

namespace {

// The screen drawn the plain way: a new surface of its own.
platform::PixelBuffer drawnFresh()
{
    double scale = Screen::main().scale();
    Size size = Screen::main().size();
    int w = int(std::lround(size.width * scale)), h = int(std::lround(size.height * scale));
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_surface_set_device_scale(surface, scale, scale);
    cairo_t* cr = cairo_create(surface);
    Renderer::drawScreen(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    platform::PixelBuffer pixels { w, h, cairo_image_surface_get_stride(surface), {} };
    const unsigned char* data = cairo_image_surface_get_data(surface);
    pixels.pixels.assign(data, data + size_t(pixels.stride) * size_t(h));
    cairo_surface_destroy(surface);
    return pixels;
}

} // namespace

class ScreenCanvasTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        window = std::make_shared<Window>(Rect { 0, 0, 375, 667 });
        window->makeKeyAndVisible();
        window->setBackgroundColor(Color::whiteColor());
        // Half transparent, so that anything left under it would show.
        box = View::make<View>(Rect { 40, 100, 200, 300 });
        box->setBackgroundColor(Color::rgb(255, 0, 0).withAlpha(0.5));
        window->addSubview(box);
    }

    std::shared_ptr<Window> window;
    ViewPtr box;
};

// Each picture from the kept surface is the one a fresh surface gives, byte
// for byte, whatever the one before it showed: nothing of it is left behind.
TEST_F(ScreenCanvasTest, EachPictureIsWhatAFreshSurfaceDraws)
{
    ScreenCanvas canvas;
    struct Step {
        const char* device;
        std::function<void()> change;
    };
    const std::vector<Step> steps = {
        { "iphone6", [] { } },
        { "iphone6", [this] { box->setFrame({ 150, 300, 120, 80 }); } },
        { "iphone6", [this] { window->setBackgroundColor(Color::clearColor()); } },
        { "iphone6plus", [this] { box->setAlpha(0.3); } },
        { "iphone6", [this] { box->setHidden(true); } },
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.device);
        useDevice(step.device);
        step.change();
        const platform::PixelBuffer& kept = canvas.draw();
        platform::PixelBuffer fresh = drawnFresh();
        ASSERT_EQ(kept.width, fresh.width);
        ASSERT_EQ(kept.height, fresh.height);
        ASSERT_EQ(kept.stride, fresh.stride);
        EXPECT_TRUE(kept.pixels == fresh.pixels);
    }
    // One surface per screen size, kept across the device changes.
    EXPECT_EQ(canvas.surfaceCount(), 2u);
    const auto* memory = canvas.draw().pixels.data();
    EXPECT_EQ(canvas.draw().pixels.data(), memory);
}

// An image taken of the screen is a copy: drawing again does not change it.
TEST_F(ScreenCanvasTest, SnapshotsKeepTheirPixelsWhenTheScreenIsDrawnAgain)
{
    auto first = Renderer::snapshotScreen();
    auto before = first->pixels().pixels;
    box->setBackgroundColor(Color::rgb(0, 0, 255));
    auto second = Renderer::snapshotScreen();
    EXPECT_TRUE(first->pixels().pixels == before);
    EXPECT_FALSE(second->pixels().pixels == before);
}
