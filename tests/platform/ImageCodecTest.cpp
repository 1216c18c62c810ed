#include "platform/ImageCodec.h"

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <algorithm>
#include <limits>
#include <cmath>
#include <cstring>
#include <functional>

using platform::PixelBuffer;
namespace codec = platform::imagecodec;

namespace {

std::uint32_t argb(int a, int r, int g, int b)
{
    return (std::uint32_t(a) << 24) | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
}

PixelBuffer makeImage(int width, int height, const std::function<std::uint32_t(int, int)>& pixel)
{
    PixelBuffer image { width, height, width * 4, {} };
    image.pixels.resize(std::size_t(image.stride) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint32_t word = pixel(x, y);
            std::memcpy(&image.pixels[std::size_t(y * image.stride + x * 4)], &word, 4);
        }
    return image;
}

std::uint32_t pixelAt(const PixelBuffer& image, int x, int y)
{
    std::uint32_t word;
    std::memcpy(&word, &image.pixels[std::size_t(y * image.stride + x * 4)], 4);
    return word;
}

int channel(std::uint32_t word, int shift) { return (word >> shift) & 0xFF; }
bool isRed(std::uint32_t word) { return channel(word, 16) > 180 && channel(word, 0) < 80; }

// A smooth picture JPEG keeps well, with some detail so qualities differ.
PixelBuffer gradient(int width = 64, int height = 48)
{
    return makeImage(width, height, [](int x, int y) { return argb(255, x * 4 % 256, y * 5 % 256, (x * y) % 256); });
}

// A photo-like picture: smooth colour, a face-like disc, a dark line, grain.
PixelBuffer photoLike(int size)
{
    std::uint32_t seed = 12345;
    return makeImage(size, size, [&](int x, int y) {
        double u = x / double(size), v = y / double(size);
        double r = 200 * (1 - u) + 40 * std::sin(9 * v) + 30, g = 120 + 90 * v + 30 * std::cos(7 * u + 3 * v),
               b = 90 + 120 * u * v + 25 * std::sin(13 * (u - v));
        double d = std::hypot(u - 0.5, v - 0.45);
        if (d < 0.25)
            r = 225 - 120 * d, g = 185 - 100 * d, b = 160 - 60 * d;
        if (std::abs(v - 0.8) < 0.02)
            r *= 0.4, g *= 0.4, b *= 0.4;
        seed = seed * 1103515245u + 12345u;
        double grain = double((seed >> 16) % 13) - 6;
        auto c = [&](double value) { return int(std::clamp(value + grain, 0.0, 255.0)); };
        return argb(255, c(r), c(g), c(b));
    });
}

// Peak signal-to-noise ratio of the colour channels, in dB.
double psnr(const PixelBuffer& a, const PixelBuffer& b)
{
    double squares = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            for (int shift : { 0, 8, 16 }) {
                double d = channel(pixelAt(a, x, y), shift) - channel(pixelAt(b, x, y), shift);
                squares += d * d;
            }
    double mse = squares / (3.0 * a.width * a.height);
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

// Pixels in the given turbojpeg layout, compressed by turbojpeg itself.
std::vector<std::uint8_t> turboJpeg(const std::uint8_t* pixels, int width, int stride, int height, int format, int sampling, int quality)
{
    tjhandle tj = tjInitCompress();
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    tjCompress2(tj, pixels, width, stride, height, format, &buffer, &size, sampling, quality, 0);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    tjFree(buffer);
    tjDestroy(tj);
    return out;
}

bool contains(const std::vector<std::uint8_t>& bytes, const std::string& text)
{
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

// A JPEG with an EXIF block holding only the orientation tag, little- or big-endian.
std::vector<std::uint8_t> withOrientation(std::vector<std::uint8_t> jpeg, int orientation, bool little)
{
    std::vector<std::uint8_t> segment = { 0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0, 0 };
    auto add = [&](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            segment.push_back(std::uint8_t(value >> 8 * (little ? i : bytes - 1 - i)));
    };
    segment.insert(segment.end(), 2, std::uint8_t(little ? 'I' : 'M'));
    add(42, 2), add(8, 4), add(1, 2), add(0x0112, 2), add(3, 2), add(1, 4), add(std::uint32_t(orientation), 2);
    segment.insert(segment.end(), 6, 0);
    jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
    return jpeg;
}

} // namespace

// The phone's qualities on the encoder's scale: each must produce the
// encoder's exact output at that setting.
TEST(ImageCodec, JpegQualityMapsToTheEncodersScale)
{
    PixelBuffer image = gradient();
    const std::pair<double, int> cases[] = { { 1.0, 100 }, { 0.05, 42 }, { 0.005, 30 }, { 0.001, 27 }, { 0.0, 25 },
        { 0.5, 78 }, { -3.0, 25 }, { 7.0, 100 }, { std::nan(""), 25 } };
    for (auto [quality, expected] : cases) {
        EXPECT_EQ(codec::encoderQuality(quality), expected) << "quality " << quality;
        EXPECT_EQ(codec::encodeJpeg(image, quality),
            turboJpeg(image.pixels.data(), image.width, image.stride, image.height, TJPF_BGRA, TJSAMP_420, expected))
            << "quality " << quality;
    }
    for (int step = 1; step <= 1000; ++step)
        EXPECT_GE(codec::encoderQuality(step / 1000.0), codec::encoderQuality((step - 1) / 1000.0)) << step;
}

// The lowest settings the screens use stay recognisable and still small: a
// 240-pixel photo-like avatar keeps 30 dB at 0.001, and every step down in
// quality gives fewer bytes.
TEST(ImageCodec, LowQualitiesKeepAvatarsRecognisable)
{
    PixelBuffer avatar = photoLike(240);
    std::size_t larger = std::numeric_limits<std::size_t>::max();
    for (double quality : { 1.0, 0.05, 0.005, 0.001 }) {
        auto jpeg = codec::encodeJpeg(avatar, quality);
        auto decoded = codec::decode(jpeg);
        ASSERT_TRUE(decoded) << quality;
        EXPECT_EQ(std::pair(decoded->width, decoded->height), std::pair(240, 240));
        EXPECT_EQ(channel(pixelAt(*decoded, 7, 7), 24), 255) << "opaque";
        EXPECT_GE(psnr(avatar, *decoded), 30) << "quality " << quality;
        EXPECT_LT(jpeg.size(), larger) << "quality " << quality;
        larger = jpeg.size();
    }
    EXPECT_LT(larger, 4000u) << "0.001 stays a few kilobytes";
}

// Bytes this encoder wrote tell the lowest phone quality that writes them;
// other encoders' tables, and bytes that are no JPEG, tell nothing.
TEST(ImageCodec, JpegBytesTellTheQualityTheyHold)
{
    PixelBuffer image = gradient();
    for (int step = 0; step <= 100; ++step) {
        double quality = step == 100 ? 0.001 : step / 100.0 + (step % 7) * 0.001;
        auto held = codec::jpegQuality(codec::encodeJpeg(image, quality));
        ASSERT_TRUE(held.has_value()) << quality;
        EXPECT_LE(*held, quality);
        EXPECT_EQ(codec::encoderQuality(*held), codec::encoderQuality(quality)) << quality;
        EXPECT_EQ(codec::encodeJpeg(image, *held), codec::encodeJpeg(image, quality)) << quality;
    }
    auto foreign = turboJpeg(image.pixels.data(), image.width, image.stride, image.height, TJPF_BGRA, TJSAMP_420, 10);
    EXPECT_FALSE(codec::jpegQuality(foreign).has_value()) << "below this encoder's range";
    auto grey = turboJpeg(image.pixels.data(), image.width, image.stride, image.height, TJPF_BGRA, TJSAMP_GRAY, 80);
    EXPECT_FALSE(codec::jpegQuality(grey).has_value()) << "one table only";
    auto cut = codec::encodeJpeg(image, 0.5);
    cut.resize(40);
    EXPECT_FALSE(codec::jpegQuality(cut).has_value()) << "a table cut short";
    EXPECT_FALSE(codec::jpegQuality(codec::encodePng(image)).has_value());
    EXPECT_FALSE(codec::jpegQuality({}).has_value());
}

TEST(ImageCodec, PngCarriesProgramAndCompositeMarking)
{
    auto marked = codec::encodePng(gradient(8, 8));
    EXPECT_TRUE(contains(marked, std::string("tEXtSoftware\0qyshot 0.1.0", 25)));
    EXPECT_TRUE(contains(marked, "iTXtXML:com.adobe.xmp"));
    EXPECT_TRUE(contains(marked,
        "<Iptc4xmpExt:DigitalSourceType>http://cv.iptc.org/newscodes/digitalsourcetype/"
        "compositeSynthetic</Iptc4xmpExt:DigitalSourceType>"));
    EXPECT_TRUE(contains(marked, "<?xpacket end"));

    auto plain = codec::encodePng(gradient(8, 8), platform::PngMetadata { "other tool", false });
    EXPECT_TRUE(contains(plain, std::string("tEXtSoftware\0other tool", 23)));
    EXPECT_FALSE(contains(plain, "xmp"));
}

TEST(ImageCodec, RefusesUnreadableDataAndInvalidBuffers)
{
    std::vector<std::uint8_t> png = codec::encodePng(gradient());
    std::vector<std::uint8_t> jpeg = codec::encodeJpeg(gradient(), 0.8);
    std::vector<std::vector<std::uint8_t>> bad = {
        {},
        { 0x89, 'P', 'N', 'G' },
        { 0xFF, 0xD8, 0xFF },
        std::vector<std::uint8_t>(1000, 0xAB),
        std::vector<std::uint8_t>(png.begin(), png.begin() + std::ptrdiff_t(png.size() / 2)),
        std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(jpeg.size() / 2)),
        std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + 200),
        png,
        png,
    };
    bad[7][40] ^= 0xFF; // a broken CRC inside the first data chunk
    bad[8][16] = 0x7F; // an enormous width, which also breaks the header's CRC
    for (std::size_t i = 0; i < bad.size(); ++i)
        EXPECT_FALSE(codec::decode(bad[i])) << "case " << i;
    EXPECT_FALSE(codec::decodeFile("/nonexistent/picture.png"));

