#pragma once
#include <algorithm>
#include <cmath>

namespace ui {

// Geometry in points, as the phone's toolkit measures it. The renderer turns
// points into pixels with the screen's scale.
struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
    Point operator+(const Point& o) const { return { x + o.x, y + o.y }; }
    Point operator-(const Point& o) const { return { x - o.x, y - o.y }; }
};

struct Size {
    double width = 0;
    double height = 0;
    bool operator==(const Size&) const = default;
    bool isEmpty() const { return width <= 0 || height <= 0; }
};

struct EdgeInsets {
    double top = 0;
    double left = 0;
    double bottom = 0;
    double right = 0;
    bool operator==(const EdgeInsets&) const = default;
};

struct Rect {
    Point origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(double x, double y, double w, double h)
        : origin { x, y }
        , size { w, h }
    {
    }
    constexpr Rect(Point o, Size s)
        : origin(o)
        , size(s)
    {
    }
    bool operator==(const Rect&) const = default;

    double x() const { return origin.x; }
    double y() const { return origin.y; }
    double width() const { return size.width; }
    double height() const { return size.height; }
    double minX() const { return std::min(origin.x, origin.x + size.width); }
    double minY() const { return std::min(origin.y, origin.y + size.height); }
    double maxX() const { return std::max(origin.x, origin.x + size.width); }
    double maxY() const { return std::max(origin.y, origin.y + size.height); }
    double midX() const { return origin.x + size.width / 2; }
    double midY() const { return origin.y + size.height / 2; }
    Point center() const { return { midX(), midY() }; }
    bool isEmpty() const { return size.isEmpty(); }

    bool contains(Point p) const { return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY(); }
    bool intersects(const Rect& o) const
    {
        return minX() < o.maxX() && o.minX() < maxX() && minY() < o.maxY() && o.minY() < maxY();
    }
    Rect intersection(const Rect& o) const
    {
        double x0 = std::max(minX(), o.minX()), y0 = std::max(minY(), o.minY());
        double x1 = std::min(maxX(), o.maxX()), y1 = std::min(maxY(), o.maxY());
        if (x1 <= x0 || y1 <= y0)
            return {};
        return { x0, y0, x1 - x0, y1 - y0 };
    }
    Rect offsetBy(double dx, double dy) const { return { origin.x + dx, origin.y + dy, size.width, size.height }; }
    Rect insetBy(double dx, double dy) const { return { origin.x + dx, origin.y + dy, size.width - 2 * dx, size.height - 2 * dy }; }
    Rect inset(const EdgeInsets& i) const
    {
        return { origin.x + i.left, origin.y + i.top, size.width - i.left - i.right, size.height - i.top - i.bottom };
    }
};

// An affine transform as the phone's toolkit writes it: x' = a x + c y + tx,
// y' = b x + d y + ty.
struct AffineTransform {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static AffineTransform identity() { return {}; }
    static AffineTransform translation(double x, double y) { return { 1, 0, 0, 1, x, y }; }
    static AffineTransform scale(double sx, double sy) { return { sx, 0, 0, sy, 0, 0 }; }
    static AffineTransform rotation(double radians)
    {
        double c = std::cos(radians), s = std::sin(radians);
        return { c, s, -s, c, 0, 0 };
    }
    bool operator==(const AffineTransform&) const = default;
    bool isIdentity() const { return *this == AffineTransform {}; }

    // this applied first, then other.
    AffineTransform concat(const AffineTransform& o) const
    {
        return { a * o.a + b * o.c, a * o.b + b * o.d, c * o.a + d * o.c, c * o.b + d * o.d,
            tx * o.a + ty * o.c + o.tx, tx * o.b + ty * o.d + o.ty };
    }
    AffineTransform inverted() const
    {
        double det = a * d - b * c;
        if (det == 0)
            return *this;
        return { d / det, -b / det, -c / det, a / det, (c * ty - d * tx) / det, (b * tx - a * ty) / det };
    }
    Point apply(Point p) const { return { a * p.x + c * p.y + tx, b * p.x + d * p.y + ty }; }
};

} // namespace ui
