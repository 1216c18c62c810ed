#include "shell/scene/ScratchHome.h"

#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <vector>

#include "platform/Folders.h"

namespace shell {

ScratchHome::ScratchHome()
    : m_previous(platform::folders::homeFolder())
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
    platform::folders::setHomeFolder(m_path);
}

ScratchHome::~ScratchHome()
{
    platform::folders::setHomeFolder(m_previous);
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

} // namespace shell
