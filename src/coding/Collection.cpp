#include "coding/Collection.h"

#include <algorithm>

namespace coding {

Collection::Collection(CollectionType type, bool isMutable)
    : m_type(type)
    , m_mutable(isMutable)
{
}

std::shared_ptr<Collection> Collection::make(CollectionType type, bool isMutable, std::vector<ObjectPtr> elements)
{
    auto collection = std::make_shared<Collection>(type, isMutable);
    for (auto& element : elements)
        collection->add(std::move(element));
    return collection;
}

std::shared_ptr<Collection> Collection::array(std::vector<ObjectPtr> elements, bool isMutable)
{
    auto collection = std::make_shared<Collection>(CollectionType::Array, isMutable);
    collection->m_elements = std::move(elements);
    return collection;
}

std::shared_ptr<Collection> Collection::mutableArray(std::vector<ObjectPtr> elements)
{
    return array(std::move(elements), true);
}

void Collection::forEachChild(const std::function<void(const ObjectPtr&)>& visit) const
{
    for (const auto& element : m_elements)
        visit(element);
}

void Collection::clearChildren()
{
    std::vector<ObjectPtr> released;
    released.swap(m_elements);
}

void Collection::add(ObjectPtr element)
{
    if (m_type != CollectionType::Array
        && std::any_of(m_elements.begin(), m_elements.end(), [&](const ObjectPtr& e) { return coding::isEqual(e, element); }))
        return;
    m_elements.push_back(std::move(element));
}

void Collection::insert(std::size_t index, ObjectPtr element)
{
    m_elements.insert(m_elements.begin() + std::ptrdiff_t(std::min(index, m_elements.size())), std::move(element));
}

void Collection::replace(std::size_t index, ObjectPtr element)
{
    if (index < m_elements.size())
        m_elements[index] = std::move(element);
}

void Collection::removeAt(std::size_t index)
{
    if (index < m_elements.size())
        m_elements.erase(m_elements.begin() + std::ptrdiff_t(index));
}

} // namespace coding
