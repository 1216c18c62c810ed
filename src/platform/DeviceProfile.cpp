#include "platform/DeviceProfile.h"

#include <cstdio>
#include <sstream>

namespace platform {

const std::vector<DeviceProfile>& DeviceProfile::all()
{
    static const std::vector<DeviceProfile> profiles = {
        { "iphone4", 320, 480, 2, "10.3" },
        { "iphone5", 320, 568, 2, "10.3" },
        { "iphone6", 375, 667, 2, "10.3" },
        { "iphone6plus", 414, 736, 3, "10.3" },
    };
    return profiles;
}

const DeviceProfile& DeviceProfile::defaultProfile() { return all()[2]; }

std::optional<DeviceProfile> DeviceProfile::named(const std::string& name)
{
    for (const auto& profile : all()) {
        char geometry[64];
        std::snprintf(geometry, sizeof geometry, "%gx%g@%gx", profile.width, profile.height, profile.scale);
        if (name == profile.name || name == geometry)
            return profile;
    }
    return std::nullopt;
}

static std::vector<int> versionParts(const std::string& version)
{
    std::vector<int> parts;
    std::stringstream stream(version);
    std::string part;
    while (std::getline(stream, part, '.'))
        parts.push_back(std::atoi(part.c_str()));
    return parts;
}

int DeviceProfile::compareSystemVersion(const std::string& other) const
{
    auto mine = versionParts(systemVersion);
    auto theirs = versionParts(other);
    size_t count = std::max(mine.size(), theirs.size());
    for (size_t i = 0; i < count; ++i) {
        int a = i < mine.size() ? mine[i] : 0;
        int b = i < theirs.size() ? theirs[i] : 0;
        if (a != b)
            return a < b ? -1 : 1;
    }
    return 0;
}

} // namespace platform
