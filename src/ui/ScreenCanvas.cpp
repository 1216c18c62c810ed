#include "ui/ScreenCanvas.h"

#include <cairo.h>
#include <cmath>

#include "ui/Renderer.h"
#include "ui/Screen.h"

namespace ui {

ScreenCanvas::~ScreenCanvas()
{
    clear();
}

ScreenCanvas& ScreenCanvas::shared()
{
    // Never freed, so that it outlives every screenshot taken at exit.
    static auto* canvas = new ScreenCanvas();
    return *canvas;
}

void ScreenCanvas::clear()
{
    for (auto& [size, surface] : m_surfaces)
        cairo_surface_destroy(surface->cairo);
    m_surfaces.clear();
}

ScreenCanvas::Surface& ScreenCanvas::surfaceFor(int width, int height, double scale)
{
    auto& slot = m_surfaces[{ width, height }];
    if (!slot) {
        auto surface = std::make_unique<Surface>();
        surface->pixels.width = width;
        surface->pixels.height = height;
        surface->pixels.stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
        surface->pixels.pixels.resize(size_t(surface->pixels.stride) * size_t(height));
        // Cairo draws straight into the buffer the PNG writer reads.
        surface->cairo = cairo_image_surface_create_for_data(surface->pixels.pixels.data(), CAIRO_FORMAT_ARGB32, width, height, surface->pixels.stride);
        slot = std::move(surface);
    }
    // Two profiles of one pixel size may differ in scale.
    cairo_surface_set_device_scale(slot->cairo, scale, scale);
    return *slot;
}

const platform::PixelBuffer& ScreenCanvas::draw()
{
    double scale = Screen::main().scale();
    Size size = Screen::main().size();
    int w = int(std::lround(size.width * scale)), h = int(std::lround(size.height * scale));
    if (w <= 0 || h <= 0)
        return m_empty;
    Surface& surface = surfaceFor(w, h, scale);
    if (cairo_surface_status(surface.cairo) != CAIRO_STATUS_SUCCESS)
        return m_empty;
    // The screen is painted opaque black first, so nothing of the last
    // picture shows through.
    cairo_t* cr = cairo_create(surface.cairo);
    Renderer::drawScreen(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface.cairo);
    return surface.pixels;
}

} // namespace ui
