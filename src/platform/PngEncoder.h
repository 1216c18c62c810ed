#pragma once
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "platform/ImageCodec.h"

namespace platform {

// zlib's level, libpng's row filters (PNG_FILTER_* bits) and zlib's strategy
// (Z_*). The app's choice, measured with bench/png on the messenger chat
// screen stored as RGB (time per picture on this shared machine, file size):
//
//   settings                            750×1334          1242×2208
//   level 3, no filter (the app's)       8 ms  139 KB     19-24 ms  309 KB
//   level 2, no filter                   7 ms  142 KB        19 ms  314 KB
//   level 4, no filter                  16 ms  127 KB        31 ms  272 KB
//   level 6, no filter                  18 ms  124 KB        36 ms  264 KB
//   level 3, Sub filter, RLE             9 ms  201 KB        30 ms  387 KB
//   level 3, Paeth filter, RLE          12 ms  155 KB        42 ms  280 KB
//   level 3, every filter, filtered     23 ms  145 KB        81 ms  297 KB
//   libpng's default (6, every filter)  31 ms  132 KB        98 ms  252 KB
//   level 9, every filter, filtered    148 ms  129 KB       275 ms  246 KB
//
// Screens are large flat areas and text: row filters turn them into noise
// that compresses worse, while zlib's fast matching finds the repeats. A long
// chat picture of 1,000 messages is some 90 screens' worth, so speed counts
// for more than the last fifth of the size.
struct PngCompression {
    int level = 3;
    int filters = 0x08; // PNG_FILTER_NONE
    int strategy = 0; // Z_DEFAULT_STRATEGY
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
    // went wrong (a side of 0 or over kMaxSide, a sink that refused). An
    // `opaque` picture (a drawn screen) is stored without its alpha channel:
    // a quarter less to compress, as a phone stores its screenshots.
    PngEncoder(int width, int height, const PngMetadata& metadata, Sink sink, bool opaque = false,
        PngCompression compression = {});
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
