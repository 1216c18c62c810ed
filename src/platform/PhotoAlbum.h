#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/ImageCodec.h"

namespace platform {

// One picture of the album: its file and the file's modification time.
struct AlbumPhoto {
    std::string path;
    double modificationTime = 0; // seconds since 1970-01-01 00:00 UTC
};

// The phone's photo album on the desktop: a folder of JPEG and PNG files
// (platform::folders::albumFolder() unless told otherwise). The folder is read
// afresh on every call, so files put there by hand or by a drop show up at once.
class PhotoAlbum {
public:
    enum class Format { Png, Jpeg };

    PhotoAlbum();
    explicit PhotoAlbum(std::string folder);

    const std::string& folder() const { return m_folder; }

    // Pictures (.jpg, .jpeg, .png in any letter case), oldest first: by
    // modification time, equal times by file name. Empty when the folder is missing.
    std::vector<AlbumPhoto> photos() const;
    // The last of photos(): the newest picture, as the phone's "latest asset".
    std::optional<AlbumPhoto> newestPhoto() const;

    // Writes the pixels as a new picture named after `now` (seconds since 1970,
    // local time) and returns its path; nullopt when it could not be written.
    // JPEG quality is the phone's 0…1.
    std::optional<std::string> save(const PixelBuffer& pixels, Format format, double now, double jpegQuality = 1.0);
    // Copies a picture file into the album (a file dropped on the window) under
    // its own name, made unique when taken. A file already in the album is left
    // where it is. nullopt when the file is no JPEG/PNG picture that decodes, or
    // cannot be copied; importFailure() then says which and why.
    std::optional<std::string> importFile(const std::string& path);

    enum class ImportFailure { None, NotAPicture, CannotWrite };
    ImportFailure importFailure() const { return m_importFailure; }
    // The reason of the last failed import in words, with the path.
    const std::string& importFailureReason() const { return m_importFailureReason; }

    // Whether `path` names a file the album shows (by its extension).
    static bool isPictureName(const std::string& path);

private:
    std::string uniquePath(const std::string& stem, const std::string& extension) const;
    std::optional<std::string> failImport(ImportFailure failure, std::string reason);

    std::string m_folder;
    ImportFailure m_importFailure = ImportFailure::None;
    std::string m_importFailureReason;
};

} // namespace platform
