#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "ui/graphics/Image.h"

// Reading back what was drawn: one point's colour, or the pixels its ink covers.
namespace drawn {

inline ui::Color colorAt(const ui::Image& image, double x, double y)
{
    const auto& buffer = image.pixels();
    int px = int(x * image.scale()), py = int(y * image.scale());
    const std::uint8_t* p = buffer.pixels.data() + std::size_t(py) * std::size_t(buffer.stride) + std::size_t(px) * 4;
    return ui::Color::rgb(p[2], p[1], p[0], p[3] / 255.0);
}

// The first and last inked column and row, in pixels; right < left when nothing is.
struct Ink {
    int left, top, right, bottom;
};

inline Ink inkOf(const ui::Image& image)
{
    const auto& px = image.pixels();
    Ink ink { px.width, px.height, -1, -1 };
    for (int y = 0; y < px.height; ++y)
        for (int x = 0; x < px.width; ++x)
            if (px.pixels[std::size_t(y) * std::size_t(px.stride) + std::size_t(x) * 4 + 3] > 0)
                ink = { std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x), std::max(ink.bottom, y) };
    return ink;
}

} // namespace drawn
