#pragma once
#include <string>
#include <string_view>

#include "coding/Object.h"

namespace coding {

// A text value, kept as the UTF-8 bytes it is stored as (so that whatever was
// read is written back unchanged). Mutable strings are a different class on the
// phone and are written differently (through the object cache).
class String final : public Object {
public:
    explicit String(std::string utf8 = {}, bool isMutable = false);
    static std::shared_ptr<String> make(std::string utf8, bool isMutable = false);
    static std::shared_ptr<String> fromUtf16(std::u16string_view text, bool isMutable = false);

    Kind kind() const override { return Kind::String; }
    bool isEqual(const Object& other) const override;

    const std::string& utf8() const { return m_utf8; }
    // The text in the phone's string units; malformed UTF-8 becomes U+FFFD.
    std::u16string utf16() const;
    bool isMutable() const { return m_mutable; }
    void setUtf8(std::string utf8);

private:
    std::string m_utf8;
    bool m_mutable = false;
};

using StringPtr = std::shared_ptr<String>;

// The text of a possibly absent string, in UTF-16 units; empty when absent.
std::u16string text(const StringPtr& string);

} // namespace coding
