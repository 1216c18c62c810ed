#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "coding/Object.h"

namespace coding {

// Follows a "$alias" key path from `root`: components are separated by "."; on an
// array, set or ordered set a component is an element index, on anything else the
// value for that key. The empty path is the root itself. A missing dictionary key
// gives nil (and so does anything after it); std::nullopt means the path cannot
// be followed (an index out of range, an unknown property, a key on a string),
// with the reason in `error`.
std::optional<ObjectPtr> resolveKeyPath(const ObjectPtr& root, std::string_view path, std::string* error = nullptr);

} // namespace coding
