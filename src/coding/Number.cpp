#include "coding/Number.h"

#include <array>
#include <cmath>
#include <limits>

namespace coding {

static std::int64_t narrowed(std::int64_t value, NumberType type)
{
    switch (type) {
    case NumberType::Int8:
        return std::int8_t(value);
    case NumberType::Int16:
        return std::int16_t(value);
    case NumberType::Int32:
        return std::int32_t(value);
    default:
        return value;
    }
}

Number::Number(std::int64_t value, NumberType type)
    : m_type(type)
{
    if (isFloatingPoint())
        m_real = type == NumberType::Float32 ? double(float(value)) : double(value);
    else
        m_integer = narrowed(value, type);
}

Number::Number(double value, NumberType type)
    : m_type(type)
{
    if (type == NumberType::Float32)
        m_real = double(float(value));
    else if (type == NumberType::Float64)
        m_real = value;
    else if (std::isnan(value))
        m_integer = 0;
    else if (value >= 9.2233720368547758e18)
        m_integer = std::numeric_limits<std::int64_t>::max();
    else if (value <= -9.2233720368547758e18)
        m_integer = std::numeric_limits<std::int64_t>::min();
    else
        m_integer = narrowed(std::int64_t(value), type);
}

Number::Number(bool value, BooleanTag)
    : m_type(NumberType::Int8)
    , m_boolean(true)
    , m_integer(value ? 1 : 0)
{
}

std::shared_ptr<Number> Number::boolean(bool value)
{
    static const auto yes = std::shared_ptr<Number>(new Number(true, BooleanTag {}));
    static const auto no = std::shared_ptr<Number>(new Number(false, BooleanTag {}));
    return value ? yes : no;
}

// Records are full of small numbers (kinds, styles, zero durations); numbers
// never change, so each small value of each type is one shared object instead
// of an allocation per stored value.
static constexpr int kSharedValues = 16;

static const std::shared_ptr<Number>& sharedNumber(int value, NumberType type)
{
    static const auto table = [] {
        std::array<std::array<std::shared_ptr<Number>, kSharedValues>, std::size_t(NumberType::Float64) + 1> numbers;
        for (std::size_t kind = 0; kind < numbers.size(); ++kind) {
            for (int small = 0; small < kSharedValues; ++small)
                numbers[kind][std::size_t(small)] = std::make_shared<Number>(std::int64_t(small), NumberType(kind));
        }
        return numbers;
    }();
    return table[std::size_t(type)][std::size_t(value)];
}

std::shared_ptr<Number> Number::integer(std::int64_t value, NumberType type)
{
    if (value >= 0 && value < kSharedValues)
        return sharedNumber(int(value), type);
    return std::make_shared<Number>(value, type);
}

std::shared_ptr<Number> Number::real(double value, NumberType type)
{
    // Only floating-point types keep the value as given; -0.0 stays its own.
    bool exactSmall = value >= 0 && value < kSharedValues && value == std::floor(value) && !std::signbit(value);
    if (exactSmall && (type == NumberType::Float32 || type == NumberType::Float64))
        return sharedNumber(int(value), type);
    return std::make_shared<Number>(value, type);
}

std::int64_t Number::integerValue() const
{
    if (!isFloatingPoint())
        return m_integer;
    if (std::isnan(m_real))
        return 0;
    if (m_real >= 9.2233720368547758e18)
        return std::numeric_limits<std::int64_t>::max();
    if (m_real <= -9.2233720368547758e18)
        return std::numeric_limits<std::int64_t>::min();
    return std::int64_t(m_real);
}

double Number::doubleValue() const { return isFloatingPoint() ? m_real : double(m_integer); }

bool Number::isEqual(const Object& other) const
{
    auto* number = dynamic_cast<const Number*>(&other);
    if (!number)
        return false;
    if (isFloatingPoint() || number->isFloatingPoint())
        return doubleValue() == number->doubleValue();
    return m_integer == number->m_integer;
}

} // namespace coding
