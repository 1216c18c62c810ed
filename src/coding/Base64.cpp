#include "coding/Base64.h"

#include <array>

namespace coding::base64 {

static constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string encode(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        std::uint32_t group = std::uint32_t(bytes[i]) << 16 | std::uint32_t(bytes[i + 1]) << 8 | bytes[i + 2];
        for (int shift = 18; shift >= 0; shift -= 6)
            text.push_back(alphabet[(group >> shift) & 63]);
    }
    std::size_t rest = bytes.size() - i;
    if (rest) {
        std::uint32_t group = std::uint32_t(bytes[i]) << 16 | (rest == 2 ? std::uint32_t(bytes[i + 1]) << 8 : 0);
        text.push_back(alphabet[(group >> 18) & 63]);
        text.push_back(alphabet[(group >> 12) & 63]);
        text.push_back(rest == 2 ? alphabet[(group >> 6) & 63] : '=');
        text.push_back('=');
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> decode(std::string_view text)
{
    static const std::array<int, 256> values = [] {
        std::array<int, 256> table;
        table.fill(-1);
        for (int i = 0; i < 64; ++i)
            table[std::uint8_t(alphabet[i])] = i;
        return table;
    }();
    if (text.size() % 4)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        bool last = i + 4 == text.size();
        int padding = 0;
        std::uint32_t group = 0;
        for (std::size_t j = 0; j < 4; ++j) {
            char c = text[i + j];
            int value = values[std::uint8_t(c)];
            if (c == '=' && last && j >= 2) {
                ++padding;
                value = 0;
            } else if (value < 0 || padding) {
                return std::nullopt;
            }
            group = group << 6 | std::uint32_t(value);
        }
        bytes.push_back(std::uint8_t(group >> 16));
        if (padding < 2)
            bytes.push_back(std::uint8_t(group >> 8));
        if (padding < 1)
            bytes.push_back(std::uint8_t(group));
    }
    return bytes;
}

} // namespace coding::base64