    PixelBuffer shortBuffer = gradient(10, 10);
    shortBuffer.pixels.resize(50);
    EXPECT_TRUE(codec::encodePng(shortBuffer).empty());
    EXPECT_TRUE(codec::encodeJpeg(shortBuffer, 1).empty());
    EXPECT_TRUE(codec::encodePng(PixelBuffer {}).empty());
}

// A JPEG whose frame header claims `width` × `height` over the data of a small one.
static std::vector<std::uint8_t> jpegClaiming(int width, int height)
{
    std::vector<std::uint8_t> jpeg = codec::encodeJpeg(gradient(16, 16), 0.5);
    for (std::size_t i = 0; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = std::uint8_t(height >> 8), jpeg[i + 6] = std::uint8_t(height);
            jpeg[i + 7] = std::uint8_t(width >> 8), jpeg[i + 8] = std::uint8_t(width);
            break;
        }
    }
    return jpeg;
}

TEST(ImageCodec, HugeJpegsAreDecodedScaledDownAndAbsurdOnesRefused)
{
    struct Case {
        int width, height;
        int decodedWidth, decodedHeight;
    };
    // Real pictures: a wide panorama comes out at half size, a phone photo's width whole.
    for (const Case& c : { Case { 8192, 16, 4096, 8 }, Case { 4000, 8, 4000, 8 }, Case { 16, 12000, 4, 3000 } }) {
        auto decoded = codec::decode(codec::encodeJpeg(gradient(c.width, c.height), 0.9));
        ASSERT_TRUE(decoded) << c.width << "x" << c.height;
        EXPECT_EQ(decoded->width, c.decodedWidth);
        EXPECT_EQ(decoded->height, c.decodedHeight);
        EXPECT_EQ(decoded->stride, c.decodedWidth * 4);
    }
    // A few hundred bytes claiming 100 or 400 megapixels: refused, the first
    // without ever holding its full size.
    EXPECT_FALSE(codec::decode(jpegClaiming(10000, 10000)));
    EXPECT_FALSE(codec::decode(jpegClaiming(20000, 20000)));
    EXPECT_FALSE(codec::decode(jpegClaiming(65000, 65000)));
}

