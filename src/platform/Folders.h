#pragma once
#include <string>

namespace platform {

// The app's folders. The home folder is $QYSHOT_HOME, else $XDG_DATA_HOME/qyshot,
// else ~/.local/share/qyshot; tests point it at a temporary folder.
namespace folders {

// Always an absolute path: a relative one is taken from the working folder
// (when set, for an override), so paths made from it stay valid anywhere.
std::string homeFolder();
// Overrides the home folder for this process (the --home option, tests).
void setHomeFolder(const std::string& path);
// home + "Documents": the app's documents (voice clips, pictures). Not made here.
std::string documentsFolder();
// home + "tmp": temporary files such as a recording's WAV. Made if missing.
std::string temporaryFolder();
// The photo album: ~/Pictures/截屏工坊 unless set (the --album option).
std::string albumFolder();
void setAlbumFolder(const std::string& path);
// Joins two path parts with exactly one separator.
std::string join(const std::string& parent, const std::string& name);
// Makes the folder and its parents; returns false when it could not.
bool makeFolders(const std::string& path);

} // namespace folders

} // namespace platform
