#include "platform/ImageCodec.h"

#include "platform/Log.h"
#include "platform/PngFileWriter.h"

#include <png.h>
#include <turbojpeg.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>
#include <utility>

namespace platform::imagecodec {

namespace {

// Cairo cannot make surfaces wider or taller than this, and a header claiming
// more than the pixel budget is far more likely hostile than a real photo.
constexpr int kMaxDimension = 32767;
constexpr long long kMaxPixels = 100LL * 1000 * 1000;

// Pixel formats whose bytes match Cairo's native-endian ARGB32 words.
constexpr int kTurboFormat = std::endian::native == std::endian::little ? TJPF_BGRA : TJPF_ARGB;

// A PNG is decoded whole, so its own budget is what memory can bear: 36
// million pixels (144 MB) is three times a phone camera's photo.
constexpr long long kMaxPngPixels = 36LL * 1000 * 1000;
// Larger JPEGs are decoded scaled down until both sides fit, as the phone
// keeps a picture for the screen, not for print (a 12-megapixel photo stays whole).
constexpr int kLargestJpegSide = 4096;

// The encoder's quality for the phone's lowest setting.
constexpr int kLowestQuality = 25;

// libjpeg's example quantization tables (luminance, chrominance) in natural
// order, which it scales by the quality.
using QuantTable = std::array<int, 64>;
constexpr QuantTable kLuminanceTable = { 16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55, 14, 13, 16,
    24, 40, 57, 69, 56, 14, 17, 22, 29, 51, 87, 80, 62, 18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104,
    113, 92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99 };
constexpr QuantTable kChrominanceTable = { 17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56,
    99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99 };
// Where each coefficient of a stored table (zigzag order) belongs.
constexpr std::array<int, 64> kNaturalOrder = { 0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26,
    33, 40, 48, 41, 34, 27, 20, 13, 6, 7, 14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63 };

// A table as libjpeg scales it for a quality, limited to baseline values.
QuantTable scaledTable(const QuantTable& base, int quality)
{
    int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    QuantTable out {};
    for (std::size_t i = 0; i < 64; ++i)
        out[i] = std::clamp((base[i] * scale + 50) / 100, 1, 255);
    return out;
}

// The quantization tables 0 and 1 of a JPEG, in natural order; nullopt when
// either is missing or a segment is malformed.
std::optional<std::array<QuantTable, 2>> quantizationTables(const std::vector<std::uint8_t>& bytes)
{
    std::array<QuantTable, 2> tables {};
    bool found[2] = { false, false };
    std::size_t offset = 2;
    while (offset + 4 <= bytes.size() && bytes[offset] == 0xFF) {
        int marker = bytes[offset + 1];
        if (marker == 0xDA || marker == 0xD9)
            break;
        std::size_t length = (std::size_t(bytes[offset + 2]) << 8) | bytes[offset + 3];
        if (length < 2 || offset + 2 + length > bytes.size())
            return std::nullopt;
        if (marker == 0xDB) {
            std::size_t at = offset + 4;
            const std::size_t end = offset + 2 + length;
            while (at < end) {
                int precision = bytes[at] >> 4, id = bytes[at] & 0x0F;
                std::size_t size = precision ? 128 : 64;
                if (at + 1 + size > end)
                    return std::nullopt;
                if (id < 2) {
                    for (std::size_t k = 0; k < 64; ++k) {
                        int value = precision ? (bytes[at + 1 + 2 * k] << 8) | bytes[at + 2 + 2 * k] : bytes[at + 1 + k];
                        tables[std::size_t(id)][std::size_t(kNaturalOrder[k])] = value;
                    }
                    found[id] = true;
                }
                at += 1 + size;
            }
        }
        offset += 2 + length;
    }
    if (!found[0] || !found[1])
        return std::nullopt;
    return tables;
}

bool sizeIsSane(long long width, long long height)
{
    return width > 0 && height > 0 && width <= kMaxDimension && height <= kMaxDimension && width * height <= kMaxPixels;
}

// The largest of the decoder's scaling factors at which both sides fit.
std::pair<int, int> jpegScaledSize(int width, int height)
{
    int count = 0;
    tjscalingfactor* factors = tjGetScalingFactors(&count);
    std::pair<int, int> best { width, height };
    double bestScale = 0;
    for (int i = 0; factors && i < count; ++i) {
        int w = TJSCALED(width, factors[i]), h = TJSCALED(height, factors[i]);
        double scale = double(factors[i].num) / factors[i].denom;
        if (w <= kLargestJpegSide && h <= kLargestJpegSide && scale > bestScale && scale <= 1) {
            best = { w, h };
            bestScale = scale;
        }
    }
    return best;
}

bool isPng(const std::vector<std::uint8_t>& bytes)
{
    return bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0;
}

struct TurboHandle {
    tjhandle handle;
    explicit TurboHandle(tjhandle h)
        : handle(h)
    {
    }
    ~TurboHandle()
    {
        if (handle)
            tjDestroy(handle);
    }
    TurboHandle(const TurboHandle&) = delete;
    TurboHandle& operator=(const TurboHandle&) = delete;
};

// The EXIF orientation (1–8) of a JPEG, 1 when it carries none. Cameras store
// pixels as the sensor read them and say in this tag how to turn them upright.
int exifOrientation(const std::vector<std::uint8_t>& bytes)
{
    std::size_t offset = 2;
    while (offset + 4 <= bytes.size() && bytes[offset] == 0xFF) {
        int marker = bytes[offset + 1];
        if (marker == 0xDA || marker == 0xD9) // image data begins: no more metadata
            break;
        std::size_t length = (std::size_t(bytes[offset + 2]) << 8) | bytes[offset + 3];
        if (length < 2 || offset + 2 + length > bytes.size())
            break;
        const std::uint8_t* segment = bytes.data() + offset + 4;
        std::size_t size = length - 2;
        if (marker == 0xE1 && size >= 14 && std::memcmp(segment, "Exif\0\0", 6) == 0) {
            const std::uint8_t* tiff = segment + 6;
            std::size_t tiffSize = size - 6;
            bool little = tiff[0] == 'I' && tiff[1] == 'I';
            if (!little && !(tiff[0] == 'M' && tiff[1] == 'M'))
                return 1;
            auto read16 = [&](std::size_t at) -> std::uint32_t {
                return little ? tiff[at] | (tiff[at + 1] << 8) : (tiff[at] << 8) | tiff[at + 1];
            };
            auto read32 = [&](std::size_t at) -> std::uint32_t {
                return little ? read16(at) | (read16(at + 2) << 16) : (read16(at) << 16) | read16(at + 2);
            };
            std::size_t ifd = read32(4);
            if (ifd + 2 > tiffSize)
                return 1;
            std::size_t count = read16(ifd);
            for (std::size_t i = 0; i < count; ++i) {
                std::size_t entry = ifd + 2 + i * 12;
                if (entry + 12 > tiffSize)
                    return 1;
                if (read16(entry) == 0x0112 && read16(entry + 2) == 3) {
                    int value = static_cast<int>(read16(entry + 8));
                    return value >= 1 && value <= 8 ? value : 1;
                }
            }
            return 1;
        }
        offset += 2 + length;
    }
    return 1;
}

// Turns decoded pixels upright according to an EXIF orientation.
PixelBuffer applyOrientation(PixelBuffer source, int orientation)
{
    if (orientation <= 1 || orientation > 8)
        return source;
    const int w = source.width, h = source.height;
    const bool swaps = orientation >= 5;
    PixelBuffer out;
    out.width = swaps ? h : w;
    out.height = swaps ? w : h;
    out.stride = out.width * 4;
    out.pixels.resize(static_cast<std::size_t>(out.stride) * out.height);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            int sx = x, sy = y;
            switch (orientation) {
            case 2: sx = w - 1 - x; break;
            case 3: sx = w - 1 - x; sy = h - 1 - y; break;
            case 4: sy = h - 1 - y; break;
            case 5: sx = y; sy = x; break;
            case 6: sx = y; sy = h - 1 - x; break;
            case 7: sx = w - 1 - y; sy = h - 1 - x; break;
            case 8: sx = w - 1 - y; sy = x; break;
            }
            std::memcpy(&out.pixels[static_cast<std::size_t>(y) * out.stride + x * 4],
                &source.pixels[static_cast<std::size_t>(sy) * source.stride + sx * 4], 4);
        }
    }
    return out;
}

