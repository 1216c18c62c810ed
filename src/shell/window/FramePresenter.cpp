#include "shell/window/FramePresenter.h"

#include <SDL.h>
#include <cairo.h>

#include "ui/Renderer.h"

namespace shell {

FramePresenter::FramePresenter(SDL_Renderer* renderer, int pixelWidth, int pixelHeight, double pixelsPerPoint)
    : m_renderer(renderer)
    , m_width(pixelWidth)
    , m_height(pixelHeight)
{
    // Cairo's ARGB32 is a native-endian 32-bit word per pixel, which is what
    // SDL calls ARGB8888.
    m_texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, pixelWidth, pixelHeight);
    m_surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth, pixelHeight);
    if (cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(m_surface);
        m_surface = nullptr;
        return;
    }
    cairo_surface_set_device_scale(m_surface, pixelsPerPoint, pixelsPerPoint);
}

FramePresenter::~FramePresenter()
{
    if (m_texture)
        SDL_DestroyTexture(m_texture);
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

void FramePresenter::present()
{
    if (!isValid())
        return;
    cairo_t* cr = cairo_create(m_surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    ui::Renderer::drawScreen(cr);
    cairo_destroy(cr);
    cairo_surface_flush(m_surface);

    SDL_UpdateTexture(m_texture, nullptr, cairo_image_surface_get_data(m_surface), cairo_image_surface_get_stride(m_surface));
    SDL_RenderClear(m_renderer);
    SDL_RenderCopy(m_renderer, m_texture, nullptr, nullptr);
    SDL_RenderPresent(m_renderer);
    ++m_frames;
}

} // namespace shell
