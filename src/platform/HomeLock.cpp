#include "platform/HomeLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/Folders.h"

namespace platform {

HomeLock::HomeLock(std::string homeFolder)
    : m_folder(std::move(homeFolder))
{
    if (!folders::makeFolders(m_folder)) {
        m_error = "cannot use the home folder " + m_folder + ": it cannot be made";
        return;
    }
    std::string path = folders::join(m_folder, ".lock");
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        m_error = "cannot use the home folder " + m_folder + ": " + std::strerror(errno);
        return;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        int reason = errno;
        ::close(m_fd);
        m_fd = -1;
        m_error = reason == EWOULDBLOCK
            ? "another qyshot is using the home folder " + m_folder + " (close it first, or give this one another --home)"
            : "cannot lock the home folder " + m_folder + ": " + std::strerror(reason);
    }
}

HomeLock::~HomeLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace platform
