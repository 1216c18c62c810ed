#pragma once
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "platform/ImageCodec.h"

namespace platform {

// zlib's level, libpng's row filters (PNG_FILTER_* bits) and zlib's strategy
// (Z_*). The defaults are the app's, chosen by measuring speed and size on the
// chat screens (bench/png).
struct PngCompression {
    int level = 3;
    int filters = 0x10; // PNG_FILTER_SUB
    int strategy = 3; // Z_RLE
};

// Encodes a PNG strip by strip, handing the bytes on as they come, so a
// picture never has to be whole in memory: a long chat picture is far taller
// than any drawing surface. Rows are 8-bit RGBA, un-premultiplied from the
// pixels' premultiplied ARGB words.
class PngEncoder {
public:
    // Gets the next encoded bytes in order; returns false to stop the
    // encoding (a full disk).
    using Sink = std::function<bool(std::span<const std::uint8_t>)>;

    // PNG's own limit on either side.
    static constexpr long long kMaxSide = 0x7FFFFFFF;

    // Writes the header and metadata at once; failed() tells whether that
    // went wrong (a side of 0 or over kMaxSide, a sink that refused).
    PngEncoder(int width, int height, const PngMetadata& metadata, Sink sink, PngCompression compression = {});
    ~PngEncoder();
    PngEncoder(const PngEncoder&) = delete;
    PngEncoder& operator=(const PngEncoder&) = delete;

    // Encodes the next rows, top to bottom. False, and nothing more is ever
    // written, when they are not the picture's width, run past its height or
    // the encoding failed.
    bool writeRows(const PixelView& rows);
    // Ends the file; false unless every row was written and all went well.
    bool finish();

    bool failed() const;
    const std::string& error() const;
    int rowsWritten() const;

private:
    struct Codec;
    bool fail(const std::string& message);

    std::unique_ptr<Codec> m_codec;
};

} // namespace platform
