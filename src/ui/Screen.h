#pragma once
#include "platform/DeviceProfile.h"
#include "ui/graphics/Geometry.h"

namespace ui {

// The phone's main screen: its size in points and its scale. The shell and the
// scene runner set it from the chosen device profile before any view is made.
class Screen {
public:
    static Screen& main();

    const platform::DeviceProfile& profile() const { return m_profile; }
    void setProfile(const platform::DeviceProfile& profile) { m_profile = profile; }

    Size size() const { return { m_profile.width, m_profile.height }; }
    Rect bounds() const { return { 0, 0, m_profile.width, m_profile.height }; }
    double scale() const { return m_profile.scale; }

private:
    platform::DeviceProfile m_profile = platform::DeviceProfile::defaultProfile();
};

} // namespace ui
