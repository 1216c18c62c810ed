#include "platform/PhoneValues.h"

#include "platform/Locale.h"

#include <unicode/unistr.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace platform::values {

bool isWhiteSpace(char16_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A)
        || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

bool isBlank(const std::u16string& text)
{
    for (char16_t c : text)
        if (!isWhiteSpace(c))
            return false;
    return true;
}

std::int64_t integerValue(const std::u16string& text)
{
    std::size_t i = 0;
    while (i < text.size() && isWhiteSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        int digit = text[i] - u'0';
        if (value > (limit - digit) / 10)
            return negative ? std::numeric_limits<std::int64_t>::min() : limit;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

float floatValue(const std::u16string& text)
{
    std::size_t i = 0;
    while (i < text.size() && isWhiteSpace(text[i]))
        ++i;
    // Copy the longest prefix that can be a number, in ASCII, then let strtof
    // decide how much of it is one; a lone "." or "e" reads as 0.
    std::string prefix;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        prefix += static_cast<char>(text[i++]);
    bool seenPoint = false;
    bool seenExponent = false;
    for (; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'0' && c <= u'9') {
            prefix += static_cast<char>(c);
        } else if (c == u'.' && !seenPoint && !seenExponent) {
            seenPoint = true;
            prefix += '.';
        } else if ((c == u'e' || c == u'E') && !seenExponent) {
            seenExponent = true;
            prefix += 'e';
            if (i + 1 < text.size() && (text[i + 1] == u'+' || text[i + 1] == u'-'))
                prefix += static_cast<char>(text[++i]);
        } else {
            break;
        }
    }
    if (prefix.empty())
        return 0;
    float value = std::strtof(prefix.c_str(), nullptr);
    return std::isfinite(value) ? value : 0;
}

std::string currencyText(float amount)
{
    return locale::formatCurrency(static_cast<double>(amount));
}

std::string withoutCurrencySign(const std::string& text)
{
    // The sign is whatever stands before the first digit or point, except a
    // minus, which stays in front of the number.
    std::string out;
    std::size_t start = 0;
    for (; start < text.size(); ++start) {
        char c = text[start];
        if ((c >= '0' && c <= '9') || c == '.')
            break;
        if (c == '-')
            out = "-";
    }
    // Locales that put the sign after the number ("1,234.50 €").
    std::size_t end = text.size();
    while (end > start) {
        char c = text[end - 1];
        if ((c >= '0' && c <= '9') || c == '.')
            break;
        --end;
    }
    return out + text.substr(start, end - start);
}

std::string withoutCommas(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ',')
            out += c;
    return out;
}

std::string substringFromIndex(const std::string& text, std::size_t index)
{
    icu::UnicodeString units = icu::UnicodeString::fromUTF8(text);
    if (index >= static_cast<std::size_t>(units.length()))
        return {};
    std::string out;
    units.tempSubString(static_cast<int32_t>(index)).toUTF8String(out);
    return out;
}

std::string roundedText(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.f", value);
    return buffer;
}

std::string withCentsIfWhole(const std::string& text)
{
    return text.find('.') == std::string::npos ? text + ".00" : text;
}

} // namespace platform::values
