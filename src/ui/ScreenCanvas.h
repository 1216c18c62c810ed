#pragma once
#include <map>
#include <memory>
#include <utility>

#include "platform/ImageCodec.h"

typedef struct _cairo_surface cairo_surface_t;

namespace ui {

// Drawing surfaces of the whole screen at its scale, one per pixel size, kept
// from one picture of the screen to the next: taking a screenshot draws into
// memory that is already there and hands it on as it is, instead of making a
// fresh surface of several megabytes and copying it out each time.
class ScreenCanvas {
public:
    ScreenCanvas() = default;
    ~ScreenCanvas();
    ScreenCanvas(const ScreenCanvas&) = delete;
    ScreenCanvas& operator=(const ScreenCanvas&) = delete;

    // The one the renderer and the screenshot paths share.
    static ScreenCanvas& shared();

    // Lays out and draws the screen now; the pixels stay valid and unchanged
    // until the next draw() on this canvas. Empty when no surface could be made.
    const platform::PixelBuffer& draw();
    // How many surfaces are kept (one per screen size drawn so far).
    std::size_t surfaceCount() const { return m_surfaces.size(); }
    // Gives back the memory of every surface.
    void clear();

private:
    struct Surface {
        platform::PixelBuffer pixels;
        cairo_surface_t* cairo = nullptr;
    };
    Surface& surfaceFor(int width, int height, double scale);

    std::map<std::pair<int, int>, std::unique_ptr<Surface>> m_surfaces;
    platform::PixelBuffer m_empty;
};

} // namespace ui
