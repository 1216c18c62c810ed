#include "platform/Folders.h"

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace platform::folders {

namespace fs = std::filesystem;

static std::optional<std::string>& homeOverride()
{
    static std::optional<std::string> path;
    return path;
}

static std::optional<std::string>& albumOverride()
{
    static std::optional<std::string> path;
    return path;
}

static std::string userHome()
{
    const char* home = std::getenv("HOME");
    return home && *home ? home : "/tmp";
}

// Paths kept in saved records (voice clips) must find their file from any
// working folder: a relative home is taken from the current one.
static std::string absolute(const std::string& path)
{
    std::error_code error;
    fs::path full = fs::absolute(path, error);
    return error || full.empty() ? path : full.lexically_normal().string();
}

std::string homeFolder()
{
    if (homeOverride())
        return *homeOverride();
    if (const char* explicitHome = std::getenv("QYSHOT_HOME"); explicitHome && *explicitHome)
        return absolute(explicitHome);
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && *dataHome)
        return join(dataHome, "qyshot");
    return join(userHome(), ".local/share/qyshot");
}

void setHomeFolder(const std::string& path) { homeOverride() = absolute(path); }

std::string documentsFolder()
{
    return join(homeFolder(), "Documents");
}

std::string temporaryFolder()
{
    std::string path = join(homeFolder(), "tmp");
    makeFolders(path);
    return path;
}

std::string albumFolder()
{
    if (albumOverride())
        return *albumOverride();
    return join(userHome(), "Pictures/截屏工坊");
}

void setAlbumFolder(const std::string& path) { albumOverride() = path; }

std::string join(const std::string& parent, const std::string& name)
{
    if (parent.empty())
        return name;
    if (parent.back() == '/')
        return name.starts_with('/') ? parent + name.substr(1) : parent + name;
    return name.starts_with('/') ? parent + name : parent + "/" + name;
}

bool makeFolders(const std::string& path)
{
    std::error_code error;
    fs::create_directories(path, error);
    return fs::is_directory(path, error);
}

} // namespace platform::folders
