#pragma once
#include <cstdint>

namespace platform::le {

// RIFF files are little-endian whatever the host is, so fields are packed and
// unpacked byte by byte.
inline std::uint16_t u16(const std::uint8_t* bytes)
{
    return std::uint16_t(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t u32(const std::uint8_t* bytes)
{
    return std::uint32_t(bytes[0]) | (std::uint32_t(bytes[1]) << 8) | (std::uint32_t(bytes[2]) << 16)
        | (std::uint32_t(bytes[3]) << 24);
}

inline void put16(std::uint8_t* bytes, std::uint16_t value)
{
    bytes[0] = std::uint8_t(value);
    bytes[1] = std::uint8_t(value >> 8);
}

inline void put32(std::uint8_t* bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = std::uint8_t(value >> (8 * i));
}

} // namespace platform::le
