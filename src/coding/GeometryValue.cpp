#include "coding/GeometryValue.h"

namespace coding {

GeometryValue::GeometryValue(GeometryType type, std::vector<double> values)
    : m_type(type)
    , m_values(std::move(values))
{
    m_values.resize(valueCount(type), 0.0);
}

std::shared_ptr<GeometryValue> GeometryValue::make(GeometryType type, std::vector<double> values)
{
    return std::make_shared<GeometryValue>(type, std::move(values));
}

std::size_t GeometryValue::valueCount(GeometryType type)
{
    switch (type) {
    case GeometryType::Rect:
        return 4;
    case GeometryType::AffineTransform:
        return 6;
    case GeometryType::Transform3D:
        return 16;
    default:
        return 2;
    }
}

bool GeometryValue::isEqual(const Object& other) const
{
    auto* value = dynamic_cast<const GeometryValue*>(&other);
    return value && value->m_type == m_type && value->m_values == m_values;
}

} // namespace coding
