#pragma once
#include "platform/ImageCodec.h"
#include "ui/graphics/GraphicsContext.h"

#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <functional>

namespace testing_graphics {

// A transparent pixel surface with the screen's device scale, so tests draw in
// points and read back pixels.
class PixelCanvas {
public:
    PixelCanvas(int pixelWidth, int pixelHeight, double scale)
        : m_surface(makeSurface(pixelWidth, pixelHeight, scale))
        , m_cairo(cairo_create(m_surface))
        , m_context(m_cairo)
    {
    }
    ~PixelCanvas()
    {
        cairo_destroy(m_cairo);
        cairo_surface_destroy(m_surface);
    }
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    ui::GraphicsContext& context() { return m_context; }

    // The premultiplied ARGB word at a pixel.
    std::uint32_t pixel(int x, int y)
    {
        cairo_surface_flush(m_surface);
        const unsigned char* data = cairo_image_surface_get_data(m_surface);
        std::uint32_t word;
        std::memcpy(&word, data + y * cairo_image_surface_get_stride(m_surface) + x * 4, 4);
        return word;
    }

private:
    static cairo_surface_t* makeSurface(int width, int height, double scale)
    {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
        cairo_surface_set_device_scale(surface, scale, scale);
        return surface;
    }
    cairo_surface_t* m_surface;
    cairo_t* m_cairo;
    ui::GraphicsContext m_context;
};

inline int alphaOf(std::uint32_t word) { return word >> 24; }
inline int redOf(std::uint32_t word) { return (word >> 16) & 0xFF; }
inline int blueOf(std::uint32_t word) { return word & 0xFF; }

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

inline platform::PixelBuffer makePixels(int width, int height, const std::function<std::uint32_t(int, int)>& pixel)
{
    platform::PixelBuffer image { width, height, width * 4, {} };
    image.pixels.resize(static_cast<std::size_t>(image.stride) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint32_t word = pixel(x, y);
            std::memcpy(&image.pixels[y * image.stride + x * 4], &word, 4);
        }
    return image;
}

} // namespace testing_graphics
