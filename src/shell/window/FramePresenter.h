#pragma once
#include <cstdint>
#include <functional>

#include "shell/window/DrawingThread.h"

#include "ui/graphics/Geometry.h"

typedef struct _cairo_surface cairo_surface_t;
struct SDL_Surface;
struct SDL_Window;

namespace shell {

// Draws the phone screen into a Cairo image surface the size of the window's
// surface, the phone picture in `picture` (surface pixels) and black around
// it, and sends the window the rows that changed since the last frame.
//
// On X11 the frame is drawn and sent on a drawing thread while the caller
// keeps taking in input: typing tools bind each character to a spare key for
// a few milliseconds, and a key read after that is read with the wrong map.
class FramePresenter {
public:
    // `surface` is `window`'s surface (SDL_GetWindowSurface); a presenter is
    // made anew whenever the window gets a new one.
    FramePresenter(SDL_Window* window, SDL_Surface* surface, ui::Rect picture, double pixelsPerPoint);
    ~FramePresenter();
    FramePresenter(const FramePresenter&) = delete;
    FramePresenter& operator=(const FramePresenter&) = delete;

    bool isValid() const { return m_surface && m_target; }
    // Draws and shows one frame; `flash` (0 to 1) whitens the phone picture
    // (the screenshot's flash, never part of the screenshot itself).
    // `meanwhile` runs here every few milliseconds while the drawing thread
    // works, so a slow frame does not hold up input; it must not touch the
    // phone's views.
    void present(double flash = 0, const std::function<void()>& meanwhile = {});
    // The window lost what it showed (it was covered): the next frame sends
    // all of it.
    void sendAllNextTime() { m_sendAll = true; }
    // How many frames were drawn (to check that idle screens are not redrawn).
    std::uint64_t frameCount() const { return m_frames; }

private:
    void draw(double flash);
    // Copies what changed into the window's surface and shows it.
    void send();

    SDL_Window* m_window;
    SDL_Surface* m_target;
    cairo_surface_t* m_surface = nullptr;
    int m_width;
    int m_height;
    ui::Rect m_picture;
    double m_pixelsPerPoint;
    // The window's pixels are Cairo's (32-bit, native-endian xRGB), so rows
    // are compared and copied as they are.
    bool m_sameLayout = false;
    bool m_sendWhileDrawing = false;
    bool m_sendAll = true;
    std::uint64_t m_frames = 0;
    DrawingThread m_drawing;
};

} // namespace shell
