#pragma once
#include <cstdint>
#include <functional>

#include "shell/window/DrawingThread.h"

#include "ui/graphics/Geometry.h"

typedef struct _cairo_surface cairo_surface_t;
struct SDL_Renderer;
struct SDL_Texture;

namespace shell {

// Draws the phone screen into a Cairo image surface the size of the window's
// drawable area, the phone picture in `picture` (drawable pixels) and black
// around it, and shows it through an SDL streaming texture.
class FramePresenter {
public:
    FramePresenter(SDL_Renderer* renderer, int pixelWidth, int pixelHeight, ui::Rect picture, double pixelsPerPoint);
    ~FramePresenter();
    FramePresenter(const FramePresenter&) = delete;
    FramePresenter& operator=(const FramePresenter&) = delete;

    bool isValid() const { return m_texture && m_surface; }
    // Draws and shows one frame; `flash` (0 to 1) whitens the phone picture
    // (the screenshot's flash, never part of the screenshot itself).
    // The screen is drawn on a drawing thread while `meanwhile` runs here
    // every few milliseconds, so the caller keeps taking in input during a
    // slow frame; `meanwhile` must not touch the phone's views.
    void present(double flash = 0, const std::function<void()>& meanwhile = {});
    // How many frames were drawn (to check that idle screens are not redrawn).
    std::uint64_t frameCount() const { return m_frames; }

private:
    void draw(double flash);

    SDL_Renderer* m_renderer;
    SDL_Texture* m_texture = nullptr;
    cairo_surface_t* m_surface = nullptr;
    int m_width;
    int m_height;
    ui::Rect m_picture;
    double m_pixelsPerPoint;
    std::uint64_t m_frames = 0;
    DrawingThread m_drawing;
};

} // namespace shell
