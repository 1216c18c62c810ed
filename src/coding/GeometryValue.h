#pragma once
#include <cstddef>
#include <vector>

#include "coding/Object.h"

namespace coding {

// The boxed geometry structures: point (x, y), size (width, height), rectangle
// (x, y, width, height), range (location, length), vector (dx, dy), affine
// transform (a, b, c, d, tx, ty) and 3D transform (sixteen values, row by row).
enum class GeometryType { Point, Size, Rect, Range, Vector, AffineTransform, Transform3D };

class GeometryValue final : public Object {
public:
    // `values` must have valueCount(type) entries; missing ones read as zero.
    GeometryValue(GeometryType type, std::vector<double> values);
    static std::shared_ptr<GeometryValue> make(GeometryType type, std::vector<double> values);
    static std::size_t valueCount(GeometryType type);

    Kind kind() const override { return Kind::Geometry; }
    bool isEqual(const Object& other) const override;

    GeometryType type() const { return m_type; }
    const std::vector<double>& values() const { return m_values; }

private:
    GeometryType m_type;
    std::vector<double> m_values;
};

} // namespace coding
