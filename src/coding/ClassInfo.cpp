#include "coding/ClassInfo.h"

namespace coding {

ClassInfo::ClassInfo(std::string name, Factory factory, const ClassInfo* superclass)
    : m_name(std::move(name))
    , m_factory(std::move(factory))
    , m_superclass(superclass)
{
}

ClassInfo& ClassInfo::addProperty(PropertyInfo property)
{
    m_properties.push_back(std::move(property));
    return *this;
}

ClassInfo& ClassInfo::keyedCoding(EncodeWithCoder encode, InitWithCoder init, bool preferCompactCoding)
{
    m_encodeWithCoder = std::move(encode);
    m_initWithCoder = std::move(init);
    m_preferCompactCoding = preferCompactCoding;
    return *this;
}

const std::vector<const PropertyInfo*>& ClassInfo::aggregateProperties() const
{
    std::call_once(m_aggregateOnce, [this] {
        for (const ClassInfo* info = this; info; info = info->m_superclass) {
            for (const PropertyInfo& property : info->m_properties) {
                m_aggregate.push_back(&property);
                m_byName.emplace(property.name, &property);
            }
        }
    });
    return m_aggregate;
}

std::vector<std::string> ClassInfo::aggregatePropertyKeys() const
{
    std::vector<std::string> keys;
    for (const PropertyInfo* property : aggregateProperties())
        keys.push_back(property->name);
    return keys;
}

const PropertyInfo* ClassInfo::propertyNamed(std::string_view name) const
{
    aggregateProperties();
    auto found = m_byName.find(std::string(name));
    return found == m_byName.end() ? nullptr : found->second;
}

} // namespace coding
