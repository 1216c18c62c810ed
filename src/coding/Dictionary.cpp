#include "coding/Dictionary.h"

#include <algorithm>

#include "coding/String.h"

namespace coding {

void Dictionary::forEachChild(const std::function<void(const ObjectPtr&)>& visit) const
{
    for (const auto& [key, value] : m_pairs) {
        visit(key);
        visit(value);
    }
}

void Dictionary::clearChildren()
{
    std::vector<Pair> released;
    released.swap(m_pairs);
}

const Dictionary::Pair* Dictionary::find(std::string_view key) const
{
    for (const auto& pair : m_pairs) {
        if (auto* string = dynamic_cast<const String*>(pair.first.get()); string && string->utf8() == key)
            return &pair;
    }
    return nullptr;
}

ObjectPtr Dictionary::valueForKey(std::string_view key) const
{
    const Pair* pair = find(key);
    return pair ? pair->second : nullptr;
}

bool Dictionary::containsKey(std::string_view key) const { return find(key) != nullptr; }

ObjectPtr Dictionary::objectForKey(const ObjectPtr& key) const
{
    for (const auto& pair : m_pairs) {
        if (coding::isEqual(pair.first, key))
            return pair.second;
    }
    return nullptr;
}

void Dictionary::set(ObjectPtr key, ObjectPtr value)
{
    for (auto& pair : m_pairs) {
        if (coding::isEqual(pair.first, key)) {
            pair.second = std::move(value);
            return;
        }
    }
    m_pairs.emplace_back(std::move(key), std::move(value));
}

void Dictionary::set(std::string_view key, ObjectPtr value)
{
    if (auto* pair = const_cast<Pair*>(find(key))) {
        pair->second = std::move(value);
        return;
    }
    m_pairs.emplace_back(String::make(std::string(key)), std::move(value));
}

void Dictionary::remove(std::string_view key)
{
    std::erase_if(m_pairs, [key](const Pair& pair) {
        auto* string = dynamic_cast<const String*>(pair.first.get());
        return string && string->utf8() == key;
    });
}

} // namespace coding
