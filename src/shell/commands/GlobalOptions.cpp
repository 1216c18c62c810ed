#include "shell/commands/GlobalOptions.h"

#include <CLI/CLI.hpp>

#include "platform/Folders.h"

namespace shell {

static std::string deviceNames()
{
    std::string names;
    for (auto& profile : platform::DeviceProfile::all())
        names += (names.empty() ? "" : ", ") + profile.name;
    return names;
}

GlobalOptions& GlobalOptions::shared()
{
    static GlobalOptions options;
    return options;
}

void GlobalOptions::reset()
{
    m_device.reset();
    m_hasHome = false;
    m_hasAlbum = false;
}

void GlobalOptions::addDeviceOption(CLI::App& command)
{
    CLI::Validator known(
        [](std::string& name) -> std::string {
            if (platform::DeviceProfile::named(name))
                return {};
            return "unknown device \"" + name + "\" (known: " + deviceNames() + ", or WxH@Sx such as 375x667@2x)";
        },
        "", "device");
    command.add_option_function<std::string>(
               "--device", [this](const std::string& name) { m_device = platform::DeviceProfile::named(name); },
               "phone to pretend to be: " + deviceNames() + " (default iphone6)")
        ->type_name("NAME")
        ->check(known);
}

void GlobalOptions::addTo(CLI::App& app)
{
    addDeviceOption(app);
    app.add_option_function<std::string>(
           "--album", [this](const std::string& path) {
               platform::folders::setAlbumFolder(path);
               m_hasAlbum = true;
           },
           "photo album folder (default ~/Pictures/截屏工坊)")
        ->type_name("DIR");
    app.add_option_function<std::string>(
           "--home", [this](const std::string& path) {
               platform::folders::setHomeFolder(path);
               m_hasHome = true;
           },
           "app home folder with the settings store and documents")
        ->type_name("DIR");
    // Commands pass options they do not know to the program, so the global
    // ones may also follow a command's arguments.
    app.fallthrough();
}

} // namespace shell
