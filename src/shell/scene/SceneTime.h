#pragma once
#include <optional>
#include <string>

namespace shell {

// The start time of a scene's clock, written as local time in ISO 8601
// ("2016-11-24T09:41" or "2016-11-24T09:41:05").
class SceneTime {
public:
    // Seconds since 1970 for `text` read in the time zone `zoneId` (the
    // process's own zone when empty); nullopt when the text is not such a time.
    static std::optional<double> parseLocal(const std::string& text, const std::string& zoneId = {});
    // Whether ICU knows the zone ("Asia/Shanghai").
    static bool isKnownZone(const std::string& zoneId);
};

} // namespace shell
