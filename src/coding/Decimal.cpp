#include "coding/Decimal.h"

#include <algorithm>
#include <cmath>

namespace coding {

Decimal::Decimal(const Record& record)
    : m_record(record)
{
}

std::shared_ptr<Decimal> Decimal::make(std::uint64_t mantissa, int exponent, bool negative)
{
    Record record {};
    int length = 0;
    for (int word = 0; word < 4; ++word) {
        std::uint16_t part = std::uint16_t(mantissa >> (16 * word));
        record[std::size_t(4 + 2 * word)] = std::uint8_t(part & 0xff);
        record[std::size_t(5 + 2 * word)] = std::uint8_t(part >> 8);
        if (part)
            length = word + 1;
    }
    std::uint32_t flags = std::uint8_t(std::int8_t(exponent)) | std::uint32_t(length) << 8
        | (negative ? 1u << 12 : 0u) | 1u << 13;
    for (int i = 0; i < 4; ++i)
        record[std::size_t(i)] = std::uint8_t(flags >> (8 * i));
    return std::make_shared<Decimal>(record);
}

int Decimal::exponent() const { return std::int8_t(m_record[0]); }

bool Decimal::isNegative() const { return m_record[1] & 0x10; }

double Decimal::doubleValue() const
{
    int length = m_record[1] & 0x0f;
    double mantissa = 0;
    for (int word = std::min(length, 8) - 1; word >= 0; --word)
        mantissa = mantissa * 65536.0 + (m_record[std::size_t(4 + 2 * word)] | m_record[std::size_t(5 + 2 * word)] << 8);
    double value = mantissa * std::pow(10.0, exponent());
    return isNegative() ? -value : value;
}

bool Decimal::isEqual(const Object& other) const
{
    auto* decimal = dynamic_cast<const Decimal*>(&other);
    return decimal && decimal->m_record == m_record;
}

} // namespace coding
