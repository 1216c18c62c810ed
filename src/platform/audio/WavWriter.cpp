#include "platform/audio/WavWriter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/audio/LittleEndian.h"

namespace platform {

namespace {

constexpr std::uint32_t kHeaderBytes = 44;
constexpr std::uint32_t kMaxDataBytes = 0xFFFFFFFFu - (kHeaderBytes - 8) - 1;

} // namespace

WavWriter::~WavWriter()
{
    finish();
}

bool WavWriter::open(const std::string& path, int sampleRate, int channels)
{
    finish();
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file)
        return false;
    m_dataBytes = 0;
    m_failed = false;
    std::uint8_t header[kHeaderBytes] = {};
    std::memcpy(header, "RIFF", 4);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    le::put32(header + 16, 16);
    le::put16(header + 20, 1);
    le::put16(header + 22, std::uint16_t(channels));
    le::put32(header + 24, std::uint32_t(sampleRate));
    le::put32(header + 28, std::uint32_t(sampleRate * channels * 2));
    le::put16(header + 32, std::uint16_t(channels * 2));
    le::put16(header + 34, 16);
    std::memcpy(header + 36, "data", 4);
    m_failed = std::fwrite(header, 1, sizeof header, m_file) != sizeof header;
    return !m_failed;
}

bool WavWriter::write(std::span<const std::int16_t> samples)
{
    if (!m_file || m_failed)
        return false;
    std::size_t room = (kMaxDataBytes - m_dataBytes) / 2;
    std::size_t count = std::min(samples.size(), room);
    std::vector<std::uint8_t> bytes(count * 2);
    for (std::size_t i = 0; i < count; ++i)
        le::put16(bytes.data() + 2 * i, std::uint16_t(samples[i]));
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        m_failed = true;
    else
        m_dataBytes += std::uint32_t(bytes.size());
    return !m_failed;
}

bool WavWriter::finish()
{
    if (!m_file)
        return false;
    std::uint8_t size[4];
    le::put32(size, kHeaderBytes - 8 + m_dataBytes);
    bool ok = !m_failed && std::fseek(m_file, 4, SEEK_SET) == 0 && std::fwrite(size, 1, 4, m_file) == 4;
    le::put32(size, m_dataBytes);
    ok = ok && std::fseek(m_file, 40, SEEK_SET) == 0 && std::fwrite(size, 1, 4, m_file) == 4;
    ok = (std::fclose(m_file) == 0) && ok;
    m_file = nullptr;
    return ok;
}

} // namespace platform