TEST(ImageCodec, CameraPhotosComeOutUpright)
{
    // 32×16 with a red top-left quarter; everything else blue.
    PixelBuffer photo = makeImage(32, 16, [](int x, int y) { return x < 16 && y < 8 ? argb(255, 255, 0, 0) : argb(255, 0, 0, 255); });
    std::vector<std::uint8_t> jpeg = codec::encodeJpeg(photo, 1.0);
    struct Case {
        int orientation;
        int width, height;
        int redX, redY; // a point inside where the red quarter must end up
    };
    const Case cases[] = { { 1, 32, 16, 4, 4 }, { 3, 32, 16, 27, 11 }, { 6, 16, 32, 11, 4 }, { 8, 16, 32, 4, 27 },
        { 2, 32, 16, 27, 4 }, { 5, 16, 32, 4, 4 } };
    for (bool little : { true, false }) {
        for (const Case& c : cases) {
            auto decoded = codec::decode(withOrientation(jpeg, c.orientation, little));
            ASSERT_TRUE(decoded) << c.orientation;
            EXPECT_EQ(std::pair(decoded->width, decoded->height), std::pair(c.width, c.height)) << c.orientation;
            EXPECT_TRUE(isRed(pixelAt(*decoded, c.redX, c.redY))) << "orientation " << c.orientation;
            EXPECT_FALSE(isRed(pixelAt(*decoded, c.width - 1 - c.redX, c.height - 1 - c.redY))) << c.orientation;
        }
    }
    // A broken EXIF block is ignored rather than refusing the picture.
    std::vector<std::uint8_t> broken = withOrientation(jpeg, 6, true);
    broken[16] = 0xFF; // IFD offset far beyond the block
    auto decoded = codec::decode(broken);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 32);

    // CMYK as Photoshop stores it, inverted inks: full red is 255, 0, 0, 255.
    std::vector<std::uint8_t> inks;
    for (int i = 0; i < 16 * 16; ++i)
        inks.insert(inks.end(), { 255, 0, 0, 255 });
    auto cmyk = codec::decode(turboJpeg(inks.data(), 16, 64, 16, TJPF_CMYK, TJSAMP_444, 95));
    ASSERT_TRUE(cmyk);
    EXPECT_TRUE(isRed(pixelAt(*cmyk, 8, 8)));
    EXPECT_EQ(channel(pixelAt(*cmyk, 8, 8), 24), 255);
}
