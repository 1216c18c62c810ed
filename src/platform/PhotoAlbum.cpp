#include "platform/PhotoAlbum.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/DecodedImageCache.h"
#include "platform/Folders.h"
#include "platform/Locale.h"
#include "platform/Log.h"

namespace platform {

namespace fs = std::filesystem;

static std::string lowercase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

static double secondsSince1970(fs::file_time_type time)
{
    auto system = std::chrono::file_clock::to_sys(time);
    return std::chrono::duration<double>(system.time_since_epoch()).count();
}

// JPEG starts with FF D8 FF, PNG with its eight-byte signature.
static bool hasPictureSignature(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    unsigned char head[8] = {};
    file.read(reinterpret_cast<char*>(head), sizeof head);
    auto count = file.gcount();
    if (count >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF)
        return true;
    static const unsigned char png[8] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    return count == 8 && std::equal(head, head + 8, png);
}

PhotoAlbum::PhotoAlbum()
    : m_folder(folders::albumFolder())
{
}

PhotoAlbum::PhotoAlbum(std::string folder)
    : m_folder(std::move(folder))
{
}

bool PhotoAlbum::isPictureName(const std::string& path)
{
    std::string extension = lowercase(fs::path(path).extension().string());
    return extension == ".jpg" || extension == ".jpeg" || extension == ".png";
}

std::vector<AlbumPhoto> PhotoAlbum::photos() const
{
    std::vector<AlbumPhoto> found;
    std::error_code error;
    fs::directory_iterator it(m_folder, error);
    if (error)
        return found;
    for (const auto& entry : it) {
        if (!entry.is_regular_file(error) || !isPictureName(entry.path().string()))
            continue;
        auto time = entry.last_write_time(error);
        if (error)
            continue;
        found.push_back({ entry.path().string(), secondsSince1970(time) });
    }
    std::sort(found.begin(), found.end(), [](const AlbumPhoto& a, const AlbumPhoto& b) {
        if (a.modificationTime != b.modificationTime)
            return a.modificationTime < b.modificationTime;
        return fs::path(a.path).filename().string() < fs::path(b.path).filename().string();
    });
    return found;
}

std::optional<AlbumPhoto> PhotoAlbum::newestPhoto() const
{
    auto all = photos();
    if (all.empty())
        return std::nullopt;
    return all.back();
}

std::string PhotoAlbum::uniquePath(const std::string& stem, const std::string& extension) const
{
    // "_2", "_3"… sort after the plain name, so the name order of pictures
    // saved within one second is their saving order.
    std::string path = folders::join(m_folder, stem + extension);
    std::error_code error;
    for (int copy = 2; fs::exists(path, error); ++copy)
        path = folders::join(m_folder, stem + "_" + std::to_string(copy) + extension);
    return path;
}

std::optional<std::string> PhotoAlbum::save(const PixelBuffer& pixels, Format format, double now, double jpegQuality)
{
    if (!folders::makeFolders(m_folder)) {
        log::line("album", "cannot make the album folder " + m_folder);
        return std::nullopt;
    }
    std::string stem = "IMG_" + locale::formatDate(now, "yyyyMMdd_HHmmss");
    std::string path = uniquePath(stem, format == Format::Png ? ".png" : ".jpg");
    if (format == Format::Png) {
        if (!imagecodec::writePng(path, pixels)) {
            log::line("album", "cannot write " + path);
            return std::nullopt;
        }
        return path;
    }
    auto bytes = imagecodec::encodeJpeg(pixels, jpegQuality);
    // Written beside the album and renamed, so a reader never sees half a file.
    std::string partial = path + ".partial";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!file || bytes.empty()) {
            std::error_code ignored;
            fs::remove(partial, ignored);
            log::line("album", "cannot write " + path);
            return std::nullopt;
        }
    }
    std::error_code error;
    fs::rename(partial, path, error);
    if (error) {
        fs::remove(partial, error);
        return std::nullopt;
    }
    return path;
}

std::optional<std::string> PhotoAlbum::failImport(ImportFailure failure, std::string reason)
{
    m_importFailure = failure;
    m_importFailureReason = std::move(reason);
    log::line("album", m_importFailureReason);
    return std::nullopt;
}

std::optional<std::string> PhotoAlbum::importFile(const std::string& path)
{
    m_importFailure = ImportFailure::None;
    m_importFailureReason.clear();
    std::error_code error;
    if (!isPictureName(path) || !fs::is_regular_file(path, error) || !hasPictureSignature(path))
        return failImport(ImportFailure::NotAPicture, path + " is not a JPEG or PNG picture file");
    // A good signature over damaged data would add a file the album cannot show.
    // The pixels are kept, so showing and picking the copy decodes nothing more.
    auto pixels = DecodedImageCache::shared().decodeFile(path);
    if (!pixels)
        return failImport(ImportFailure::NotAPicture, path + " is a damaged or oversized picture that does not decode");
    if (fs::exists(m_folder, error) && fs::equivalent(fs::path(path).parent_path(), m_folder, error))
        return path;
    if (!folders::makeFolders(m_folder))
        return failImport(ImportFailure::CannotWrite, "cannot make the album folder " + m_folder);
    fs::path source(path);
    // The copy counts as just taken: a dropped picture is the newest photo.
    std::string target = uniquePath(source.stem().string(), source.extension().string());
    fs::copy_file(source, target, fs::copy_options::none, error);
    if (error) {
        std::string reason = error.message();
        fs::remove(target, error);
        return failImport(ImportFailure::CannotWrite, "cannot copy " + path + " into the album folder " + m_folder + ": " + reason);
    }
    fs::last_write_time(target, fs::file_time_type::clock::now(), error);
    DecodedImageCache::shared().remember(target, std::move(pixels));
    return target;
}

} // namespace platform
