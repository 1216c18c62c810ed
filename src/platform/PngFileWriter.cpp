#include "platform/PngFileWriter.h"

namespace platform {

namespace {

// The encoder hands bytes on in small pieces (chunk headers, checksums);
// gathering them saves a system call for each.
constexpr std::size_t kBufferSize = 256 * 1024;

} // namespace

PngFileWriter::PngFileWriter(const std::string& path, int width, int height, const PngMetadata& metadata, bool opaque,
    PngCompression compression)
    : m_file(path)
    , m_encoder(width, height, metadata, [this](std::span<const std::uint8_t> bytes) { return take(bytes); }, opaque,
          compression)
{
}

PngFileWriter::~PngFileWriter() = default;

bool PngFileWriter::take(std::span<const std::uint8_t> bytes)
{
    if (!m_file.isOpen())
        return false;
    if (m_buffer.capacity() < kBufferSize)
        m_buffer.reserve(kBufferSize);
    if (m_buffer.size() + bytes.size() > kBufferSize && !flush())
        return false;
    if (bytes.size() >= kBufferSize)
        return m_file.write(bytes);
    m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
    return true;
}

bool PngFileWriter::flush()
{
    bool ok = m_file.write(m_buffer);
    m_buffer.clear();
    return ok;
}

bool PngFileWriter::writeRows(const PixelView& rows)
{
    return m_file.isOpen() && m_encoder.writeRows(rows);
}

bool PngFileWriter::finish()
{
    return m_file.isOpen() && m_encoder.finish() && flush() && m_file.commit();
}

std::string PngFileWriter::error() const
{
    if (!m_file.error().empty())
        return m_file.error();
    return m_encoder.error();
}

} // namespace platform
