#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/PngEncoder.h"
#include "platform/ReplacingFile.h"

namespace platform {

// A PNG file written strip by strip: the encoded bytes go to disk as they
// come, beside the target, and the file takes the target's place only when
// every row is in. A writer that fails or is dropped unfinished leaves the
// target as it was and no stray file.
class PngFileWriter {
public:
    // `opaque`: see PngEncoder.
    PngFileWriter(const std::string& path, int width, int height, const PngMetadata& metadata = {}, bool opaque = false,
        PngCompression compression = {});
    ~PngFileWriter();
    PngFileWriter(const PngFileWriter&) = delete;
    PngFileWriter& operator=(const PngFileWriter&) = delete;

    // The next rows, top to bottom (see PngEncoder::writeRows).
    bool writeRows(const PixelView& rows);
    // Ends the picture and puts the file in place; false when a row is
    // missing or anything failed.
    bool finish();
    // Why the last step failed, naming the file where the file was the cause.
    std::string error() const;

private:
    bool take(std::span<const std::uint8_t> bytes);
    bool flush();

    ReplacingFile m_file;
    std::vector<std::uint8_t> m_buffer;
    PngEncoder m_encoder;
};

} // namespace platform
