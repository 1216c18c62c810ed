#pragma once
#include <string>

namespace shell {

// A temporary app home folder for one headless run, so a scene never reads or
// overwrites the user's own saved chats. Removed (and the previous home
// restored) when it goes out of scope.
class ScratchHome {
public:
    ScratchHome();
    ~ScratchHome();
    ScratchHome(const ScratchHome&) = delete;
    ScratchHome& operator=(const ScratchHome&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    std::string m_previous;
};

} // namespace shell
