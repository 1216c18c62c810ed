#pragma once
#include <cstdint>

typedef struct _cairo_surface cairo_surface_t;
struct SDL_Renderer;
struct SDL_Texture;

namespace shell {

// Draws the phone screen into a Cairo image surface the size of the window's
// drawable area and shows it through an SDL streaming texture.
class FramePresenter {
public:
    // `pixelsPerPoint` maps screen points to the drawable's pixels.
    FramePresenter(SDL_Renderer* renderer, int pixelWidth, int pixelHeight, double pixelsPerPoint);
    ~FramePresenter();
    FramePresenter(const FramePresenter&) = delete;
    FramePresenter& operator=(const FramePresenter&) = delete;

    bool isValid() const { return m_texture && m_surface; }
    // Draws and shows one frame.
    void present();
    // How many frames were drawn (to check that idle screens are not redrawn).
    std::uint64_t frameCount() const { return m_frames; }

private:
    SDL_Renderer* m_renderer;
    SDL_Texture* m_texture = nullptr;
    cairo_surface_t* m_surface = nullptr;
    int m_width;
    int m_height;
    std::uint64_t m_frames = 0;
};

} // namespace shell
