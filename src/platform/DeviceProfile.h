#pragma once
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A phone the program can pretend to be: screen size in points, scale, and the
// system version the screens ask about.
struct DeviceProfile {
    std::string name;
    double width = 375;
    double height = 667;
    double scale = 2;
    std::string systemVersion = "10.3";

    static const std::vector<DeviceProfile>& all();
    static const DeviceProfile& defaultProfile();
    // Looks a profile up by name ("iphone6") or by geometry ("375x667@2x").
    static std::optional<DeviceProfile> named(const std::string& name);
    // Compares a dotted version with this profile's: negative, zero or positive.
    int compareSystemVersion(const std::string& other) const;
};

} // namespace platform
