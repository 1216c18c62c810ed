#pragma once
#include <string>
#include <vector>

#include "coding/Object.h"

namespace coding {

// A class as the encoding describes it: its name and the ordered keys whose values
// follow every object of the class.
class QYClassDefinition final : public Object {
public:
    QYClassDefinition(std::string className, std::vector<std::string> propertyKeys)
        : m_className(std::move(className))
        , m_propertyKeys(std::move(propertyKeys))
    {
    }

    Kind kind() const override { return Kind::ClassDefinition; }

    const std::string& className() const { return m_className; }
    const std::vector<std::string>& propertyKeys() const { return m_propertyKeys; }

private:
    std::string m_className;
    std::vector<std::string> m_propertyKeys;
};

} // namespace coding
