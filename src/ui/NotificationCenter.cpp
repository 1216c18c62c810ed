#include "ui/NotificationCenter.h"

#include <algorithm>

namespace ui {

NotificationCenter& NotificationCenter::shared()
{
    static NotificationCenter center;
    return center;
}

NotificationCenter::Token NotificationCenter::addObserver(const std::shared_ptr<const void>& owner, const std::string& name, Block block)
{
    Token token = m_next++;
    m_entries.push_back({ token, name, owner, true, std::make_shared<Block>(std::move(block)) });
    return token;
}

NotificationCenter::Token NotificationCenter::addObserver(const std::string& name, Block block)
{
    Token token = m_next++;
    m_entries.push_back({ token, name, {}, false, std::make_shared<Block>(std::move(block)) });
    return token;
}

void NotificationCenter::removeObserver(Token token)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), [&](auto& e) { return e.token == token; }),
        m_entries.end());
}

void NotificationCenter::removeObserversOf(const void* owner)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                        [&](auto& e) { return e.hasOwner && (e.owner.expired() || e.owner.lock().get() == owner); }),
        m_entries.end());
}

void NotificationCenter::post(const std::string& name, const UserInfo& userInfo, const void* sender)
{
    // Drop observers whose owners died, then call the rest in the order they
    // were added, checking before each call that it is still registered.
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), [](auto& e) { return e.hasOwner && e.owner.expired(); }),
        m_entries.end());
    std::vector<Token> targets;
    for (auto& entry : m_entries) {
        if (entry.name == name)
            targets.push_back(entry.token);
    }
    Notification notification { name, sender, userInfo };
    for (Token token : targets) {
        auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](auto& e) { return e.token == token; });
        if (it == m_entries.end())
            continue;
        std::shared_ptr<const void> owner = it->owner.lock();
        if (it->hasOwner && !owner)
            continue;
        auto block = it->block; // the entry may be erased by its own block
        (*block)(notification);
    }
}

size_t NotificationCenter::observerCount() const
{
    return size_t(std::count_if(m_entries.begin(), m_entries.end(), [](auto& e) { return !e.hasOwner || !e.owner.expired(); }));
}

void NotificationCenter::reset() { m_entries.clear(); }

} // namespace ui
