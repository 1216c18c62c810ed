#include "shell/window/AlbumImport.h"

#include "platform/PhotoAlbum.h"

namespace shell {

std::optional<std::string> AlbumImport::copyIntoAlbum(const std::string& path, std::string& whyNot)
{
    // The album's own rules: only pictures it will list, names that sort after
    // the original, and the copy counted as just taken.
    platform::PhotoAlbum album;
    auto copy = album.importFile(path);
    if (!copy)
        whyNot = album.importFailureReason();
    return copy;
}

} // namespace shell
