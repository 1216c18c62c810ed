#include "coding/Model.h"

#include "coding/ClassInfo.h"

namespace coding {

ObjectPtr Model::awakeAfterDecoding() { return shared_from_this(); }

void Model::forEachChild(const std::function<void(const ObjectPtr&)>& visit) const
{
    for (const PropertyInfo* property : classInfo().aggregateProperties()) {
        if (property->type == PropertyType::Object)
            visit(property->get(*this));
    }
}

void Model::clearChildren()
{
    for (const PropertyInfo* property : classInfo().aggregateProperties()) {
        if (property->type == PropertyType::Object)
            property->set(*this, nullptr);
    }
}

ObjectPtr Model::valueForKey(std::string_view key) const
{
    const PropertyInfo* property = classInfo().propertyNamed(key);
    return property ? property->get(*this) : nullptr;
}

bool Model::setValueForKey(std::string_view key, const ObjectPtr& value)
{
    const PropertyInfo* property = classInfo().propertyNamed(key);
    return property && property->set(*this, value);
}

} // namespace coding
