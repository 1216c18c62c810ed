#pragma once
// Helpers shared by the platform and voice tests: a throw-away home folder, the
// virtual clock, generated signals and hand-built RIFF files.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Folders.h"
#include "platform/MainQueue.h"
#include "platform/audio/LittleEndian.h"
#include "platform/audio/WavWriter.h"

namespace audiotest {

// A fresh home folder for one test, removed afterwards; the previous home
// comes back so later tests in the same program are not affected.
class TempHome {
public:
    TempHome()
        : m_previous(platform::folders::homeFolder())
    {
        m_path = (std::filesystem::temp_directory_path() / "qyshot-audio-XXXXXX").string();
        if (!mkdtemp(m_path.data()))
            throw std::runtime_error("cannot make a temporary folder");
        platform::folders::setHomeFolder(m_path);
    }
    ~TempHome()
    {
        platform::folders::setHomeFolder(m_previous);
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    std::string file(const std::string& name) const { return platform::folders::join(m_path, name); }
    const std::string& path() const { return m_path; }

private:
    std::string m_previous;
    std::string m_path;
};

// Runs the main queue on a virtual clock with nothing waiting.
inline void useVirtualClock()
{
    platform::MainQueue::shared().clear();
    platform::MainQueue::shared().setClock(std::make_shared<platform::VirtualClock>());
}

inline std::vector<std::int16_t> sine(std::size_t count, double frequency = 440, double amplitude = 12000, int rate = 8000)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = std::int16_t(std::lround(amplitude * std::sin(2 * M_PI * frequency * double(i) / rate)));
    return samples;
}

// Full scale in both directions: the loudest a 16-bit signal gets.
inline std::vector<std::int16_t> fullScaleSquare(std::size_t count)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = (i / 20) % 2 ? std::int16_t(32767) : std::int16_t(-32768);
    return samples;
}

inline void writeWav(const std::string& path, const std::vector<std::int16_t>& samples, int rate = 8000, int channels = 1)
{
    platform::WavWriter writer;
    writer.open(path, rate, channels);
    writer.write(samples);
    writer.finish();
}

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::uint64_t fileSize(const std::string& path)
{
    std::error_code error;
    auto size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

inline bool exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// Little-endian bytes of a 32- or 16-bit field.
inline std::string u32(std::uint32_t value) { return { char(value), char(value >> 8), char(value >> 16), char(value >> 24) }; }
inline std::string u16(std::uint16_t value) { return { char(value), char(value >> 8) }; }

// One RIFF chunk; the declared size defaults to the body's, and odd bodies
// get their pad byte.
inline std::string chunk(const std::string& id, const std::string& body, std::optional<std::uint32_t> declared = std::nullopt)
{
    std::string bytes = id + u32(declared.value_or(std::uint32_t(body.size()))) + body;
    if (body.size() % 2)
        bytes.push_back('\0');
    return bytes;
}

// A format body of any length: the 16 PCM bytes, then zeros.
inline std::string fmtBody(std::size_t length = 16, int channels = 1, int bits = 16, int rate = 8000)
{
    int block = channels * bits / 8;
    std::string body = u16(1) + u16(std::uint16_t(channels)) + u32(std::uint32_t(rate)) + u32(std::uint32_t(rate * block))
        + u16(std::uint16_t(block)) + u16(std::uint16_t(bits));
    body.resize(length, '\0');
    return body;
}

inline std::string pcmBytes(const std::vector<std::int16_t>& samples)
{
    std::string bytes;
    for (std::int16_t sample : samples)
        bytes += u16(std::uint16_t(sample));
    return bytes;
}

inline std::string riff(const std::string& chunks)
{
    return "RIFF" + u32(std::uint32_t(4 + chunks.size())) + "WAVE" + chunks;
}

} // namespace audiotest
