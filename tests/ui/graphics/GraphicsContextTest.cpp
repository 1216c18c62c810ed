#include "PixelCanvas.h"

#include "ui/graphics/GraphicsContext.h"
#include "ui/graphics/Image.h"

#include <gtest/gtest.h>

using namespace testing_graphics;
using ui::Color;
using ui::Rect;

namespace {

// A 5×5-point picture at @2x: 2 points of red, a 1-point green middle, 2 points of
// blue — across for columns, or down for rows when `vertical`.
std::shared_ptr<ui::Image> threeBands(bool vertical)
{
    auto pixels = makePixels(10, 10, [vertical](int x, int y) {
        int p = vertical ? y : x;
        return p < 4 ? kRed : p < 6 ? kGreen : kBlue;
    });
    return ui::Image::fromPixels(pixels, 2);
}

void expectColor(PixelCanvas& canvas, int x, int y, std::uint32_t expected)
{
    EXPECT_EQ(canvas.pixel(x, y), expected) << "at pixel " << x << "," << y;
}

} // namespace

// Caps keep their natural size in pixels, the middle fills the rest; a zero
// cap stretches the whole axis uniformly. Across at @2x, down at @3x.
TEST(GraphicsContext, StretchableImageKeepsItsCapsAtNaturalSize)
{
    PixelCanvas across(40, 10, 2);
    across.context().drawImage(*threeBands(false)->stretchable(2, 0), Rect(0, 0, 20, 5));
    PixelCanvas down(30, 30, 3);
    down.context().drawImage(*threeBands(true)->stretchable(0, 2), Rect(0, 0, 10, 10));
    for (int y : { 0, 5, 9 }) {
        for (int x = 0; x < 40; ++x)
            expectColor(across, x, y, x < 4 ? kRed : x < 36 ? kGreen : kBlue);
    }
    // At @3x a 2-point cap is 6 pixels.
    for (int x : { 0, 15, 29 }) {
        for (int y : { 0, 4, 7, 22, 25, 29 })
            expectColor(down, x, y, y < 6 ? kRed : y < 24 ? kGreen : kBlue);
    }
}

TEST(GraphicsContext, StretchableImageInATooSmallRectStaysInside)
{
    auto image = threeBands(false)->stretchable(2, 0);
    PixelCanvas canvas(20, 10, 2);
    canvas.context().drawImage(*image, Rect(1, 0, 3, 5));
    expectColor(canvas, 0, 4, 0);
    expectColor(canvas, 2, 4, kRed);
    expectColor(canvas, 7, 4, kBlue);
    expectColor(canvas, 8, 4, 0);
}

TEST(GraphicsContext, PlainImageScalesToTheRect)
{
    PixelCanvas canvas(40, 40, 2);
    canvas.context().drawImage(*threeBands(false), Rect(0, 0, 20, 20));
    // Doubled: red 0–7, green 8–11, blue 12–19 points... in pixels ×2.
    expectColor(canvas, 2, 20, kRed);
    expectColor(canvas, 20, 20, kGreen);
    expectColor(canvas, 37, 20, kBlue);
}

TEST(GraphicsContext, ImageAlphaFadesEveryPixelOnce)
{
    PixelCanvas canvas(40, 10, 2);
    canvas.context().drawImage(*threeBands(false)->stretchable(2, 0), Rect(0, 0, 20, 5), 0.5);
    for (int x : { 0, 3, 4, 20, 35, 36, 39 })
        EXPECT_NEAR(alphaOf(canvas.pixel(x, 5)), 128, 1) << x;
}

TEST(GraphicsContext, ClearBlendModeErases)
{
    PixelCanvas canvas(10, 10, 1);
    auto& context = canvas.context();
    context.fillRect(Rect(0, 0, 10, 10), Color::redColor());
    context.setBlendMode(ui::BlendMode::Clear);
    context.beginPath();
    context.moveTo({ 0, 5 });
    context.lineTo({ 10, 5 });
    context.strokePath(Color::blackColor(), 2, ui::LineCap::Round, ui::LineJoin::Round);
    context.setBlendMode(ui::BlendMode::Normal);
    expectColor(canvas, 5, 4, 0);
    expectColor(canvas, 5, 0, kRed);
}

TEST(GraphicsContext, TransparencyLayerCompositesOverlapsOnce)
{
    PixelCanvas canvas(10, 10, 1);
    auto& context = canvas.context();
    context.beginTransparencyLayer(0.5);
    context.fillRect(Rect(0, 0, 6, 10), Color::redColor());
    context.fillRect(Rect(4, 0, 6, 10), Color::redColor());
    context.endMask(*threeBands(false), Rect(0, 0, 10, 10)); // not the open group: ignored
    context.endTransparencyLayer();
    context.endTransparencyLayer(); // unbalanced end is ignored
    EXPECT_NEAR(alphaOf(canvas.pixel(1, 5)), 128, 1);
    EXPECT_EQ(canvas.pixel(5, 5), canvas.pixel(1, 5));
}

TEST(GraphicsContext, MaskKeepsOnlyWhereTheMaskIsOpaque)
{
    auto mask = ui::Image::fromPixels(makePixels(4, 4, [](int x, int) { return x < 2 ? 0xFF000000u : 0u; }), 1);
    PixelCanvas canvas(8, 8, 1);
    auto& context = canvas.context();
    context.beginMask();
    context.fillRect(Rect(0, 0, 8, 8), Color::redColor());
    context.endMask(*mask, Rect(0, 0, 8, 8));
    expectColor(canvas, 1, 4, kRed);
    expectColor(canvas, 6, 4, 0);
}

TEST(GraphicsContext, ArcsTurnClockwiseOnScreen)
{
    PixelCanvas canvas(20, 20, 1);
    auto& context = canvas.context();
    // From 3 o'clock clockwise to 9 o'clock passes 6 o'clock: the lower half.
    context.beginPath();
    context.moveTo({ 10, 10 });
    context.addArc({ 10, 10 }, 9, 0, M_PI, true);
    context.closePath();
    context.fillPath(Color::redColor());
    expectColor(canvas, 10, 16, kRed);
    expectColor(canvas, 10, 4, 0);
}
