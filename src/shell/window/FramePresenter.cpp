#include "shell/window/FramePresenter.h"

#include <SDL.h>
#include <algorithm>
#include <cairo.h>
#include <cstring>
#include <string>

#include "shell/window/ChangedRows.h"
#include "ui/Renderer.h"

namespace shell {

FramePresenter::FramePresenter(SDL_Window* window, SDL_Surface* surface, ui::Rect picture, double pixelsPerPoint)
    : m_window(window)
    , m_target(surface)
    , m_width(surface ? std::max(1, surface->w) : 1)
    , m_height(surface ? std::max(1, surface->h) : 1)
    , m_picture(picture)
    , m_pixelsPerPoint(pixelsPerPoint)
{
    if (!m_target)
        return;
    Uint32 format = m_target->format->format;
    m_sameLayout = format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
    // X11's window surface is shared memory that Xlib (thread-safe) sends;
    // other drivers may show it through a GL context that belongs to this thread.
    const char* driver = SDL_GetCurrentVideoDriver();
    m_sendWhileDrawing = driver && std::string(driver) == "x11";
    m_surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, m_width, m_height);
    if (cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(m_surface);
        m_surface = nullptr;
        return;
    }
    // The screen draws in points, as on the phone.
    cairo_surface_set_device_scale(m_surface, m_pixelsPerPoint, m_pixelsPerPoint);
}

FramePresenter::~FramePresenter()
{
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

void FramePresenter::draw(double flash)
{
    double ppp = m_pixelsPerPoint;
    cairo_t* cr = cairo_create(m_surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_save(cr);
    cairo_rectangle(cr, m_picture.x() / ppp, m_picture.y() / ppp, m_picture.width() / ppp, m_picture.height() / ppp);
    cairo_clip(cr);
    cairo_translate(cr, m_picture.x() / ppp, m_picture.y() / ppp);
    ui::Renderer::drawScreen(cr);
    cairo_restore(cr);
    if (flash > 0) {
        cairo_rectangle(cr, m_picture.x() / ppp, m_picture.y() / ppp, m_picture.width() / ppp, m_picture.height() / ppp);
        cairo_set_source_rgba(cr, 1, 1, 1, std::min(1.0, flash));
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(m_surface);
}

void FramePresenter::send()
{
    const auto* drawn = cairo_image_surface_get_data(m_surface);
    int drawnStride = cairo_image_surface_get_stride(m_surface);
    auto* pixels = static_cast<std::uint8_t*>(m_target->pixels);
    std::size_t rowBytes = std::size_t(m_width) * 4;
    ChangedRows band { 0, m_height };
    if (!m_sameLayout) {
        SDL_ConvertPixels(m_width, m_height, SDL_PIXELFORMAT_ARGB8888, drawn, drawnStride,
            m_target->format->format, pixels, m_target->pitch);
    } else {
        if (!m_sendAll)
            band = ChangedRows::between(pixels, std::size_t(m_target->pitch), drawn, std::size_t(drawnStride), rowBytes, m_height);
        for (int row = band.first; row < band.first + band.count; ++row)
            std::memcpy(pixels + std::size_t(row) * std::size_t(m_target->pitch), drawn + std::size_t(row) * std::size_t(drawnStride), rowBytes);
    }
    if (band.isEmpty())
        return;
    SDL_Rect rect { 0, band.first, m_width, band.count };
    // A window resized meanwhile has a new surface to be fetched; until then
    // nothing is shown and the next presenter sends everything.
    m_sendAll = SDL_UpdateWindowSurfaceRects(m_window, &rect, 1) != 0;
}

void FramePresenter::present(double flash, const std::function<void()>& meanwhile)
{
    if (!isValid())
        return;
    m_drawing.run(
        [this, flash] {
            draw(flash);
            if (m_sendWhileDrawing)
                send();
        },
        meanwhile);
    if (!m_sendWhileDrawing)
        send();
    ++m_frames;
}

} // namespace shell
