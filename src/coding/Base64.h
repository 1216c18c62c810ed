#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace coding::base64 {

// Standard alphabet with "=" padding.
std::string encode(const std::vector<std::uint8_t>& bytes);
// Strict: the standard alphabet, length a multiple of 4, padding only at the end;
// std::nullopt for anything else.
std::optional<std::vector<std::uint8_t>> decode(std::string_view text);

} // namespace coding::base64
