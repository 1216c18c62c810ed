#pragma once
#include <string>

namespace shell {

// A temporary app home folder and photo album for one headless run, so a scene
// never reads or overwrites the user's saved chats or adds to their pictures.
// Both are removed (and the previous folders restored) when it goes out of scope.
class ScratchHome {
public:
    // Either folder may be left alone (when the command line named it).
    explicit ScratchHome(bool replaceHome = true, bool replaceAlbum = true);
    ~ScratchHome();
    ScratchHome(const ScratchHome&) = delete;
    ScratchHome& operator=(const ScratchHome&) = delete;

    // The temporary folder; the scratch home is the folder itself, the scratch
    // album its "album" subfolder.
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    std::string m_previousHome;
    std::string m_previousAlbum;
    bool m_replacesHome;
    bool m_replacesAlbum;
};

} // namespace shell
