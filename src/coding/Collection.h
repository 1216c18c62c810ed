#pragma once
#include <cstddef>
#include <vector>

#include "coding/Container.h"

namespace coding {

enum class CollectionType { Array, Set, OrderedSet };

// Arrays, sets and ordered sets: an ordered list of elements (sets keep the order
// they were read or filled in, so that writing them again gives the same bytes).
// Mutability is the phone-side class, kept because it decides the encoding.
class Collection final : public Container {
public:
    Collection(CollectionType type, bool isMutable);
    static std::shared_ptr<Collection> make(CollectionType type, bool isMutable, std::vector<ObjectPtr> elements = {});
    static std::shared_ptr<Collection> array(std::vector<ObjectPtr> elements = {}, bool isMutable = false);
    static std::shared_ptr<Collection> mutableArray(std::vector<ObjectPtr> elements = {});

    Kind kind() const override { return Kind::Collection; }
    void forEachChild(const std::function<void(const ObjectPtr&)>& visit) const override;
    void clearChildren() override;

    CollectionType type() const { return m_type; }
    bool isMutable() const { return m_mutable; }
    const std::vector<ObjectPtr>& elements() const { return m_elements; }
    std::size_t count() const { return m_elements.size(); }
    const ObjectPtr& at(std::size_t index) const { return m_elements.at(index); }

    // Adds at the end; sets and ordered sets skip an element equal to one they hold.
    void add(ObjectPtr element);
    // Adds at the end without the set check (the decoder keeps what was stored).
    void append(ObjectPtr element) { m_elements.push_back(std::move(element)); }
    void insert(std::size_t index, ObjectPtr element);
    void replace(std::size_t index, ObjectPtr element);
    void removeAt(std::size_t index);
    void removeAll() { m_elements.clear(); }
    void reserve(std::size_t count) { m_elements.reserve(count); }

private:
    CollectionType m_type;
    bool m_mutable = false;
    std::vector<ObjectPtr> m_elements;
};

using CollectionPtr = std::shared_ptr<Collection>;

} // namespace coding