std::optional<PixelBuffer> decodeJpeg(const std::vector<std::uint8_t>& bytes)
{
    TurboHandle tj(tjInitDecompress());
    if (!tj.handle)
        return std::nullopt;
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(tj.handle, bytes.data(), bytes.size(), &width, &height, &subsampling, &colorspace) != 0)
        return std::nullopt;
    if (!sizeIsSane(width, height)) {
        log::line("imagecodec", "JPEG refused: " + std::to_string(width) + "×" + std::to_string(height) + " is more than "
                + std::to_string(kMaxPixels) + " pixels");
        return std::nullopt;
    }
    // A big picture needs data to match: even a flat one spends far more than
    // a byte per 64 blocks of 8×8. A few hundred bytes claiming a huge size
    // would only make the decoder invent megapixels for seconds.
    long long pixels = (long long)width * height;
    if (pixels > (long long)kLargestJpegSide * kLargestJpegSide && (long long)bytes.size() < pixels / (64 * 64)) {
        log::line("imagecodec", "JPEG refused: " + std::to_string(bytes.size()) + " bytes cannot hold " + std::to_string(width) + "×"
                + std::to_string(height) + " pixels");
        return std::nullopt;
    }
    std::tie(width, height) = jpegScaledSize(width, height);
    PixelBuffer out;
    out.width = width;
    out.height = height;
    out.stride = width * 4;
    out.pixels.resize(static_cast<std::size_t>(out.stride) * height);
    // Print-workflow JPEGs hold CMYK, which the decoder will not turn into RGB itself.
    bool cmyk = colorspace == TJCS_CMYK || colorspace == TJCS_YCCK;
    if (tjDecompress2(tj.handle, bytes.data(), bytes.size(), out.pixels.data(), width, out.stride, height,
            cmyk ? TJPF_CMYK : kTurboFormat, 0)
        != 0) {
        // Warnings such as stray bytes between markers still give a whole picture;
        // a file cut short does not, and must not pass for one.
        const char* message = tjGetErrorStr2(tj.handle);
        if (tjGetErrorCode(tj.handle) == TJERR_FATAL || std::strstr(message, "Premature end")) {
            log::line("imagecodec", std::string("JPEG refused: ") + message);
            return std::nullopt;
        }
    }
    if (cmyk) {
        // Such files store the inks inverted (as Photoshop writes them), so
        // each channel is simply the product of its ink and the black ink.
        for (std::size_t i = 0; i + 3 < out.pixels.size(); i += 4) {
            const std::uint8_t* ink = &out.pixels[i];
            std::uint32_t k = ink[3];
            std::uint32_t r = ink[0] * k / 255, g = ink[1] * k / 255, b = ink[2] * k / 255;
            std::uint32_t word = 0xFF000000u | (r << 16) | (g << 8) | b;
            std::memcpy(&out.pixels[i], &word, 4);
        }
    }
    return applyOrientation(std::move(out), exifOrientation(bytes));
}

