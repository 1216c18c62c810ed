#pragma once
#include <functional>
#include <memory>

#include "ui/graphics/GraphicsContext.h"
#include "ui/graphics/Image.h"

typedef struct _cairo_surface cairo_surface_t;

namespace ui {

// An offscreen layer: a transparent picture of a size in points at a scale,
// which a view draws into once and paints many times. Work that touches only
// part of it (a dirty rectangle) costs only that part.
class Bitmap {
public:
    // An empty size gives a layer of one transparent pixel.
    Bitmap(Size size, double scale);
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    Size size() const { return m_size; }
    double scale() const { return m_scale; }
    int pixelWidth() const;
    int pixelHeight() const;

    // Runs `draw` with a context in points on the layer, clipped to `clip`
    // (widened to whole pixels) when it is not empty.
    void draw(const std::function<void(GraphicsContext&)>& draw, const Rect& clip = {});
    // Makes the pixels under `rect` (all of them when empty) transparent.
    void clear(const Rect& rect = {});
    // Replaces the pixels under `rect` (widened to whole pixels) with those of
    // `other` at the same place; layers of another size or scale copy nothing.
    void copyFrom(const Bitmap& other, const Rect& rect);
    // Paints the layer into `destination` of `context`.
    void paint(GraphicsContext& context, const Rect& destination) const;
    // The pixels as an image at the layer's scale.
    ImagePtr makeImage() const;

    // `rect` grown outwards to the pixel grid of this layer, within its bounds.
    Rect pixelAligned(const Rect& rect) const;

private:
    Size m_size;
    double m_scale;
    cairo_surface_t* m_surface;
};

} // namespace ui
