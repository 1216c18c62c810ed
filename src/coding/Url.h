#pragma once
#include "coding/String.h"

namespace coding {

// A URL as the phone keeps it: a string relative to an optional base URL.
class Url final : public Object {
public:
    Url(StringPtr relative, std::shared_ptr<Url> base);
    static std::shared_ptr<Url> make(std::string relative, std::shared_ptr<Url> base = nullptr);

    Kind kind() const override { return Kind::Url; }
    bool isEqual(const Object& other) const override;

    const StringPtr& relativeString() const { return m_relative; }
    const std::shared_ptr<Url>& baseUrl() const { return m_base; }

private:
    StringPtr m_relative;
    std::shared_ptr<Url> m_base;
};

using UrlPtr = std::shared_ptr<Url>;

} // namespace coding
