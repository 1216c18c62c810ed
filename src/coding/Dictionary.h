#pragma once
#include <string_view>
#include <utility>
#include <vector>

#include "coding/Container.h"

namespace coding {

// Key-value pairs in insertion order. Keys are usually strings but may be any
// object; a value may be nil (nullptr), which happens for the "$class"
// dictionaries that stand for objects of unknown classes.
class Dictionary final : public Container {
public:
    using Pair = std::pair<ObjectPtr, ObjectPtr>;

    explicit Dictionary(bool isMutable = false)
        : m_mutable(isMutable)
    {
    }
    static std::shared_ptr<Dictionary> make(bool isMutable = false) { return std::make_shared<Dictionary>(isMutable); }

    Kind kind() const override { return Kind::Dictionary; }
    void forEachChild(const std::function<void(const ObjectPtr&)>& visit) const override;
    void clearChildren() override;

    bool isMutable() const { return m_mutable; }
    const std::vector<Pair>& pairs() const { return m_pairs; }
    std::size_t count() const { return m_pairs.size(); }

    // The value for a string key; nullptr when absent (or when the value is nil).
    ObjectPtr valueForKey(std::string_view key) const;
    bool containsKey(std::string_view key) const;
    ObjectPtr objectForKey(const ObjectPtr& key) const;
    // Replaces the value of an equal key, else adds the pair at the end.
    void set(ObjectPtr key, ObjectPtr value);
    void set(std::string_view key, ObjectPtr value);
    // Adds at the end without looking for an equal key (the decoder keeps what was stored).
    void append(ObjectPtr key, ObjectPtr value) { m_pairs.emplace_back(std::move(key), std::move(value)); }
    void remove(std::string_view key);
    void reserve(std::size_t count) { m_pairs.reserve(count); }

private:
    const Pair* find(std::string_view key) const;

    std::vector<Pair> m_pairs;
    bool m_mutable = false;
};

using DictionaryPtr = std::shared_ptr<Dictionary>;

} // namespace coding
