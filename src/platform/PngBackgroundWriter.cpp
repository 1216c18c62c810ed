#include "platform/PngBackgroundWriter.h"

#include <cstring>

namespace platform {

namespace {

constexpr std::size_t kMostWaiting = 2;

} // namespace

PngBackgroundWriter::PngBackgroundWriter(const std::string& path, int width, int height, const PngMetadata& metadata, bool opaque)
    : m_writer(path, width, height, metadata, opaque)
    , m_width(width)
    , m_thread([this] { work(); })
{
}

PngBackgroundWriter::~PngBackgroundWriter()
{
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
        m_waiting.clear();
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

bool PngBackgroundWriter::writeRows(const PixelView& rows)
{
    if (!rows.data || rows.width != m_width || rows.height < 0 || rows.stride < rows.width * 4) {
        // The encoder says why, and stays failed.
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return (m_waiting.empty() && !m_busy) || m_failed; });
        bool ok = !m_failed && m_writer.writeRows(rows);
        m_failed = !ok;
        return ok;
    }
    // Strips written before lend their memory: no fresh pages to fault in per strip.
    PixelBuffer copy;
    {
        std::lock_guard lock(m_mutex);
        if (!m_spare.empty()) {
            copy = std::move(m_spare.back());
            m_spare.pop_back();
        }
    }
    copy.width = rows.width;
    copy.height = rows.height;
    copy.stride = rows.width * 4;
    copy.pixels.resize(std::size_t(copy.stride) * std::size_t(rows.height));
    for (int y = 0; y < rows.height; ++y)
        std::memcpy(&copy.pixels[std::size_t(y) * std::size_t(copy.stride)], rows.data + std::size_t(y) * std::size_t(rows.stride),
            std::size_t(copy.stride));
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_waiting.size() < kMostWaiting || m_failed; });
    if (m_failed || m_finished)
        return false;
    m_waiting.push_back(std::move(copy));
    m_changed.notify_all();
    return true;
}

void PngBackgroundWriter::work()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_changed.wait(lock, [this] { return !m_waiting.empty() || m_closing; });
        if (m_waiting.empty())
            return;
        PixelBuffer strip = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_busy = true;
        lock.unlock();
        bool ok = m_writer.writeRows(strip);
        lock.lock();
        m_busy = false;
        m_failed = m_failed || !ok;
        m_spare.push_back(std::move(strip));
        m_changed.notify_all();
    }
}

bool PngBackgroundWriter::finish()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_waiting.empty() && !m_busy; });
    if (m_finished)
        return !m_failed;
    m_finished = true;
    m_failed = m_failed || !m_writer.finish();
    return !m_failed;
}

std::string PngBackgroundWriter::error() const
{
    std::lock_guard lock(m_mutex);
    return m_writer.error();
}

} // namespace platform
