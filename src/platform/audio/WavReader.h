#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The "fmt " chunk fields that matter for plain PCM.
struct WavFormat {
    int formatTag = 0;
    int channels = 0;
    int sampleRate = 0;
    int blockAlign = 0;
    int bitsPerSample = 0;
};

// Where a file stopped making sense, and why.
struct FileError {
    std::uint64_t offset = 0;
    std::string message;
};

// Streams the samples of a RIFF/WAVE file. `open()` walks the chunks in any
// order up to "data"; reads then return sample bytes until the data chunk or
// the file ends. Chunk sizes are never trusted: every skip and read is bounded
// by the real end of the file, so malformed files end early instead of
// reading past their end.
class WavReader {
public:
    // The file stays the caller's; it must be open for binary reading.
    explicit WavReader(std::FILE* file);

    // False when the file is not RIFF/WAVE or has no data chunk; error() says where.
    bool open();
    // The format chunk seen before the data, if any was readable.
    const std::optional<WavFormat>& format() const { return m_format; }
    const std::optional<FileError>& error() const { return m_error; }
    // File offset of the first sample byte.
    std::uint64_t dataOffset() const { return m_dataOffset; }
    // Sample bytes that can actually be read: the data chunk's size, cut at
    // the end of the file (streamed files that left the size 0 or ~0 run to it).
    std::uint64_t dataBytes() const { return m_dataBytes; }
    // Playing time of the data in seconds; nullopt without a usable format.
    std::optional<double> duration() const;

    // Reads up to `size` raw sample bytes; returns how many were read.
    std::size_t readBytes(void* out, std::size_t size);
    // Reads up to `frames` sample frames of the given layout (1 or 2 channels,
    // 8 or 16 bits) as 16-bit mono: 8-bit samples are unsigned and centred on
    // 128, two channels are averaged. Returns the number of whole frames read;
    // 0 for an unsupported layout.
    std::size_t readMono16(std::int16_t* out, std::size_t frames, int channels, int bitsPerSample);

    static bool isSupportedLayout(int channels, int bitsPerSample);

private:
    bool fail(std::uint64_t offset, std::string message);
    bool readAt(std::uint64_t offset, void* out, std::size_t size);

    std::FILE* m_file;
    std::uint64_t m_fileSize = 0;
    std::optional<WavFormat> m_format;
    std::optional<FileError> m_error;
    std::uint64_t m_dataOffset = 0;
    std::uint64_t m_dataBytes = 0;
    std::uint64_t m_consumed = 0;
    std::vector<std::uint8_t> m_scratch;
};

} // namespace platform