// libpng reports errors by longjmp; its default handler would abort.
void pngError(png_structp png, png_const_charp message)
{
    log::line("imagecodec", std::string("PNG: ") + message);
    png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) { }

struct ReadSource {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t offset = 0;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t count)
{
    auto* source = static_cast<ReadSource*>(png_get_io_ptr(png));
    if (count > source->size - source->offset)
        png_error(png, "truncated data");
    std::memcpy(out, source->data + source->offset, count);
    source->offset += count;
}

std::optional<PixelBuffer> decodePng(const std::vector<std::uint8_t>& bytes)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
    if (!png)
        return std::nullopt;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return std::nullopt;
    }
    ReadSource source { bytes.data(), bytes.size() };
    // What changes after setjmp lives on the heap, so a jump back leaves no
    // local in an indeterminate state.
    struct State {
        PixelBuffer out;
        std::vector<png_bytep> rows;
    };
    State* state = new State;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        delete state;
        return std::nullopt;
    }
    PixelBuffer* out = &state->out;
    png_set_read_fn(png, &source, readFromMemory);
    png_set_user_limits(png, kMaxDimension, kMaxDimension);
    png_read_info(png, info);
    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    if (!sizeIsSane(width, height) || (long long)width * height > kMaxPngPixels) {
        log::line("imagecodec", "PNG refused: " + std::to_string(width) + "×" + std::to_string(height) + " is more than "
                + std::to_string(kMaxPngPixels) + " pixels");
        png_error(png, "image too large");
    }
    int colorType = png_get_color_type(png, info);
    int bitDepth = png_get_bit_depth(png, info);
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != width * 4)
        png_error(png, "unexpected row layout");

    out->width = static_cast<int>(width);
    out->height = static_cast<int>(height);
    out->stride = out->width * 4;
    out->pixels.resize(static_cast<std::size_t>(out->stride) * height);
    state->rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        state->rows[y] = out->pixels.data() + static_cast<std::size_t>(y) * out->stride;
    png_read_image(png, state->rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);

    // RGBA bytes → premultiplied native-endian ARGB words. Opaque pixels (most
    // of a photo) keep their colours as they are, which is what the rounding
    // below gives for them too, without its three divisions.
    for (std::size_t i = 0; i + 3 < out->pixels.size(); i += 4) {
        std::uint8_t* p = &out->pixels[i];
        std::uint32_t a = p[3];
        std::uint32_t r = p[0], g = p[1], b = p[2];
        if (a != 255) {
            r = (r * a + 127) / 255;
            g = (g * a + 127) / 255;
            b = (b * a + 127) / 255;
        }
        std::uint32_t word = (a << 24) | (r << 16) | (g << 8) | b;
        std::memcpy(p, &word, 4);
    }
    PixelBuffer result = std::move(*out);
    delete state;
    return result;
}

