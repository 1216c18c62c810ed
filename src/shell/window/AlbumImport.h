#pragma once
#include <optional>
#include <string>

namespace shell {

// Pictures dropped on the phone window join the photo album, as if the phone
// had saved them: copied into the album folder, keeping their name unless a
// file of that name is already there.
class AlbumImport {
public:
    // Copies the JPEG or PNG file at `path` into the album; returns the copy's
    // path, or nullopt for files that are not pictures or cannot be copied, with
    // the reason in `whyNot`. Never throws.
    static std::optional<std::string> copyIntoAlbum(const std::string& path, std::string& whyNot);
};

} // namespace shell
