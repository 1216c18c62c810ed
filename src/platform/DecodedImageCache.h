#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/ImageCodec.h"

namespace platform {

// Decoded pictures of files the user shows and picks (album photos, dropped
// and chosen pictures), so one picture is decoded once while it stays the same
// on disk: the album's grid, the pick and the import all ask for the same file
// within moments. Pictures derived from a file (thumbnails) can be kept the
// same way. A file is known by its path, size and modification time, so a
// file written again is decoded again. The pixels held are bounded in bytes;
// the least recently used picture goes first. Safe to use from any thread.
class DecodedImageCache {
public:
    // Several photos at screen sizes, or one 12-megapixel camera photo.
    static constexpr std::size_t kDefaultByteLimit = 64u * 1024 * 1024;

    explicit DecodedImageCache(std::size_t byteLimit = kDefaultByteLimit);
    DecodedImageCache(const DecodedImageCache&) = delete;
    DecodedImageCache& operator=(const DecodedImageCache&) = delete;

    // The one the program's screens share.
    static DecodedImageCache& shared();

    // The file's pixels as imagecodec::decodeFile gives them, decoded now or
    // earlier; nullptr when the file is missing or does not decode (such
    // files are tried afresh every time).
    std::shared_ptr<const PixelBuffer> decodeFile(const std::string& path);
    // What `make` derives from the file (a thumbnail of one size, say), kept
    // under `kind` apart from the file's other pictures and made again when
    // the file changes; nullptr, and nothing kept, when `make` gives nothing.
    // `make` runs without the cache locked and may use other caches.
    using Maker = std::function<std::shared_ptr<const PixelBuffer>(const std::string& path)>;
    std::shared_ptr<const PixelBuffer> derived(const std::string& path, const std::string& kind, const Maker& make);
    // Records pixels known to be what `path` holds now: a copy just made of
    // a file that was decoded, so the copy is not decoded again.
    void remember(const std::string& path, std::shared_ptr<const PixelBuffer> pixels);
    void clear();

    std::size_t byteLimit() const { return m_byteLimit; }
    std::size_t bytes() const;
    std::size_t count() const;

private:
    struct Stamp {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified;
        bool operator==(const Stamp&) const = default;
    };
    struct Entry {
        std::string key; // the path, after the kind for derived pictures
        Stamp stamp;
        std::shared_ptr<const PixelBuffer> pixels;
    };
    using Entries = std::list<Entry>; // most recently used first

    static std::optional<Stamp> stampOf(const std::string& path);
    static std::string keyOf(const std::string& path, const std::string& kind);
    void store(const std::string& key, const Stamp& stamp, std::shared_ptr<const PixelBuffer> pixels);
    void drop(Entries::iterator entry);

    const std::size_t m_byteLimit;
    mutable std::mutex m_mutex;
    Entries m_entries;
    std::unordered_map<std::string, Entries::iterator> m_byKey;
    std::size_t m_bytes = 0;
};

} // namespace platform
