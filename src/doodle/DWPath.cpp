#include "doodle/DWPath.h"

#include <algorithm>
#include <cmath>

#include "ui/graphics/GraphicsContext.h"

namespace {

ui::Rect around(ui::Point a, ui::Point b, double reach)
{
    double x0 = std::min(a.x, b.x) - reach, y0 = std::min(a.y, b.y) - reach;
    double x1 = std::max(a.x, b.x) + reach, y1 = std::max(a.y, b.y) + reach;
    return { x0, y0, x1 - x0, y1 - y0 };
}

ui::Rect unite(const ui::Rect& a, const ui::Rect& b)
{
    double x0 = std::min(a.minX(), b.minX()), y0 = std::min(a.minY(), b.minY());
    double x1 = std::max(a.maxX(), b.maxX()), y1 = std::max(a.maxY(), b.maxY());
    return { x0, y0, x1 - x0, y1 - y0 };
}

bool finite(ui::Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

} // namespace

DWPath::DWPath(ui::Point start, double lineWidth, const ui::Color& color, bool isEraser)
    : m_lineWidth(std::isfinite(lineWidth) && lineWidth > 0 ? lineWidth : 1)
    , m_color(color)
    , m_isEraser(isEraser)
{
    m_points.push_back(finite(start) ? start : ui::Point {});
    m_bounds = around(m_points.front(), m_points.front(), reach());
}

void DWPath::addLineTo(ui::Point point)
{
    if (!finite(point))
        return;
    m_points.push_back(point);
    m_bounds = unite(m_bounds, lastSegmentBounds());
}

ui::Rect DWPath::segmentBounds(size_t index) const
{
    // Segment i runs from point i - 1 to point i; "segment" 0 is the first point.
    return around(m_points[index == 0 ? 0 : index - 1], m_points[index], reach());
}

ui::Rect DWPath::lastSegmentBounds() const { return segmentBounds(m_points.size() - 1); }

void DWPath::addSegments(ui::GraphicsContext& context, const ui::Rect* area) const
{
    context.beginPath();
    if (!area) {
        context.moveTo(m_points.front());
        if (m_points.size() == 1)
            context.lineTo(m_points.front());
        for (size_t i = 1; i < m_points.size(); ++i)
            context.lineTo(m_points[i]);
        return;
    }
    // Segments far from the area leave gaps; their caps and joins lie outside it.
    bool open = false;
    for (size_t i = 0; i < m_points.size(); ++i) {
        if (!segmentBounds(i).intersects(*area)) {
            open = false;
            continue;
        }
        if (!open)
            context.moveTo(m_points[i == 0 ? 0 : i - 1]);
        context.lineTo(m_points[i]);
        open = true;
    }
}

void DWPath::paint(ui::GraphicsContext& context, const ui::Rect* area) const
{
    if (area && !m_bounds.intersects(*area))
        return;
    if (m_isEraser) {
        addSegments(context, area);
        context.setBlendMode(ui::BlendMode::Clear);
        context.strokePath(ui::Color::blackColor(), m_lineWidth, ui::LineCap::Round, ui::LineJoin::Round);
        context.setBlendMode(ui::BlendMode::Normal);
    }
    if (m_color.isClear())
        return;
    addSegments(context, area);
    context.strokePath(m_color, m_lineWidth, ui::LineCap::Round, ui::LineJoin::Round);
}

void DWPath::stroke(ui::GraphicsContext& context) const { paint(context, nullptr); }
void DWPath::stroke(ui::GraphicsContext& context, const ui::Rect& area) const { paint(context, &area); }
