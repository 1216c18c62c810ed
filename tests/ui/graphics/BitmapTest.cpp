#include "ui/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "PixelCanvas.h"

using namespace testing_graphics;
using ui::Bitmap;
using ui::Color;
using ui::Rect;

namespace {

std::uint32_t pixelOf(const Bitmap& bitmap, int x, int y)
{
    auto image = bitmap.makeImage();
    std::uint32_t word;
    std::memcpy(&word, &image->pixels().pixels[y * image->pixels().stride + x * 4], 4);
    return word;
}

void fill(Bitmap& bitmap, const Color& color, const Rect& clip = {})
{
    bitmap.draw([&](ui::GraphicsContext& context) { context.fillRect({ 0, 0, 1000, 1000 }, color); }, clip);
}

} // namespace

TEST(Bitmap, DirtyRectanglesTouchOnlyTheirWholePixels)
{
    Bitmap layer({ 10, 10 }, 3);
    EXPECT_EQ(layer.pixelWidth(), 30);
    // A clip of a third of a pixel still owns that whole pixel, and nothing more.
    fill(layer, Color::redColor(), { 2.1, 2.1, 1, 1 });
    EXPECT_EQ(pixelOf(layer, 6, 6), kRed);
    EXPECT_EQ(pixelOf(layer, 9, 9), kRed);
    EXPECT_EQ(pixelOf(layer, 5, 5), 0u);
    EXPECT_EQ(pixelOf(layer, 10, 10), 0u);

    fill(layer, Color::redColor());
    layer.clear({ 0, 0, 5, 10 });
    EXPECT_EQ(pixelOf(layer, 14, 3), 0u);
    EXPECT_EQ(pixelOf(layer, 15, 3), kRed);

    // Copying brings the other layer's transparency too, only inside the rect.
    Bitmap display({ 10, 10 }, 3);
    fill(display, Color::rgb(0, 0, 255));
    display.copyFrom(layer, { 4, 0, 2, 10 });
    EXPECT_EQ(pixelOf(display, 11, 0), kBlue);
    EXPECT_EQ(pixelOf(display, 12, 0), 0u);
    EXPECT_EQ(pixelOf(display, 15, 0), kRed);
    EXPECT_EQ(pixelOf(display, 18, 0), kBlue);

    Bitmap other({ 10, 10 }, 2);
    display.copyFrom(other, { 0, 0, 10, 10 }); // another scale: nothing copied
    EXPECT_EQ(pixelOf(display, 0, 0), kBlue);
    layer.clear();
    EXPECT_EQ(pixelOf(layer, 29, 29), 0u);
}

TEST(Bitmap, PaintsPixelForPixelAtItsOwnSizeAndScalesOtherwise)
{
    Bitmap layer({ 4, 4 }, 2);
    fill(layer, Color::redColor(), { 0, 0, 2, 4 });
    PixelCanvas canvas(16, 16, 2);
    layer.paint(canvas.context(), { 1, 1, 4, 4 });
    EXPECT_EQ(canvas.pixel(2, 2), kRed);
    EXPECT_EQ(canvas.pixel(5, 9), kRed);
    EXPECT_EQ(canvas.pixel(6, 9), 0u);
    EXPECT_EQ(canvas.pixel(1, 1), 0u);

    PixelCanvas big(16, 16, 2);
    layer.paint(big.context(), { 0, 0, 8, 8 });
    EXPECT_EQ(big.pixel(3, 8), kRed);
    EXPECT_EQ(big.pixel(12, 8), 0u);
}

TEST(Bitmap, OddSizesAndRectanglesAreHarmless)
{
    for (ui::Size size : { ui::Size { 0, 0 }, ui::Size { -3, 5 }, ui::Size { NAN, 2 } }) {
        Bitmap layer(size, NAN);
        EXPECT_EQ(layer.pixelWidth(), 1);
        fill(layer, Color::redColor());
        layer.clear({ -5, -5, 100, 100 });
        PixelCanvas canvas(4, 4, 1);
        layer.paint(canvas.context(), { 0, 0, 4, 4 });
        EXPECT_EQ(canvas.pixel(0, 0), 0u);
    }
    Bitmap layer({ 5, 5 }, 2);
    EXPECT_TRUE(layer.pixelAligned({ 6, 6, 3, 3 }).isEmpty());
    EXPECT_EQ(layer.pixelAligned({ -1, 4.8, 10, 10 }), (Rect { 0, 4.5, 5, 0.5 }));
    fill(layer, Color::redColor(), { 20, 20, 1, 1 }); // outside: draws nothing at all
    EXPECT_EQ(pixelOf(layer, 9, 9), 0u);
}
