#pragma once
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "coding/Object.h"

namespace coding {

// The object graph as JSON, for looking at stored records and writing them by hand.
//
// Strings are JSON strings, true/false the boolean constants, integers 64-bit
// numbers and other numbers doubles; everything else is an object with a "$" tag:
// {"$float": x}, {"$double": x} (only for values JSON cannot hold: "nan", "inf",
// "-inf"), {"$int8"|"$int16"|"$int32"|"$int64": n}, {"$null": true},
// {"$data"|"$mutableData": base64}, {"$date": seconds since 1970},
// {"$mutableArray"|"$set"|"$mutableSet"|"$orderedSet"|"$mutableOrderedSet": [...]},
// {"$mutableDictionary": {...}}, {"$pairs": [[key, value], ...], "$mutable": true}
// for dictionaries whose keys are not plain strings, {"$mutableString": "..."},
// {"$url": "...", "$base": url or null}, {"$point"|"$size"|"$rect"|"$range"|
// "$vector"|"$transform"|"$transform3d": [numbers]}, {"$indexSet"|
// "$mutableIndexSet": [[location, length], ...]}, {"$decimal": hex of the 20-byte
// record}, {"$keyed": "Class", "$pairs": [[key, value], ...]} for keyed-coded
// objects, and {"$class": "Name", property: value, ...} for model objects in
// property order. nil is null. An object met a second time (shared or cyclic) is
// {"$alias": "key.path"} from the root to where it was first written.
//
// Exporting a decoded blob and importing the JSON gives a graph that encodes to
// the same bytes.
//
// Text is parsed in linear time (OrderedJsonParser), keeping member order.
class JsonForm {
public:
    using Json = nlohmann::ordered_json;

    struct ImportResult {
        ObjectPtr object;
        std::optional<std::string> error;
        bool ok() const { return !error; }
    };

    static Json toJson(const ObjectPtr& root);
    static std::string toText(const ObjectPtr& root);
    static ImportResult fromJson(const Json& json);
    static ImportResult fromText(std::string_view text);
};

} // namespace coding
