#pragma once
#include <string>

#include "ui/graphics/AttributedString.h"

// The red-packet form's large amount: the amount field read as a
// single-precision value, in the locale's currency style, with the sign
// pulled close to the digits.
namespace RedPacketAmountText {

// The font of the large amount.
ui::Font font();
// The kerning after the sign: a system older than 9.3 spaces it wider, so
// it is pulled in further.
double signKern();

// The amount the field holds; empty or unreadable text is 0.
float amount(const std::u16string& fieldText);
// The currency text of the field, its first character kerned by `signKern`.
ui::AttributedString preview(const std::u16string& fieldText);
// What the form shows before anything is typed.
ui::AttributedString initial();

} // namespace RedPacketAmountText
