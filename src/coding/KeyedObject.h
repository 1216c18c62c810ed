#pragma once
#include <string>

#include "coding/Container.h"
#include "coding/KeyedCoding.h"

namespace coding {

// An object that was written through the keyed-coding bridge by a class this
// program does not know. It keeps the class name and the values in their order,
// so that writing it again gives back the same bytes.
class KeyedObject final : public Container {
public:
    KeyedObject(std::string className, PropertyTable properties)
        : m_className(std::move(className))
        , m_properties(std::move(properties))
    {
    }

    Kind kind() const override { return Kind::KeyedObject; }
    void forEachChild(const std::function<void(const ObjectPtr&)>& visit) const override
    {
        for (const auto& property : m_properties)
            visit(property.second);
    }
    void clearChildren() override
    {
        PropertyTable released;
        released.swap(m_properties);
    }

    const std::string& className() const { return m_className; }
    const PropertyTable& properties() const { return m_properties; }

private:
    std::string m_className;
    PropertyTable m_properties;
};

} // namespace coding
