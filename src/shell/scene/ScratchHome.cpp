#include "shell/scene/ScratchHome.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <vector>

#include "platform/Folders.h"

namespace shell {

ScratchHome::ScratchHome(bool replaceHome, bool replaceAlbum)
    : m_previousHome(platform::folders::homeFolder())
    , m_previousAlbum(platform::folders::albumFolder())
    , m_replacesHome(replaceHome)
    , m_replacesAlbum(replaceAlbum)
{
    std::error_code error;
    auto base = std::filesystem::temp_directory_path(error);
    if (error)
        base = "/tmp";
    std::string pattern = (base / "qyshot-home-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()))
        m_path = buffer.data();
    else
        m_path = pattern.substr(0, pattern.size() - 6) + std::to_string(::getpid());
    platform::folders::makeFolders(m_path);
    if (m_replacesHome)
        platform::folders::setHomeFolder(m_path);
    if (m_replacesAlbum)
        platform::folders::setAlbumFolder(platform::folders::join(m_path, "album"));
}

ScratchHome::~ScratchHome()
{
    if (m_replacesHome)
        platform::folders::setHomeFolder(m_previousHome);
    if (m_replacesAlbum)
        platform::folders::setAlbumFolder(m_previousAlbum);
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

} // namespace shell
