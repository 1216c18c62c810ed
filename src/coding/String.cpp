#include "coding/String.h"

#include <unicode/unistr.h>

namespace coding {

String::String(std::string utf8, bool isMutable)
    : m_utf8(std::move(utf8))
    , m_mutable(isMutable)
{
}

std::shared_ptr<String> String::make(std::string utf8, bool isMutable)
{
    return std::make_shared<String>(std::move(utf8), isMutable);
}

std::shared_ptr<String> String::fromUtf16(std::u16string_view text, bool isMutable)
{
    icu::UnicodeString unicode(false, text.data(), int32_t(text.size()));
    std::string utf8;
    unicode.toUTF8String(utf8);
    return make(std::move(utf8), isMutable);
}

bool String::isEqual(const Object& other) const
{
    auto* string = dynamic_cast<const String*>(&other);
    return string && string->m_utf8 == m_utf8;
}

std::u16string String::utf16() const
{
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(m_utf8);
    return std::u16string(unicode.getBuffer(), std::size_t(unicode.length()));
}

void String::setUtf8(std::string utf8)
{
    if (utf8 == m_utf8)
        return;
    m_utf8 = std::move(utf8);
}

std::u16string text(const StringPtr& string) { return string ? string->utf16() : std::u16string(); }

} // namespace coding
