#include "shell/window/AlbumImport.h"

#include <filesystem>

#include "platform/Folders.h"
#include "platform/ImageCodec.h"
#include "platform/Log.h"

namespace shell {

std::optional<std::string> AlbumImport::copyIntoAlbum(const std::string& path)
{
    namespace fs = std::filesystem;
    // Only what the album can show: the picker decodes every file it lists.
    if (!fs::is_regular_file(path) || !platform::imagecodec::decodeFile(path)) {
        platform::log::line("shell", "not a picture, not added to the album: " + path);
        return std::nullopt;
    }
    std::string folder = platform::folders::albumFolder();
    if (!platform::folders::makeFolders(folder))
        return std::nullopt;
    fs::path source(path);
    fs::path target = fs::path(folder) / source.filename();
    for (int copy = 2; fs::exists(target); ++copy)
        target = fs::path(folder) / (source.stem().string() + " " + std::to_string(copy) + source.extension().string());
    std::error_code error;
    fs::copy_file(source, target, error);
    if (error) {
        platform::log::line("shell", "cannot copy " + path + " into the album: " + error.message());
        return std::nullopt;
    }
    // The newest photo is the newest file, so the copy counts as just taken.
    fs::last_write_time(target, fs::file_time_type::clock::now(), error);
    return target.string();
}

} // namespace shell
