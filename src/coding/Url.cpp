#include "coding/Url.h"

namespace coding {

Url::Url(StringPtr relative, std::shared_ptr<Url> base)
    : m_relative(relative ? std::move(relative) : String::make({}))
    , m_base(std::move(base))
{
}

std::shared_ptr<Url> Url::make(std::string relative, std::shared_ptr<Url> base)
{
    return std::make_shared<Url>(String::make(std::move(relative)), std::move(base));
}

bool Url::isEqual(const Object& other) const
{
    auto* url = dynamic_cast<const Url*>(&other);
    return url && url->m_relative->utf8() == m_relative->utf8() && coding::isEqual(url->m_base, m_base);
}

} // namespace coding
