#pragma once
#include <functional>
#include <memory>

namespace coding {

class Object;
using ObjectPtr = std::shared_ptr<Object>;

// What an object is on the phone side; it decides how the object is written.
enum class Kind {
    Null,
    String,
    Number,
    Decimal,
    Data,
    Date,
    Collection,
    Dictionary,
    Url,
    Geometry,
    IndexSet,
    KeyedObject,
    Model,
    ClassDefinition,
};

// The root of every value the codec reads or writes. Identity matters: the same
// object written twice is written once and referred to afterwards, so objects are
// always held by std::shared_ptr.
class Object : public std::enable_shared_from_this<Object> {
public:
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    virtual Kind kind() const = 0;
    // Value equality where the phone's classes have it (strings, numbers, data,
    // dates, null, URLs); identity for everything else.
    virtual bool isEqual(const Object& other) const { return this == &other; }

protected:
    Object() = default;
};

// Shorthand for a checked downcast; null when `object` is null or of another class.
template <class T>
std::shared_ptr<T> as(const ObjectPtr& object)
{
    return std::dynamic_pointer_cast<T>(object);
}

// Null-safe value equality.
bool isEqual(const ObjectPtr& a, const ObjectPtr& b);

} // namespace coding
