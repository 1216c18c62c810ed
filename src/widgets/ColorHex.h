#pragma once
#include <string>
#include <string_view>

#include "ui/graphics/Color.h"

// Colours written as hexadecimal text ("#ed4040", "0xFF8800"). Text that
// cannot be read gives the clear colour, never an error.
ui::Color colorWithHexString(std::string_view text, double alpha = 1.0);
// "#RRGGBB" from the first three components, each times 255 truncated.
std::string toColorString(const ui::Color& color);
// Two characters for n: the digit for n / 16, then the digit for n % 16, where
// 10 to 15 are "A" to "F" and any other value is written as its number.
std::string ToHex(long n);
