#include "shell/window/FramePresenter.h"

#include <SDL.h>
#include <algorithm>
#include <cairo.h>
#include <cmath>

#include "ui/Renderer.h"

namespace shell {

FramePresenter::FramePresenter(SDL_Renderer* renderer, int pixelWidth, int pixelHeight, ui::Rect picture, double pixelsPerPoint)
    : m_renderer(renderer)
    , m_width(std::max(1, pixelWidth))
    , m_height(std::max(1, pixelHeight))
    , m_picture(picture)
    , m_pixelsPerPoint(pixelsPerPoint)
{
    // Cairo's ARGB32 is a native-endian 32-bit word per pixel, which is what
    // SDL calls ARGB8888.
    m_texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, m_width, m_height);
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
    if (m_texture)
        SDL_DestroyTexture(m_texture);
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
}

void FramePresenter::present(double flash, const std::function<void()>& meanwhile)
{
    if (!isValid())
        return;
    m_drawing.run([this, flash] { draw(flash); }, meanwhile);
    cairo_surface_flush(m_surface);

    SDL_UpdateTexture(m_texture, nullptr, cairo_image_surface_get_data(m_surface), cairo_image_surface_get_stride(m_surface));
    SDL_RenderClear(m_renderer);
    SDL_RenderCopy(m_renderer, m_texture, nullptr, nullptr);
    SDL_RenderPresent(m_renderer);
    ++m_frames;
}

} // namespace shell
