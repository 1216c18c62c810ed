#pragma once
#include <optional>
#include <string>

#include "platform/DeviceProfile.h"

namespace CLI {
class App;
}

namespace shell {

// The options every command understands: --device, --album and --home. They
// take effect while the command line is read, before any command runs.
class GlobalOptions {
public:
    static GlobalOptions& shared();

    // Adds the options to the top-level program; its commands accept them too
    // (after their own arguments).
    void addTo(CLI::App& app);
    // Adds a command's own --device, which sets the same thing.
    void addDeviceOption(CLI::App& command);

    // The device named on the command line, if any.
    const std::optional<platform::DeviceProfile>& device() const { return m_device; }
    // Whether --home was given (headless runs otherwise use a scratch home).
    bool hasHome() const { return m_hasHome; }
    // Whether --album was given (headless runs otherwise use a scratch album).
    bool hasAlbum() const { return m_hasAlbum; }

    // Forgets what a previous parse set (tests parse several command lines).
    void reset();

private:
    std::optional<platform::DeviceProfile> m_device;
    bool m_hasHome = false;
    bool m_hasAlbum = false;
};

} // namespace shell
