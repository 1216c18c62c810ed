#pragma once
#include <vector>

#include "ui/graphics/Color.h"
#include "ui/graphics/Geometry.h"

typedef struct _cairo cairo_t;

namespace ui {

class Image;
class TextLayout;

enum class LineCap { Butt, Round, Square };
enum class LineJoin { Miter, Round, Bevel };
enum class BlendMode { Normal, Clear, DestinationIn };

// Drawing in points on a Cairo context whose device scale is the screen's.
// A view's painter has its translation and clip set once by the renderer.
class GraphicsContext {
public:
    explicit GraphicsContext(cairo_t* cairo);
    cairo_t* cairo() const { return m_cairo; }

    void save();
    void restore();
    void translate(double dx, double dy);
    void concat(const AffineTransform& transform);
    void clipToRect(const Rect& rect);
    void clipToRoundedRect(const Rect& rect, double radius);

    // Everything drawn between begin and end is composited with the alpha.
    void beginTransparencyLayer(double alpha);
    void endTransparencyLayer();
    // Everything drawn between begin and end is masked by the image's alpha in `rect`.
    void beginMask();
    void endMask(const Image& mask, const Rect& rect);

    void fillRect(const Rect& rect, const Color& color);
    void fillRoundedRect(const Rect& rect, double radius, const Color& color);
    void strokeRect(const Rect& rect, double width, const Color& color);
    void strokeRoundedRect(const Rect& rect, double radius, double width, const Color& color);
    void fillEllipse(const Rect& rect, const Color& color);

    // Paths in points; fill or stroke consumes the current path. A clockwise arc
    // turns clockwise as seen on screen (y grows downwards).
    void beginPath();
    void moveTo(Point point);
    void lineTo(Point point);
    void curveTo(Point control1, Point control2, Point end);
    void addArc(Point center, double radius, double startAngle, double endAngle, bool clockwise);
    void closePath();
    void fillPath(const Color& color);
    void strokePath(const Color& color, double width, LineCap cap = LineCap::Butt, LineJoin join = LineJoin::Miter);
    void setBlendMode(BlendMode mode);

    // Draws the image into `rect`, honouring its stretch caps when it has them.
    void drawImage(const Image& image, const Rect& rect, double alpha = 1);
    void drawText(const TextLayout& layout, Point origin);

private:
    // Open transparency layers and masks, innermost last; an end that does not
    // match the innermost one is ignored.
    struct Group {
        bool isMask = false;
        double alpha = 1;
    };
    cairo_t* m_cairo;
    std::vector<Group> m_groups;
};

} // namespace ui
