#include "coding/ClassRegistry.h"

#include "coding/ClassInfo.h"

namespace coding {

ClassRegistry& ClassRegistry::shared()
{
    static ClassRegistry registry;
    return registry;
}

void ClassRegistry::registerClass(const ClassInfo& info)
{
    std::lock_guard lock(m_mutex);
    m_classes[info.name()] = &info;
}

void ClassRegistry::unregisterClass(std::string_view name)
{
    std::lock_guard lock(m_mutex);
    m_classes.erase(std::string(name));
}

const ClassInfo* ClassRegistry::find(std::string_view name) const
{
    std::lock_guard lock(m_mutex);
    auto found = m_classes.find(std::string(name));
    return found == m_classes.end() ? nullptr : found->second;
}

} // namespace coding
