#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Decoded pixels: 8-bit premultiplied BGRA in native-endian 32-bit words
// (Cairo's ARGB32 layout), rows `stride` bytes apart.
struct PixelBuffer {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<std::uint8_t> pixels;
};

// Pixels in PixelBuffer's layout held by someone else (a drawing surface, a
// strip of a taller picture), so they can be encoded without a copy.
struct PixelView {
    const std::uint8_t* data = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;

    PixelView() = default;
    PixelView(const std::uint8_t* pixels, int width, int height, int stride)
        : data(pixels)
        , width(width)
        , height(height)
        , stride(stride)
    {
    }
    // A whole buffer; a buffer shorter than its size claims views nothing.
    PixelView(const PixelBuffer& buffer);
    // `count` rows from `first` on.
    PixelView rows(int first, int count) const;
};

// Metadata written into PNG files: the program that made the file and the
// marking of the picture as a composed image (XMP/IPTC digital source type).
struct PngMetadata {
    std::string software = "qyshot"; // this exact name is written with the version: "qyshot 0.1.0"
    bool markAsComposite = true;
};

namespace imagecodec {

// Whether the bytes begin as a JPEG does.
bool isJpeg(const std::vector<std::uint8_t>& bytes);
// JPEG or PNG bytes (detected by signature) to pixels; nullopt when unreadable
// or too large (the reason is logged). A JPEG's EXIF orientation is applied, so
// camera photos come out upright, and a JPEG with a side over 4096 pixels is
// decoded scaled down until both sides fit; a PNG over 36 million pixels and a
// JPEG over 100 million are refused.
std::optional<PixelBuffer> decode(const std::vector<std::uint8_t>& bytes);
std::optional<PixelBuffer> decodeFile(const std::string& path);
// JPEG at quality q in [0, 1], the phone's scale, mapped onto the encoder's
// by encoderQuality().
std::vector<std::uint8_t> encodeJpeg(const PixelBuffer& image, double quality);
// The encoder's quality (25–100) for the phone's q in [0, 1]: rising with q,
// the phone's lowest settings still recognisable pictures.
int encoderQuality(double quality);
// The lowest phone quality whose encoding writes the quantization tables of
// these JPEG bytes: asking for it or more cannot gain anything over the bytes.
// nullopt when the tables are not this encoder's (another program's JPEG) or
// the bytes are no JPEG.
std::optional<double> jpegQuality(const std::vector<std::uint8_t>& bytes);
// A screenshot-sized picture (sides up to 32,767 pixels) as PNG bytes; empty
// when the pixels are invalid. Taller pictures are written in strips by
// PngFileWriter.
std::vector<std::uint8_t> encodePng(const PixelView& image, const PngMetadata& metadata = {});
std::vector<std::uint8_t> encodePng(const PixelBuffer& image, const PngMetadata& metadata = {});
// Writes atomically (temporary file, then rename), encoding straight into the
// file; false on failure.
bool writePng(const std::string& path, const PixelView& image, const PngMetadata& metadata = {});
bool writePng(const std::string& path, const PixelBuffer& image, const PngMetadata& metadata = {});

} // namespace imagecodec

} // namespace platform
