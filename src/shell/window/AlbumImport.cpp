#include "shell/window/AlbumImport.h"

#include "platform/PhotoAlbum.h"

namespace shell {

std::optional<std::string> AlbumImport::copyIntoAlbum(const std::string& path)
{
    // The album's own rules: only pictures it will list, names that sort after
    // the original, and the copy counted as just taken.
    return platform::PhotoAlbum().importFile(path);
}

} // namespace shell
