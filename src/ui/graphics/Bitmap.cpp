#include "ui/graphics/Bitmap.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

int pixelsFor(double points, double scale)
{
    double pixels = std::ceil(points * scale - 1e-9);
    return std::isfinite(pixels) ? std::clamp(int(pixels), 1, 1 << 15) : 1;
}

} // namespace

Bitmap::Bitmap(Size size, double scale)
    : m_size(size.isEmpty() ? Size {} : size)
    , m_scale(std::isfinite(scale) && scale > 0 ? scale : 1)
    , m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelsFor(m_size.width, m_scale), pixelsFor(m_size.height, m_scale)))
{
    cairo_surface_set_device_scale(m_surface, m_scale, m_scale);
}

Bitmap::~Bitmap() { cairo_surface_destroy(m_surface); }

int Bitmap::pixelWidth() const { return cairo_image_surface_get_width(m_surface); }
int Bitmap::pixelHeight() const { return cairo_image_surface_get_height(m_surface); }

Rect Bitmap::pixelAligned(const Rect& rect) const
{
    double x0 = std::max(0.0, std::floor(rect.minX() * m_scale));
    double y0 = std::max(0.0, std::floor(rect.minY() * m_scale));
    double x1 = std::min(double(pixelWidth()), std::ceil(rect.maxX() * m_scale));
    double y1 = std::min(double(pixelHeight()), std::ceil(rect.maxY() * m_scale));
    if (!(x1 > x0 && y1 > y0))
        return {};
    return { x0 / m_scale, y0 / m_scale, (x1 - x0) / m_scale, (y1 - y0) / m_scale };
}

void Bitmap::draw(const std::function<void(GraphicsContext&)>& draw, const Rect& clip)
{
    cairo_t* cr = cairo_create(m_surface);
    bool visible = true;
    if (!clip.isEmpty()) {
        Rect aligned = pixelAligned(clip);
        visible = !aligned.isEmpty();
        cairo_rectangle(cr, aligned.x(), aligned.y(), aligned.width(), aligned.height());
        cairo_clip(cr);
    }
    if (visible) {
        GraphicsContext context(cr);
        draw(context);
    }
    cairo_destroy(cr);
}

void Bitmap::clear(const Rect& rect)
{
    draw([](GraphicsContext& context) {
        cairo_set_operator(context.cairo(), CAIRO_OPERATOR_CLEAR);
        cairo_paint(context.cairo());
    }, rect.isEmpty() ? Rect { 0, 0, m_size.width, m_size.height } : rect);
}

void Bitmap::copyFrom(const Bitmap& other, const Rect& rect)
{
    if (&other == this || other.pixelWidth() != pixelWidth() || other.pixelHeight() != pixelHeight() || other.m_scale != m_scale)
        return;
    Rect aligned = pixelAligned(rect);
    if (aligned.isEmpty())
        return;
    cairo_surface_flush(other.m_surface);
    cairo_t* cr = cairo_create(m_surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, other.m_surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, aligned.x(), aligned.y(), aligned.width(), aligned.height());
    cairo_fill(cr);
    cairo_destroy(cr);
}

void Bitmap::paint(GraphicsContext& context, const Rect& destination) const
{
    if (destination.isEmpty() || m_size.isEmpty())
        return;
    cairo_t* cr = context.cairo();
    cairo_surface_flush(m_surface);
    cairo_save(cr);
    cairo_translate(cr, destination.minX(), destination.minY());
    double sx = std::abs(destination.width()) / m_size.width, sy = std::abs(destination.height()) / m_size.height;
    bool unscaled = std::abs(sx - 1) < 1e-9 && std::abs(sy - 1) < 1e-9;
    if (!unscaled)
        cairo_scale(cr, sx, sy);
    cairo_set_source_surface(cr, m_surface, 0, 0);
    // At its own size the layer is copied pixel for pixel.
    cairo_pattern_set_filter(cairo_get_source(cr), unscaled ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_rectangle(cr, 0, 0, m_size.width, m_size.height);
    cairo_fill(cr);
    cairo_restore(cr);
}

ImagePtr Bitmap::makeImage() const
{
    cairo_surface_flush(m_surface);
    platform::PixelBuffer pixels;
    pixels.width = pixelWidth();
    pixels.height = pixelHeight();
    pixels.stride = cairo_image_surface_get_stride(m_surface);
    const unsigned char* data = cairo_image_surface_get_data(m_surface);
    pixels.pixels.assign(data, data + std::size_t(pixels.stride) * std::size_t(pixels.height));
    return Image::fromPixels(std::move(pixels), m_scale);
}

} // namespace ui
