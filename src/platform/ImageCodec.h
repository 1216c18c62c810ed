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
std::vector<std::uint8_t> encodePng(const PixelBuffer& image, const PngMetadata& metadata = {});
// Writes atomically (temporary file, then rename); false on failure.
bool writePng(const std::string& path, const PixelBuffer& image, const PngMetadata& metadata = {});

} // namespace imagecodec

} // namespace platform
