#include "platform/ImageCodec.h"

#include <gtest/gtest.h>
#include <png.h>
#include <turbojpeg.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <unistd.h>

using platform::PixelBuffer;
namespace codec = platform::imagecodec;
namespace fs = std::filesystem;

namespace {

std::uint32_t argb(int a, int r, int g, int b)
{
    return (std::uint32_t(a) << 24) | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
}

PixelBuffer makeImage(int width, int height, const std::function<std::uint32_t(int, int)>& pixel)
{
    PixelBuffer image { width, height, width * 4, {} };
    image.pixels.resize(static_cast<std::size_t>(image.stride) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint32_t word = pixel(x, y);
            std::memcpy(&image.pixels[y * image.stride + x * 4], &word, 4);
        }
    return image;
}

std::uint32_t pixelAt(const PixelBuffer& image, int x, int y)
{
    std::uint32_t word;
    std::memcpy(&word, &image.pixels[y * image.stride + x * 4], 4);
    return word;
}

int channel(std::uint32_t word, int shift) { return (word >> shift) & 0xFF; }

// A smooth picture JPEG keeps well, with some detail so qualities differ.
PixelBuffer gradient(int width = 64, int height = 48)
{
    return makeImage(width, height, [](int x, int y) { return argb(255, x * 4 % 256, y * 5 % 256, (x * y) % 256); });
}

std::vector<std::uint8_t> turboJpeg(const PixelBuffer& image, int quality)
{
    tjhandle tj = tjInitCompress();
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    int format = TJPF_BGRA;
    tjCompress2(tj, image.pixels.data(), image.width, image.stride, image.height, format, &buffer, &size, TJSAMP_420,
        quality, 0);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    tjFree(buffer);
    tjDestroy(tj);
    return out;
}

struct PngText {
    std::map<std::string, std::string> entries;
    std::map<std::string, int> compression;
};

struct MemoryReader {
    const std::vector<std::uint8_t>* bytes;
    std::size_t offset = 0;
};

// Reads the text chunks back with libpng itself.
PngText readPngText(const std::vector<std::uint8_t>& bytes)
{
    PngText result;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    MemoryReader reader { &bytes };
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return result;
    }
    png_set_read_fn(png, &reader, [](png_structp p, png_bytep out, png_size_t count) {
        auto* r = static_cast<MemoryReader*>(png_get_io_ptr(p));
        if (r->offset + count > r->bytes->size())
            png_error(p, "short");
        std::memcpy(out, r->bytes->data() + r->offset, count);
        r->offset += count;
    });
    png_read_info(png, info);
    png_textp texts = nullptr;
    int count = png_get_text(png, info, &texts, nullptr);
    for (int i = 0; i < count; ++i) {
        std::size_t length = texts[i].compression >= PNG_ITXT_COMPRESSION_NONE ? texts[i].itxt_length : texts[i].text_length;
        result.entries[texts[i].key] = std::string(texts[i].text, length);
        result.compression[texts[i].key] = texts[i].compression;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return result;
}

class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/qy-codec-XXXXXX";
        m_path = mkdtemp(pattern);
    }
    ~TempFolder() { fs::remove_all(m_path); }
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

} // namespace

TEST(ImageCodec, JpegQualityMapsToTheEncodersScale)
{
    PixelBuffer image = gradient();
    // max(1, round(100 q)): each pair must produce the encoder's exact output.
    const std::pair<double, int> cases[] = { { 1.0, 100 }, { 0.05, 5 }, { 0.054, 5 }, { 0.056, 6 }, { 0.005, 1 },
        { 0.001, 1 }, { 0.0, 1 }, { -3.0, 1 }, { 7.0, 100 } };
    for (auto [quality, expected] : cases)
        EXPECT_EQ(codec::encodeJpeg(image, quality), turboJpeg(image, expected)) << "quality " << quality;
    EXPECT_LT(codec::encodeJpeg(image, 0.05).size(), codec::encodeJpeg(image, 1.0).size());
}