bool bufferIsValid(const PixelBuffer& image)
{
    return sizeIsSane(image.width, image.height) && image.stride >= image.width * 4
        && image.pixels.size() >= static_cast<std::size_t>(image.stride) * image.height;
}

// Whether every pixel is opaque, so the file needs no alpha channel.
bool isOpaque(const PixelView& image)
{
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.data + std::size_t(y) * std::size_t(image.stride);
        std::uint32_t alphas = 0xFF000000u;
        for (int x = 0; x < image.width; ++x) {
            std::uint32_t word;
            std::memcpy(&word, row + x * 4, 4);
            alphas &= word;
        }
        if ((alphas >> 24) != 0xFF)
            return false;
    }
    return true;
}

// Screenshots keep to the sides Cairo can draw; only the strip writer goes beyond.
bool viewIsValid(const PixelView& image)
{
    return image.data && sizeIsSane(image.width, image.height) && image.stride >= image.width * 4;
}


} // namespace

} // namespace platform::imagecodec

namespace platform {

PixelView::PixelView(const PixelBuffer& buffer)
{
    if (buffer.width <= 0 || buffer.height <= 0 || buffer.stride < buffer.width * 4
        || buffer.pixels.size() < std::size_t(buffer.stride) * std::size_t(buffer.height))
        return;
    data = buffer.pixels.data();
    width = buffer.width;
    height = buffer.height;
    stride = buffer.stride;
}

PixelView PixelView::rows(int first, int count) const
{
    first = std::clamp(first, 0, height);
    count = std::clamp(count, 0, height - first);
    return { data ? data + std::size_t(first) * std::size_t(stride) : nullptr, width, count, stride };
}

} // namespace platform

