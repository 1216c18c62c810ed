#pragma once
#include <string_view>

#include "coding/Container.h"

namespace coding {

class ClassInfo;

// The base of the app's model classes (records). A model object is written
// property by property under the names its ClassInfo lists, in that order.
// Object-typed getters return the stored object (its identity is what the
// encoder and the cycle collector see), not a fresh one per call.
class Model : public Container {
public:
    virtual const ClassInfo& classInfo() const = 0;
    // Called once all stored values are set on a decoded object; the object
    // returned takes its place in the decoded graph. The default keeps it.
    virtual ObjectPtr awakeAfterDecoding();

    Kind kind() const override { return Kind::Model; }
    void forEachChild(const std::function<void(const ObjectPtr&)>& visit) const override;
    void clearChildren() override;

    // The value of a property as an object (scalars boxed as numbers); nullptr
    // when the class has no such property.
    ObjectPtr valueForKey(std::string_view key) const;
    // Sets a property from an object; false when there is no such property or
    // the value is of the wrong class (the property then keeps its value).
    bool setValueForKey(std::string_view key, const ObjectPtr& value);
};

using ModelPtr = std::shared_ptr<Model>;

} // namespace coding
