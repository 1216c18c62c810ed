#pragma once
#include <cstdint>

#include "coding/Object.h"

namespace coding {

// How a number is stored; the encoder picks the smallest integer type that holds
// the value, but floats stay floats of their own width.
enum class NumberType { Int8, Int16, Int32, Int64, Float32, Float64 };

// A number that remembers its storage type and whether it is one of the two
// boolean constants (true and false are distinct from the integers 1 and 0).
class Number final : public Object {
public:
    Number(std::int64_t value, NumberType type);
    Number(double value, NumberType type);

    // The boolean constants: always the same two objects.
    static std::shared_ptr<Number> boolean(bool value);
    // Small non-negative whole values are shared objects, like the booleans.
    static std::shared_ptr<Number> integer(std::int64_t value, NumberType type = NumberType::Int64);
    static std::shared_ptr<Number> real(double value, NumberType type = NumberType::Float64);

    Kind kind() const override { return Kind::Number; }
    bool isEqual(const Object& other) const override;

    NumberType type() const { return m_type; }
    bool isBoolean() const { return m_boolean; }
    bool isFloatingPoint() const { return m_type == NumberType::Float32 || m_type == NumberType::Float64; }
    std::int64_t integerValue() const;
    double doubleValue() const;
    bool boolValue() const { return isFloatingPoint() ? m_real != 0 : m_integer != 0; }

private:
    struct BooleanTag { };
    Number(bool value, BooleanTag);

    NumberType m_type = NumberType::Int64;
    bool m_boolean = false;
    std::int64_t m_integer = 0;
    double m_real = 0;
};

using NumberPtr = std::shared_ptr<Number>;

} // namespace coding
