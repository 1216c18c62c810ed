#pragma once
#include <memory>
#include <vector>

#include "ui/graphics/Color.h"
#include "ui/graphics/Geometry.h"

namespace ui {
class GraphicsContext;
}

// One stroke as drawn: a run of straight segments from its first point, with
// round caps and joins, one width and one colour. An eraser stroke makes the
// pixels under it transparent.
class DWPath {
public:
    DWPath(ui::Point start, double lineWidth, const ui::Color& color, bool isEraser);

    const std::vector<ui::Point>& points() const { return m_points; }
    double lineWidth() const { return m_lineWidth; }
    const ui::Color& pathColor() const { return m_color; }
    bool isEraser() const { return m_isEraser; }

    void addLineTo(ui::Point point);
    // Everything the stroke may cover, antialiasing included.
    ui::Rect bounds() const { return m_bounds; }
    // What the last segment (or the lone first point) may cover.
    ui::Rect lastSegmentBounds() const;

    // Strokes the whole path: an eraser first clears under it, then the
    // colour is laid on (nothing for the transparent colour).
    void stroke(ui::GraphicsContext& context) const;
    // The same, limited to the segments that may reach `area`: what a redraw
    // of that area needs, at a cost that does not grow with the stroke's length
    // outside it.
    void stroke(ui::GraphicsContext& context, const ui::Rect& area) const;

private:
    double reach() const { return m_lineWidth / 2 + 1; }
    ui::Rect segmentBounds(size_t index) const;
    void addSegments(ui::GraphicsContext& context, const ui::Rect* area) const;
    void paint(ui::GraphicsContext& context, const ui::Rect* area) const;

    std::vector<ui::Point> m_points;
    double m_lineWidth;
    ui::Color m_color;
    bool m_isEraser;
    ui::Rect m_bounds;
};

using DWPathPtr = std::shared_ptr<DWPath>;
