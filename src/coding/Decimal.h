#pragma once
#include <array>
#include <cstdint>

#include "coding/Object.h"

namespace coding {

// A decimal number kept as the phone's 20-byte decimal record: one 32-bit word
// (bits 0-7 the signed exponent, 8-11 the mantissa length in 16-bit words, 12 the
// sign, 13 "compact") followed by eight little-endian 16-bit mantissa words.
class Decimal final : public Object {
public:
    using Record = std::array<std::uint8_t, 20>;

    explicit Decimal(const Record& record);
    // mantissa × 10^exponent.
    static std::shared_ptr<Decimal> make(std::uint64_t mantissa, int exponent, bool negative = false);

    Kind kind() const override { return Kind::Decimal; }
    bool isEqual(const Object& other) const override;

    const Record& record() const { return m_record; }
    int exponent() const;
    bool isNegative() const;
    double doubleValue() const;

private:
    Record m_record {};
};

} // namespace coding
