#include "widgets/ColorHex.h"

#include <algorithm>
#include <cctype>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace {

// Trims white space and line breaks as the phone does, counting in UTF-16 units.
icu::UnicodeString trimmedUpper(std::string_view text)
{
    icu::UnicodeString s = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), int32_t(text.size())));
    int32_t start = 0, end = s.length();
    while (start < end && u_isUWhiteSpace(s.char32At(start)))
        start = s.moveIndex32(start, 1);
    while (end > start && u_isUWhiteSpace(s.char32At(s.moveIndex32(end, -1))))
        end = s.moveIndex32(end, -1);
    icu::UnicodeString trimmed(s, start, end - start);
    trimmed.toUpper(icu::Locale::getRoot());
    return trimmed;
}

// Reads two hex digits; like the phone's scanner, the number ends at the first
// character that is not a digit, so "G1" reads as 0.
int hexPair(const icu::UnicodeString& s, int32_t at)
{
    int value = 0;
    for (int32_t i = at; i < at + 2; ++i) {
        char16_t c = s.charAt(i);
        int digit = (c >= u'0' && c <= u'9') ? c - u'0' : (c >= u'A' && c <= u'F') ? c - u'A' + 10 : -1;
        if (digit < 0)
            return value;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

ui::Color colorWithHexString(std::string_view text, double alpha)
{
    icu::UnicodeString s = trimmedUpper(text);
    if (s.length() < 6)
        return ui::Color::clearColor();
    if (s.startsWith(u"0X"))
        s.remove(0, 2);
    if (s.startsWith(u"#"))
        s.remove(0, 1);
    if (s.length() != 6)
        return ui::Color::clearColor();
    int r = hexPair(s, 0);
    int g = hexPair(s, 2);
    int b = hexPair(s, 4);
    return { r / 255.0, g / 255.0, b / 255.0, alpha };
}

std::string ToHex(long n)
{
    auto digit = [](long d) -> std::string {
        if (d >= 10 && d <= 15)
            return std::string(1, char('A' + (d - 10)));
        return std::to_string(d);
    };
    return digit(n / 16) + digit(n % 16);
}

std::string toColorString(const ui::Color& color)
{
    return "#" + ToHex(long(color.red * 255)) + ToHex(long(color.green * 255)) + ToHex(long(color.blue * 255));
}
