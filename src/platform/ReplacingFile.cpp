#include "platform/ReplacingFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace fs = std::filesystem;

ReplacingFile::ReplacingFile(std::string target)
    : m_target(std::move(target))
{
    fs::path path(m_target);
    std::error_code error;
    auto status = fs::status(path, error);
    if (fs::is_directory(status)) {
        m_error = "cannot write " + m_target + ": it is a folder";
        return;
    }
    // Renaming over a device or a pipe would replace it, not write to it.
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        m_error = "cannot write " + m_target + ": not a regular file";
        return;
    }
    // Hidden, so a folder listing (the album) never shows the unfinished file.
    std::string pattern = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = ::mkstemp(name.data());
    if (m_fd < 0) {
        m_error = "cannot create a file next to " + m_target + ": " + std::strerror(errno);
        return;
    }
    m_temporary = name.data();
}

ReplacingFile::~ReplacingFile()
{
    if (!m_committed)
        discard();
}

bool ReplacingFile::fail(const std::string& what)
{
    m_error = "cannot write " + m_target + ": " + what;
    discard();
    return false;
}

void ReplacingFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty())
        ::unlink(m_temporary.c_str());
    m_temporary.clear();
}

bool ReplacingFile::write(std::span<const std::uint8_t> bytes)
{
    if (m_fd < 0)
        return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(m_fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(n < 0 ? std::strerror(errno) : "nothing written");
        written += std::size_t(n);
    }
    return true;
}

bool ReplacingFile::commit()
{
    if (m_fd < 0)
        return false;
    if (::fsync(m_fd) != 0)
        return fail(std::strerror(errno));
    // mkstemp makes the file private; the result is an ordinary user file.
    if (::fchmod(m_fd, 0644) != 0)
        return fail(std::strerror(errno));
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return fail(std::strerror(errno));
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        return fail(std::strerror(errno));
    m_committed = true;
    return true;
}

} // namespace platform
