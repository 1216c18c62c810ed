#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// The number at the foot of an opened payment-app red packet: "红包编号："
// followed by the packet's date as yyyyMMdd and 28 random digits, each a
// uniform 32-bit number modulo 9 (so never a 9). A new number at every opening.
struct RedPacketNumber {
    static constexpr int kRandomDigits = 28;
    using RandomSource = std::function<std::uint32_t()>;

    // `date` in seconds since 1970, in the local time zone; an absent date
    // leaves out the date digits.
    static std::string text(std::optional<double> date, const RandomSource& random);
    // The same with the process's uniform random source.
    static std::string text(std::optional<double> date);
};
