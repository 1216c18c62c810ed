#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The phone's own readings and writings of numbers in text, in one place, so that
// every screen that takes or shows an amount agrees with the others.
namespace platform::values {

// The phone's white space: what its string trimming and number reading skip.
bool isWhiteSpace(char16_t c);
// True when the text is empty or holds only white space.
bool isBlank(const std::u16string& text);

// integerValue: leading white space, an optional sign, then digits; anything
// else gives 0 (" 12" → 12, "5x" → 5). Too many digits stay at the limit.
std::int64_t integerValue(const std::u16string& text);

// floatValue: leading white space, then the longest numeric prefix (sign,
// digits, one ".", an exponent), read as a 32-bit float; else 0
// ("." → 0, "12.5abc" → 12.5).
float floatValue(const std::u16string& text);

// The currency text of the app's locale for a single-precision amount:
// 1234.5 → "￥1,234.50" in zh_CN. The value is widened from float exactly as the
// phone widens it, so 0.1 shows as "￥0.10".
std::string currencyText(float amount);
// The same text without its currency sign (and the space some locales put
// after it): "¥1,234.50" → "1,234.50".
std::string withoutCurrencySign(const std::string& text);
// The text with every grouping comma removed: "1,234.50" → "1234.50".
std::string withoutCommas(const std::string& text);

// substringFromIndex: the text from its `index`-th UTF-16 unit on. Where the
// phone would throw (the text is shorter than `index`), the result is empty.
std::string substringFromIndex(const std::string& text, std::size_t index);

// "%.f": the value rounded to a whole number, halves to even (2.5 → "2").
std::string roundedText(double value);

// "%@.00" where the text has no ".": "100" → "100.00", "0.5" stays "0.5".
std::string withCentsIfWhole(const std::string& text);

} // namespace platform::values
