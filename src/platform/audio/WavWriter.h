#pragma once
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace platform {

// Writes 16-bit PCM to a WAV file as it arrives. The sizes in the header are
// filled in by `finish()`; until then they say "unknown" (0), which readers
// take as "up to the end of the file", so a recording cut short stays usable.
class WavWriter {
public:
    WavWriter() = default;
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;
    ~WavWriter();

    // Creates or replaces the file. False when it cannot be created.
    bool open(const std::string& path, int sampleRate, int channels = 1);
    bool isOpen() const { return m_file != nullptr; }
    // Appends samples (interleaved when there are several channels). Samples
    // past what a RIFF file can describe (4 GiB) are dropped.
    bool write(std::span<const std::int16_t> samples);
    // Fills in the sizes and closes the file; false when writing failed.
    bool finish();
    std::uint64_t sampleCount() const { return m_dataBytes / 2; }

private:
    std::FILE* m_file = nullptr;
    std::uint32_t m_dataBytes = 0;
    bool m_failed = false;
};

} // namespace platform
