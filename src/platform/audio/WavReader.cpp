#include "platform/audio/WavReader.h"

#include <algorithm>
#include <cstring>

#include "platform/audio/LittleEndian.h"

namespace platform {

namespace {

constexpr std::uint32_t kUnknownSize = 0xFFFFFFFFu;

bool hasId(const std::uint8_t* bytes, const char* id)
{
    return std::memcmp(bytes, id, 4) == 0;
}

} // namespace

WavReader::WavReader(std::FILE* file)
    : m_file(file)
{
}

bool WavReader::fail(std::uint64_t offset, std::string message)
{
    m_error = FileError { offset, std::move(message) };
    return false;
}

bool WavReader::readAt(std::uint64_t offset, void* out, std::size_t size)
{
    if (offset > m_fileSize || m_fileSize - offset < size)
        return false;
    if (fseeko(m_file, off_t(offset), SEEK_SET) != 0)
        return false;
    return std::fread(out, 1, size, m_file) == size;
}

bool WavReader::open()
{
    if (!m_file)
        return fail(0, "no file");
    if (fseeko(m_file, 0, SEEK_END) != 0)
        return fail(0, "file cannot be searched");
    off_t end = ftello(m_file);
    if (end < 0)
        return fail(0, "file cannot be searched");
    m_fileSize = std::uint64_t(end);

    std::uint8_t riff[12];
    if (!readAt(0, riff, sizeof riff))
        return fail(0, "shorter than a RIFF header");
    if (!hasId(riff, "RIFF") || !hasId(riff + 8, "WAVE"))
        return fail(0, "not a RIFF/WAVE file");

    // Every pass moves on by at least the 8-byte chunk header, so the walk
    // ends at the end of the file whatever the sizes say.
    std::uint64_t offset = 12;
    for (;;) {
        std::uint8_t header[8];
        if (!readAt(offset, header, sizeof header))
            return fail(offset, "no data chunk");
        std::uint32_t size = le::u32(header + 4);
        std::uint64_t body = offset + 8;
        if (hasId(header, "data")) {
            std::uint64_t available = m_fileSize - body;
            m_dataOffset = body;
            m_dataBytes = (size == 0 || size == kUnknownSize) ? available : std::min<std::uint64_t>(size, available);
            m_consumed = 0;
            if (fseeko(m_file, off_t(body), SEEK_SET) != 0)
                return fail(body, "file cannot be searched");
            return true;
        }
        if (hasId(header, "fmt ") && size >= 16) {
            std::uint8_t fields[16];
            if (readAt(body, fields, sizeof fields)) {
                m_format = WavFormat {
                    .formatTag = le::u16(fields),
                    .channels = le::u16(fields + 2),
                    .sampleRate = int(le::u32(fields + 4) & 0x7FFFFFFF),
                    .blockAlign = le::u16(fields + 12),
                    .bitsPerSample = le::u16(fields + 14),
                };
            }
        }
        // Chunks are padded to an even length.
        offset = body + std::uint64_t(size) + (size & 1);
    }
}

std::size_t WavReader::readBytes(void* out, std::size_t size)
{
    std::uint64_t left = m_dataBytes - m_consumed;
    std::size_t wanted = std::size_t(std::min<std::uint64_t>(size, left));
    std::size_t got = wanted ? std::fread(out, 1, wanted, m_file) : 0;
    m_consumed += got;
    return got;
}

std::optional<double> WavReader::duration() const
{
    if (!m_format || m_format->sampleRate <= 0)
        return std::nullopt;
    int frameBytes = m_format->channels * ((m_format->bitsPerSample + 7) / 8);
    if (frameBytes <= 0)
        return std::nullopt;
    return double(m_dataBytes / std::uint64_t(frameBytes)) / m_format->sampleRate;
}

bool WavReader::isSupportedLayout(int channels, int bitsPerSample)
{
    return (channels == 1 || channels == 2) && (bitsPerSample == 8 || bitsPerSample == 16);
}

std::size_t WavReader::readMono16(std::int16_t* out, std::size_t frames, int channels, int bitsPerSample)
{
    if (!isSupportedLayout(channels, bitsPerSample))
        return 0;
    std::size_t bytesPerSample = std::size_t(bitsPerSample / 8);
    std::size_t frameBytes = bytesPerSample * std::size_t(channels);
    m_scratch.resize(frames * frameBytes);
    std::size_t got = readBytes(m_scratch.data(), m_scratch.size()) / frameBytes;

    auto sampleAt = [&](std::size_t index) -> int {
        const std::uint8_t* bytes = m_scratch.data() + index * bytesPerSample;
        if (bitsPerSample == 8)
            return (int(bytes[0]) - 128) * 256;
        return std::int16_t(le::u16(bytes));
    };
    for (std::size_t i = 0; i < got; ++i) {
        if (channels == 1)
            out[i] = std::int16_t(sampleAt(i));
        else
            out[i] = std::int16_t((sampleAt(2 * i) + sampleAt(2 * i + 1)) / 2);
    }
    return got;
}

} // namespace platform