namespace platform::imagecodec {

bool isJpeg(const std::vector<std::uint8_t>& bytes)
{
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

std::optional<PixelBuffer> decode(const std::vector<std::uint8_t>& bytes)
{
    if (isJpeg(bytes))
        return decodeJpeg(bytes);
    if (isPng(bytes))
        return decodePng(bytes);
    return std::nullopt;
}

std::optional<PixelBuffer> decodeFile(const std::string& path)
{
    // A folder named like a picture opens, and reading it throws from inside
    // the stream; only a plain file can be one.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return std::nullopt;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad())
            return std::nullopt;
    } catch (const std::exception& failure) {
        log::line("imagecodec", "cannot read " + path + ": " + failure.what());
        return std::nullopt;
    }
    return decode(bytes);
}

// The phone's scale q in [0, 1] becomes 25 + 75·√q on the encoder's. A linear
// mapping (100 q) puts the phone's 0.05 and 0.001 at 5 and 1, where libjpeg
// posterizes (at 1 the photo-like picture below keeps 883 of its 42,611
// colours, at 22.2 dB); the phone's own encoder keeps its lowest settings
// recognisable. Measured on a
// 240×240 photo-like picture (gradients, a face, grain; 42,611 colours) and a
// drawn 240×240 avatar, 4:2:0, PSNR of RGB against the source:
//
//   phone q   encoder   photo-like          drawn avatar
//   0         25        2,810 B  31.7 dB    2,529 B  30.8 dB
//   0.001     27        2,912 B  32.0 dB    2,596 B  31.2 dB
//   0.005     30        3,073 B  32.4 dB    2,677 B  31.4 dB
//   0.05      42        3,615 B  33.4 dB    2,989 B  32.1 dB
//   0.1       49        4,086 B  33.7 dB    3,142 B  32.5 dB
//   0.25      63        5,167 B  34.2 dB    3,472 B  33.2 dB
//   0.5       78        7,615 B  35.0 dB    4,292 B  35.0 dB
//   0.75      90       14,214 B  36.5 dB    6,141 B  36.7 dB
//   1.0       100      43,278 B  41.1 dB   16,902 B  38.1 dB
//
// (The linear mapping's 1 and 5 gave 1,680 B at 22.2 dB and 1,779 B at 25.7 dB
// on the photo-like picture.) The order of the qualities the screens use
// (1.0 > 0.05 > 0.005 > 0.001) holds, the small ones stay a few kilobytes, and
// 0.001 stays above 30 dB.
int encoderQuality(double quality)
{
    if (std::isnan(quality))
        quality = 0;
    double q = std::clamp(quality, 0.0, 1.0);
    return std::clamp(static_cast<int>(std::lround(kLowestQuality + (100 - kLowestQuality) * std::sqrt(q))),
        kLowestQuality, 100);
}

std::optional<double> jpegQuality(const std::vector<std::uint8_t>& bytes)
{
    if (!isJpeg(bytes))
        return std::nullopt;
    auto tables = quantizationTables(bytes);
    if (!tables)
        return std::nullopt;
    for (int q = kLowestQuality; q <= 100; ++q) {
        if (scaledTable(kLuminanceTable, q) != tables->at(0) || scaledTable(kChrominanceTable, q) != tables->at(1))
            continue;
        // The phone qualities that round to q start half a step below it.
        double root = (q - 0.5 - kLowestQuality) / (100 - kLowestQuality);
        double held = root <= 0 ? 0.0 : root * root;
        while (encoderQuality(held) < q) // rounding may leave it just below
            held = std::nextafter(held, 1.0);
        return held;
    }
    return std::nullopt;
}

std::vector<std::uint8_t> encodeJpeg(const PixelBuffer& image, double quality)
{
    if (!bufferIsValid(image))
        return {};
    int q = encoderQuality(quality);
    TurboHandle tj(tjInitCompress());
    if (!tj.handle)
        return {};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    // The alpha channel is dropped; premultiplied colour is the picture over black.
    int rc = tjCompress2(tj.handle, image.pixels.data(), image.width, image.stride, image.height, kTurboFormat,
        &buffer, &size, TJSAMP_420, q, 0);
    std::vector<std::uint8_t> out;
    if (rc == 0 && buffer)
        out.assign(buffer, buffer + size);
    else
        log::line("imagecodec", std::string("JPEG encode failed: ") + tjGetErrorStr2(tj.handle));
    tjFree(buffer);
    return out;
}

std::vector<std::uint8_t> encodePng(const PixelView& image, const PngMetadata& metadata)
{
    if (!viewIsValid(image))
        return {};
    std::vector<std::uint8_t> out;
    PngEncoder encoder(image.width, image.height, metadata, [&out](std::span<const std::uint8_t> bytes) {
        out.insert(out.end(), bytes.begin(), bytes.end());
        return true;
    }, isOpaque(image));
    if (!encoder.writeRows(image) || !encoder.finish())
        return {};
    return out;
}

std::vector<std::uint8_t> encodePng(const PixelBuffer& image, const PngMetadata& metadata)
{
    return encodePng(PixelView(image), metadata);
}

bool writePng(const std::string& path, const PixelView& image, const PngMetadata& metadata)
{
    if (!viewIsValid(image))
        return false;
    PngFileWriter writer(path, image.width, image.height, metadata, isOpaque(image));
    if (writer.writeRows(image) && writer.finish())
        return true;
    log::line("imagecodec", writer.error());
    return false;
}

bool writePng(const std::string& path, const PixelBuffer& image, const PngMetadata& metadata)
{
    return writePng(path, PixelView(image), metadata);
}

} // namespace platform::imagecodec