TEST(ImageCodec, JpegRoundTripKeepsSizeAndColours)
{
    PixelBuffer image = makeImage(40, 30, [](int x, int) { return x < 20 ? argb(255, 200, 30, 30) : argb(255, 20, 40, 220); });
    auto decoded = codec::decode(codec::encodeJpeg(image, 1.0));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 40);
    EXPECT_EQ(decoded->height, 30);
    std::uint32_t left = pixelAt(*decoded, 5, 15), right = pixelAt(*decoded, 35, 15);
    EXPECT_EQ(channel(left, 24), 255);
    EXPECT_NEAR(channel(left, 16), 200, 6);
    EXPECT_NEAR(channel(right, 0), 220, 6);
}

TEST(ImageCodec, PngRoundTripKeepsPremultipliedPixels)
{
    PixelBuffer image = makeImage(17, 9, [](int x, int y) {
        int a = (x * 15 + y * 7) % 256;
        return argb(a, a * 3 / 4, a / 2, a / 5);
    });
    auto decoded = codec::decode(codec::encodePng(image));
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->width, 17);
    ASSERT_EQ(decoded->height, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 17; ++x)
            for (int shift : { 0, 8, 16, 24 })
                EXPECT_NEAR(channel(pixelAt(*decoded, x, y), shift), channel(pixelAt(image, x, y), shift), 1)
                    << x << "," << y;
}

TEST(ImageCodec, PngCarriesProgramAndCompositeMarking)
{
    PngText text = readPngText(codec::encodePng(gradient(8, 8)));
    EXPECT_EQ(text.entries["Software"], "qyshot 0.1.0");
    EXPECT_EQ(text.compression["Software"], PNG_TEXT_COMPRESSION_NONE);
    ASSERT_TRUE(text.entries.count("XML:com.adobe.xmp"));
    EXPECT_GE(text.compression["XML:com.adobe.xmp"], PNG_ITXT_COMPRESSION_NONE);
    const std::string& xmp = text.entries["XML:com.adobe.xmp"];
    EXPECT_NE(xmp.find("<Iptc4xmpExt:DigitalSourceType>http://cv.iptc.org/newscodes/digitalsourcetype/"
                       "compositeSynthetic</Iptc4xmpExt:DigitalSourceType>"),
        std::string::npos);
    EXPECT_NE(xmp.find("<?xpacket end"), std::string::npos);

    platform::PngMetadata plain { "other tool", false };
    PngText other = readPngText(codec::encodePng(gradient(8, 8), plain));
    EXPECT_EQ(other.entries["Software"], "other tool");
    EXPECT_FALSE(other.entries.count("XML:com.adobe.xmp"));
}

TEST(ImageCodec, RefusesUnreadableData)
{
    std::vector<std::uint8_t> png = codec::encodePng(gradient());
    std::vector<std::uint8_t> jpeg = codec::encodeJpeg(gradient(), 0.8);
    std::vector<std::vector<std::uint8_t>> bad = {
        {},
        { 0x89, 'P', 'N', 'G' },
        { 0xFF, 0xD8, 0xFF },
        std::vector<std::uint8_t>(1000, 0xAB),
        std::vector<std::uint8_t>(png.begin(), png.begin() + png.size() / 2),
        std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + jpeg.size() / 2),
        std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + 200),
    };
    std::vector<std::uint8_t> badCrc = png;
    badCrc[40] ^= 0xFF; // inside the first data chunk
    bad.push_back(badCrc);
    std::vector<std::uint8_t> huge = png;
    // IHDR width 0x7FFFFFFF with a fixed-up CRC would still be refused by size;
    // a plain corrupt width breaks the CRC, which must be refused too.
    huge[16] = 0x7F;
    bad.push_back(huge);
    for (std::size_t i = 0; i < bad.size(); ++i)
        EXPECT_FALSE(codec::decode(bad[i])) << "case " << i;
    EXPECT_FALSE(codec::decodeFile("/nonexistent/picture.png"));
}

TEST(ImageCodec, RefusesInvalidBuffersToEncode)
{
    PixelBuffer shortBuffer = gradient(10, 10);
    shortBuffer.pixels.resize(50);
    EXPECT_TRUE(codec::encodePng(shortBuffer).empty());
    EXPECT_TRUE(codec::encodeJpeg(shortBuffer, 1).empty());
    EXPECT_TRUE(codec::encodePng(PixelBuffer {}).empty());
}

