#pragma once
#include <string>

namespace platform {

// An advisory lock on an app home folder (a ".lock" file in it, locked with
// flock), held while this object lives. Two programs composing chats in one
// home would each save their own conversation over the other's, so the second
// one is refused instead. The lock goes with the process, however it ends.
class HomeLock {
public:
    explicit HomeLock(std::string homeFolder);
    ~HomeLock();
    HomeLock(const HomeLock&) = delete;
    HomeLock& operator=(const HomeLock&) = delete;

    bool isHeld() const { return m_fd >= 0; }
    // Why the lock is not held, in words naming the folder.
    const std::string& error() const { return m_error; }

private:
    std::string m_folder;
    std::string m_error;
    int m_fd = -1;
};

} // namespace platform
