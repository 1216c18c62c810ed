#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace coding {

// Parses JSON text into an ordered_json (members keep the file's order) in
// time linear in the text. nlohmann's own parser inserts each member through
// the ordered map's linear search, so an object with n members costs n²; here
// members are appended and duplicates found through a hash index per open
// object. As with nlohmann, a repeated member replaces the earlier value in
// its first place.
class OrderedJsonParser {
public:
    using Json = nlohmann::ordered_json;

    struct Result {
        std::optional<Json> json;
        // Where and why the text is not JSON, or that it is too large.
        std::string error;
    };

    // Text longer than `maxBytes` is refused without being read.
    static Result parse(std::string_view text, std::size_t maxBytes);
};

} // namespace coding