TEST(ImageCodec, WritePngReplacesAtomicallyAndLeavesNoTemporaryFiles)
{
    TempFolder folder;
    fs::path target = folder.path() / "shot.png";
    ASSERT_TRUE(codec::writePng(target.string(), gradient(4, 4)));
    ASSERT_TRUE(codec::writePng(target.string(), gradient(6, 5)));
    auto decoded = codec::decodeFile(target.string());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 6);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path()))
        ++files;
    EXPECT_EQ(files, 1);

    EXPECT_FALSE(codec::writePng((folder.path() / "missing" / "shot.png").string(), gradient(4, 4)));
    PixelBuffer invalid;
    EXPECT_FALSE(codec::writePng(target.string(), invalid));
    EXPECT_TRUE(codec::decodeFile(target.string())) << "a failed write must keep the old file";
}

namespace {

// A JPEG with an EXIF block holding only the orientation tag, little- or big-endian.
std::vector<std::uint8_t> withOrientation(std::vector<std::uint8_t> jpeg, int orientation, bool little)
{
    auto u16 = [little](int v) {
        return little ? std::vector<std::uint8_t> { std::uint8_t(v), std::uint8_t(v >> 8) }
                      : std::vector<std::uint8_t> { std::uint8_t(v >> 8), std::uint8_t(v) };
    };
    std::vector<std::uint8_t> tiff = { std::uint8_t(little ? 'I' : 'M'), std::uint8_t(little ? 'I' : 'M') };
    auto add = [&tiff](const std::vector<std::uint8_t>& bytes) { tiff.insert(tiff.end(), bytes.begin(), bytes.end()); };
    add(u16(42));
    add(little ? std::vector<std::uint8_t> { 8, 0, 0, 0 } : std::vector<std::uint8_t> { 0, 0, 0, 8 });
    add(u16(1));
    add(u16(0x0112));
    add(u16(3));
    add(little ? std::vector<std::uint8_t> { 1, 0, 0, 0 } : std::vector<std::uint8_t> { 0, 0, 0, 1 });
    add(u16(orientation));
    add({ 0, 0, 0, 0, 0, 0 });
    std::vector<std::uint8_t> segment = { 0xFF, 0xE1 };
    std::size_t length = 2 + 6 + tiff.size();
    segment.push_back(std::uint8_t(length >> 8));
    segment.push_back(std::uint8_t(length));
    segment.insert(segment.end(), { 'E', 'x', 'i', 'f', 0, 0 });
    segment.insert(segment.end(), tiff.begin(), tiff.end());
    jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
    return jpeg;
}

bool isRed(std::uint32_t word) { return channel(word, 16) > 180 && channel(word, 0) < 80; }

} // namespace

TEST(ImageCodec, JpegExifOrientationTurnsPhotosUpright)
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
            EXPECT_EQ(decoded->width, c.width) << c.orientation;
            EXPECT_EQ(decoded->height, c.height) << c.orientation;
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
}

TEST(ImageCodec, CmykJpegBecomesRgb)
{
    // Inverted inks as Photoshop stores them: full red is no cyan, full magenta
    // and yellow, no black — 255, 0, 0, 255 once inverted.
    std::vector<std::uint8_t> inks;
    for (int i = 0; i < 16 * 16; ++i)
        inks.insert(inks.end(), { 255, 0, 0, 255 });
    tjhandle tj = tjInitCompress();
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    ASSERT_EQ(tjCompress2(tj, inks.data(), 16, 64, 16, TJPF_CMYK, &buffer, &size, TJSAMP_444, 95, 0), 0);
    std::vector<std::uint8_t> jpeg(buffer, buffer + size);
    tjFree(buffer);
    tjDestroy(tj);
    auto decoded = codec::decode(jpeg);
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(isRed(pixelAt(*decoded, 8, 8)));
    EXPECT_EQ(channel(pixelAt(*decoded, 8, 8), 24), 255);
}
