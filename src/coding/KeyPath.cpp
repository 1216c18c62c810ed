#include "coding/KeyPath.h"

#include <charconv>

#include "coding/ClassInfo.h"
#include "coding/Collection.h"
#include "coding/Dictionary.h"
#include "coding/KeyedObject.h"

namespace coding {

static std::optional<ObjectPtr> step(const ObjectPtr& current, std::string_view component, std::string* error)
{
    auto fail = [&](std::string reason) -> std::optional<ObjectPtr> {
        if (error)
            *error = std::move(reason);
        return std::nullopt;
    };
    if (!current)
        return ObjectPtr();
    if (auto collection = as<Collection>(current)) {
        std::size_t index = 0;
        auto [end, status] = std::from_chars(component.data(), component.data() + component.size(), index);
        if (status != std::errc() || end != component.data() + component.size())
            return fail("\"" + std::string(component) + "\" is not an element index");
        if (index >= collection->count())
            return fail("index " + std::string(component) + " is beyond the collection's " + std::to_string(collection->count()) + " elements");
        return collection->at(index);
    }
    if (auto dictionary = as<Dictionary>(current))
        return dictionary->valueForKey(component);
    if (auto model = as<Model>(current)) {
        if (!model->classInfo().propertyNamed(component))
            return fail(model->classInfo().name() + " has no property \"" + std::string(component) + "\"");
        return model->valueForKey(component);
    }
    if (auto keyed = as<KeyedObject>(current)) {
        for (const auto& [key, value] : keyed->properties()) {
            if (key == component)
                return value;
        }
        return ObjectPtr();
    }
    return fail("cannot take \"" + std::string(component) + "\" of a value that holds no keys");
}

std::optional<ObjectPtr> resolveKeyPath(const ObjectPtr& root, std::string_view path, std::string* error)
{
    ObjectPtr current = root;
    if (path.empty())
        return current;
    std::size_t start = 0;
    while (true) {
        std::size_t dot = path.find('.', start);
        std::string_view component = path.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
        auto next = step(current, component, error);
        if (!next)
            return std::nullopt;
        current = std::move(*next);
        if (dot == std::string_view::npos)
            return current;
        start = dot + 1;
    }
}

} // namespace coding
