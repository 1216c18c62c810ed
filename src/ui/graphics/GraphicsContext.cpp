#include "ui/graphics/GraphicsContext.h"

#include "ui/graphics/Image.h"
#include "ui/graphics/TextLayout.h"

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace ui {

namespace {

// Lets go of a group used as the source, so its pixels are freed at once.
void releaseSource(cairo_t* cr) { cairo_set_source_rgb(cr, 0, 0, 0); }

void setColor(cairo_t* cr, const Color& color)
{
    cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
}

void roundedRectPath(cairo_t* cr, const Rect& rect, double radius)
{
    double x = rect.minX(), y = rect.minY(), w = std::abs(rect.width()), h = std::abs(rect.height());
    double r = std::clamp(radius, 0.0, std::min(w, h) / 2);
    if (r <= 0) {
        cairo_rectangle(cr, x, y, w, h);
        return;
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// One axis of a nine-slice: source spans in pixels and destination spans in
// points. `cap` is the stretching point (0 = stretch everything uniformly).
struct Span {
    double source0, source1; // pixels
    double dest0, dest1;     // points
};

std::vector<Span> axisSpans(double cap, double natural, double scale, double dest0, double destLength)
{
    double pixels = std::round(natural * scale);
    if (cap <= 0 || natural <= 0)
        return { { 0, pixels, dest0, dest0 + destLength } };
    // Slices are cut on whole pixels of the picture.
    auto pixel = [&](double points) { return std::clamp(std::round(points * scale), 0.0, pixels); };
    double start = cap, end = natural - cap - 1;
    double fixed = start + end;
    // Too small a rect squeezes the caps in proportion and drops the middle.
    double shrink = destLength < fixed && fixed > 0 ? destLength / fixed : 1;
    double middle = std::max(0.0, destLength - fixed);
    std::vector<Span> spans;
    spans.push_back({ 0, pixel(start), dest0, dest0 + start * shrink });
    if (middle > 0)
        spans.push_back({ pixel(start), pixel(start + 1), dest0 + start, dest0 + start + middle });
    spans.push_back({ pixel(start + 1), pixels, dest0 + start * shrink + middle, dest0 + destLength });
    return spans;
}

// Snaps a user-space x or y to the device pixel grid, so adjacent slices meet
// on a pixel edge and no antialiased seam shows between them.
double snapX(cairo_t* cr, double x, double y)
{
    cairo_user_to_device(cr, &x, &y);
    x = std::round(x);
    cairo_device_to_user(cr, &x, &y);
    return x;
}

double snapY(cairo_t* cr, double x, double y)
{
    cairo_user_to_device(cr, &x, &y);
    y = std::round(y);
    cairo_device_to_user(cr, &x, &y);
    return y;
}

bool axisAligned(cairo_t* cr)
{
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    return m.xy == 0 && m.yx == 0;
}

// A pattern drawing pixels [sx0, sx1) × [sy0, sy1) of `pixels` into the
// destination rectangle, with the slice's own edge pixels padding it.
cairo_pattern_t* slicePattern(cairo_surface_t* pixels, const Span& h, const Span& v)
{
    cairo_surface_t* slice = cairo_surface_create_for_rectangle(
        pixels, h.source0, v.source0, h.source1 - h.source0, v.source1 - v.source0);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(slice);
    cairo_surface_destroy(slice);
    double sx = (h.source1 - h.source0) / (h.dest1 - h.dest0);
    double sy = (v.source1 - v.source0) / (v.dest1 - v.dest0);
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, sx, sy);
    cairo_matrix_translate(&matrix, -h.dest0, -v.dest0);
    cairo_pattern_set_matrix(pattern, &matrix);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    // Enlarging looks best bilinear; shrinking needs the averaging filter.
    cairo_pattern_set_filter(pattern, sx < 1 || sy < 1 ? CAIRO_FILTER_GOOD : CAIRO_FILTER_BILINEAR);
    return pattern;
}

// An unscaled surface over the image's pixels: slices are cut in pixels.
cairo_surface_t* pixelSurface(const Image& image)
{
    auto* data = const_cast<unsigned char*>(image.pixels().pixels.data());
    return cairo_image_surface_create_for_data(
        data, CAIRO_FORMAT_ARGB32, image.pixelWidth(), image.pixelHeight(), image.pixels().stride);
}

cairo_pattern_t* imagePattern(const Image& image, const Rect& rect)
{
    cairo_surface_t* pixels = pixelSurface(image);
    Span h { 0, double(image.pixelWidth()), rect.minX(), rect.maxX() };
    Span v { 0, double(image.pixelHeight()), rect.minY(), rect.maxY() };
    cairo_pattern_t* pattern = slicePattern(pixels, h, v);
    cairo_surface_destroy(pixels);
    return pattern;
}

} // namespace

GraphicsContext::GraphicsContext(cairo_t* cairo)
    : m_cairo(cairo)
{
}

void GraphicsContext::save() { cairo_save(m_cairo); }
void GraphicsContext::restore() { cairo_restore(m_cairo); }
void GraphicsContext::translate(double dx, double dy) { cairo_translate(m_cairo, dx, dy); }

void GraphicsContext::concat(const AffineTransform& t)
{
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, t.a, t.b, t.c, t.d, t.tx, t.ty);
    cairo_transform(m_cairo, &matrix);
}

void GraphicsContext::clipToRect(const Rect& rect)
{
    cairo_new_path(m_cairo);
    cairo_rectangle(m_cairo, rect.x(), rect.y(), rect.width(), rect.height());
    cairo_clip(m_cairo);
}

void GraphicsContext::clipToRoundedRect(const Rect& rect, double radius)
{
    cairo_new_path(m_cairo);
    roundedRectPath(m_cairo, rect, radius);
    cairo_clip(m_cairo);
}

void GraphicsContext::beginTransparencyLayer(double alpha)
{
    m_groups.push_back({ false, std::isfinite(alpha) ? std::clamp(alpha, 0.0, 1.0) : 1.0 });
    cairo_push_group(m_cairo);
}

void GraphicsContext::endTransparencyLayer()
{
    if (m_groups.empty() || m_groups.back().isMask)
        return;
    double alpha = m_groups.back().alpha;
    m_groups.pop_back();
    cairo_pop_group_to_source(m_cairo);
    cairo_paint_with_alpha(m_cairo, alpha);
    releaseSource(m_cairo);
}

void GraphicsContext::beginMask()
{
    m_groups.push_back({ true, 1 });
    cairo_push_group(m_cairo);
}

void GraphicsContext::endMask(const Image& mask, const Rect& rect)
{
    if (m_groups.empty() || !m_groups.back().isMask)
        return;
    m_groups.pop_back();
    cairo_pop_group_to_source(m_cairo);
    if (rect.isEmpty() || mask.pixelWidth() <= 0) {
        releaseSource(m_cairo);
        return; // nothing shows through an empty mask
    }
    cairo_pattern_t* pattern = imagePattern(mask, rect);
    cairo_save(m_cairo);
    cairo_rectangle(m_cairo, rect.x(), rect.y(), rect.width(), rect.height());
    cairo_clip(m_cairo);
    cairo_mask(m_cairo, pattern);
    cairo_restore(m_cairo);
    cairo_pattern_destroy(pattern);
    releaseSource(m_cairo);
}

void GraphicsContext::fillRect(const Rect& rect, const Color& color)
{
    cairo_new_path(m_cairo);
    cairo_rectangle(m_cairo, rect.x(), rect.y(), rect.width(), rect.height());
    setColor(m_cairo, color);
    cairo_fill(m_cairo);
}

void GraphicsContext::fillRoundedRect(const Rect& rect, double radius, const Color& color)
{
    cairo_new_path(m_cairo);
    roundedRectPath(m_cairo, rect, radius);
    setColor(m_cairo, color);
    cairo_fill(m_cairo);
}

void GraphicsContext::strokeRect(const Rect& rect, double width, const Color& color)
{
    strokeRoundedRect(rect, 0, width, color);
}

void GraphicsContext::strokeRoundedRect(const Rect& rect, double radius, double width, const Color& color)
{
    cairo_new_path(m_cairo);
    roundedRectPath(m_cairo, rect, radius);
    setColor(m_cairo, color);
    cairo_set_line_width(m_cairo, width);
    cairo_stroke(m_cairo);
}

void GraphicsContext::fillEllipse(const Rect& rect, const Color& color)
{
    if (rect.isEmpty())
        return;
    cairo_new_path(m_cairo);
    cairo_save(m_cairo);
    cairo_translate(m_cairo, rect.midX(), rect.midY());
    cairo_scale(m_cairo, rect.width() / 2, rect.height() / 2);
    cairo_arc(m_cairo, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(m_cairo);
    setColor(m_cairo, color);
    cairo_fill(m_cairo);
}

void GraphicsContext::beginPath() { cairo_new_path(m_cairo); }
void GraphicsContext::moveTo(Point p) { cairo_move_to(m_cairo, p.x, p.y); }

void GraphicsContext::lineTo(Point p)
{
    if (cairo_has_current_point(m_cairo))
        cairo_line_to(m_cairo, p.x, p.y);
    else
        cairo_move_to(m_cairo, p.x, p.y);
}

void GraphicsContext::curveTo(Point c1, Point c2, Point end)
{
    if (!cairo_has_current_point(m_cairo))
        cairo_move_to(m_cairo, c1.x, c1.y);
    cairo_curve_to(m_cairo, c1.x, c1.y, c2.x, c2.y, end.x, end.y);
}

void GraphicsContext::addArc(Point center, double radius, double startAngle, double endAngle, bool clockwise)
{
    // Angles grow clockwise on a y-down screen, which is cairo_arc's direction.
    if (clockwise)
        cairo_arc(m_cairo, center.x, center.y, radius, startAngle, endAngle);
    else
        cairo_arc_negative(m_cairo, center.x, center.y, radius, startAngle, endAngle);
}

void GraphicsContext::closePath() { cairo_close_path(m_cairo); }

void GraphicsContext::fillPath(const Color& color)
{
    setColor(m_cairo, color);
    cairo_fill(m_cairo);
}

void GraphicsContext::strokePath(const Color& color, double width, LineCap cap, LineJoin join)
{
    setColor(m_cairo, color);
    cairo_set_line_width(m_cairo, width);
    switch (cap) {
    case LineCap::Butt: cairo_set_line_cap(m_cairo, CAIRO_LINE_CAP_BUTT); break;
    case LineCap::Round: cairo_set_line_cap(m_cairo, CAIRO_LINE_CAP_ROUND); break;
    case LineCap::Square: cairo_set_line_cap(m_cairo, CAIRO_LINE_CAP_SQUARE); break;
    }
    switch (join) {
    case LineJoin::Miter: cairo_set_line_join(m_cairo, CAIRO_LINE_JOIN_MITER); break;
    case LineJoin::Round: cairo_set_line_join(m_cairo, CAIRO_LINE_JOIN_ROUND); break;
    case LineJoin::Bevel: cairo_set_line_join(m_cairo, CAIRO_LINE_JOIN_BEVEL); break;
    }
    cairo_stroke(m_cairo);
}

void GraphicsContext::setBlendMode(BlendMode mode)
{
    switch (mode) {
    case BlendMode::Normal: cairo_set_operator(m_cairo, CAIRO_OPERATOR_OVER); break;
    case BlendMode::Clear: cairo_set_operator(m_cairo, CAIRO_OPERATOR_CLEAR); break;
    case BlendMode::DestinationIn: cairo_set_operator(m_cairo, CAIRO_OPERATOR_DEST_IN); break;
    }
}

void GraphicsContext::drawImage(const Image& image, const Rect& rect, double alpha)
{
    if (rect.isEmpty() || image.pixelWidth() <= 0 || image.pixelHeight() <= 0 || alpha <= 0)
        return;
    Rect r { rect.minX(), rect.minY(), std::abs(rect.width()), std::abs(rect.height()) };
    Size natural = image.size();
    double scale = image.scale();
    std::vector<Span> columns, rows;
    if (image.isStretchable()) {
        columns = axisSpans(image.leftCapWidth(), natural.width, scale, r.x(), r.width());
        rows = axisSpans(image.topCapHeight(), natural.height, scale, r.y(), r.height());
    } else {
        columns = { { 0, double(image.pixelWidth()), r.x(), r.maxX() } };
        rows = { { 0, double(image.pixelHeight()), r.y(), r.maxY() } };
    }
    bool snap = columns.size() > 1 || rows.size() > 1 ? axisAligned(m_cairo) : false;
    if (snap) {
        for (std::size_t i = 1; i < columns.size(); ++i)
            columns[i - 1].dest1 = columns[i].dest0 = snapX(m_cairo, columns[i].dest0, r.y());
        for (std::size_t i = 1; i < rows.size(); ++i)
            rows[i - 1].dest1 = rows[i].dest0 = snapY(m_cairo, r.x(), rows[i].dest0);
    }

    cairo_surface_t* pixels = pixelSurface(image);
    cairo_save(m_cairo);
    bool layered = alpha < 1 && (columns.size() > 1 || rows.size() > 1);
    if (layered)
        cairo_push_group(m_cairo);
    for (const Span& v : rows) {
        for (const Span& h : columns) {
            if (h.dest1 <= h.dest0 || v.dest1 <= v.dest0 || h.source1 <= h.source0 || v.source1 <= v.source0)
                continue;
            cairo_pattern_t* pattern = slicePattern(pixels, h, v);
            cairo_set_source(m_cairo, pattern);
            cairo_new_path(m_cairo);
            cairo_rectangle(m_cairo, h.dest0, v.dest0, h.dest1 - h.dest0, v.dest1 - v.dest0);
            if (layered || alpha >= 1) {
                cairo_fill(m_cairo);
            } else {
                cairo_save(m_cairo);
                cairo_clip(m_cairo);
                cairo_paint_with_alpha(m_cairo, alpha);
                cairo_restore(m_cairo);
            }
            cairo_pattern_destroy(pattern);
        }
    }
    if (layered) {
        cairo_pop_group_to_source(m_cairo);
        cairo_paint_with_alpha(m_cairo, alpha);
    }
    cairo_restore(m_cairo);
    cairo_surface_destroy(pixels);
}

void GraphicsContext::drawText(const TextLayout& layout, Point origin) { layout.draw(*this, origin); }

} // namespace ui
