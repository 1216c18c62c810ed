#include "platform/DecodedImageCache.h"

namespace platform {

namespace fs = std::filesystem;

static std::size_t byteSize(const PixelBuffer& pixels) { return pixels.pixels.size(); }

DecodedImageCache::DecodedImageCache(std::size_t byteLimit)
    : m_byteLimit(byteLimit)
{
}

DecodedImageCache& DecodedImageCache::shared()
{
    static DecodedImageCache cache;
    return cache;
}

std::optional<DecodedImageCache::Stamp> DecodedImageCache::stampOf(const std::string& path)
{
    std::error_code error;
    Stamp stamp;
    stamp.size = fs::file_size(path, error);
    if (error)
        return std::nullopt;
    stamp.modified = fs::last_write_time(path, error);
    if (error)
        return std::nullopt;
    return stamp;
}

std::string DecodedImageCache::keyOf(const std::string& path, const std::string& kind)
{
    return kind.empty() ? path : kind + '\0' + path;
}

std::shared_ptr<const PixelBuffer> DecodedImageCache::decodeFile(const std::string& path)
{
    return derived(path, {}, [](const std::string& file) -> std::shared_ptr<const PixelBuffer> {
        auto decoded = imagecodec::decodeFile(file);
        return decoded ? std::make_shared<const PixelBuffer>(std::move(*decoded)) : nullptr;
    });
}

std::shared_ptr<const PixelBuffer> DecodedImageCache::derived(const std::string& path, const std::string& kind, const Maker& make)
{
    const std::string key = keyOf(path, kind);
    // Taken before reading: a file changed while it is read gets a new stamp,
    // so what was read under the old one is never taken for the new contents.
    auto stamp = stampOf(path);
    if (stamp) {
        std::lock_guard lock(m_mutex);
        if (auto found = m_byKey.find(key); found != m_byKey.end()) {
            if (found->second->stamp == *stamp) {
                m_entries.splice(m_entries.begin(), m_entries, found->second);
                return found->second->pixels;
            }
            drop(found->second);
        }
    }
    // Made without the lock, so other threads wait for no one's picture.
    auto pixels = make(path);
    if (pixels && stamp) {
        std::lock_guard lock(m_mutex);
        store(key, *stamp, pixels);
    }
    return pixels;
}

void DecodedImageCache::remember(const std::string& path, std::shared_ptr<const PixelBuffer> pixels)
{
    auto stamp = stampOf(path);
    if (!stamp || !pixels)
        return;
    std::lock_guard lock(m_mutex);
    store(keyOf(path, {}), *stamp, std::move(pixels));
}

void DecodedImageCache::store(const std::string& key, const Stamp& stamp, std::shared_ptr<const PixelBuffer> pixels)
{
    if (auto found = m_byKey.find(key); found != m_byKey.end())
        drop(found->second);
    std::size_t size = byteSize(*pixels);
    // A picture larger than the whole budget would only push everything else out.
    if (size > m_byteLimit)
        return;
    while (m_bytes + size > m_byteLimit && !m_entries.empty())
        drop(std::prev(m_entries.end()));
    m_entries.push_front({ key, stamp, std::move(pixels) });
    m_byKey[key] = m_entries.begin();
    m_bytes += size;
}

void DecodedImageCache::drop(Entries::iterator entry)
{
    m_bytes -= byteSize(*entry->pixels);
    m_byKey.erase(entry->key);
    m_entries.erase(entry);
}

void DecodedImageCache::clear()
{
    std::lock_guard lock(m_mutex);
    m_entries.clear();
    m_byKey.clear();
    m_bytes = 0;
}

std::size_t DecodedImageCache::bytes() const
{
    std::lock_guard lock(m_mutex);
    return m_bytes;
}

std::size_t DecodedImageCache::count() const
{
    std::lock_guard lock(m_mutex);
    return m_entries.size();
}

} // namespace platform
