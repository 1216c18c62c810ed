#include "platform/ImageCodec.h"
#include "platform/PngBackgroundWriter.h"
#include "platform/PngEncoder.h"
#include "platform/PngFileWriter.h"
#include "platform/audio/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

using platform::PixelBuffer;
using platform::PixelView;
using platform::PngEncoder;
using platform::PngFileWriter;
namespace codec = platform::imagecodec;
namespace fs = std::filesystem;

namespace {

// Opaque and translucent pixels (premultiplied), different on every row, so a
// row written twice, skipped or shifted shows.
PixelBuffer stripes(int width, int height)
{
    PixelBuffer image { width, height, width * 4 + 8, {} };
    image.pixels.resize(std::size_t(image.stride) * std::size_t(height), 0xEE); // the padding must not leak
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint32_t a = (x + y) % 3 ? 255 : 128;
            std::uint32_t word = (a << 24) | (((y * 7) % 256 * a / 255) << 16) | ((x * 13 % 256 * a / 255) << 8) | (y % 2 ? a : 0);
            std::memcpy(&image.pixels[std::size_t(y) * std::size_t(image.stride) + std::size_t(x) * 4], &word, 4);
        }
    return image;
}

std::vector<std::uint8_t> bytesOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

std::uint32_t bigEndian(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 | std::uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
}

std::size_t filesIn(const fs::path& folder)
{
    return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

TEST(PngFileWriter, StripsGiveTheSameFileAsTheWholePicture)
{
    audiotest::TempHome home;
    struct Case {
        const char* name;
        PixelBuffer image;
        bool opaque;
        std::uint8_t colourType; // PNG's: 2 RGB, 6 RGBA
    };
    PixelBuffer screen = stripes(23, 41);
    for (std::size_t i = 3; i < screen.pixels.size(); i += 4)
        screen.pixels[i] = 0xFF; // the colour bytes stay premultiplied-valid: alpha only grows
    const Case cases[] = { { "translucent", stripes(23, 41), false, 6 }, { "opaque screen", screen, true, 2 } };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        auto whole = codec::encodePng(test.image);
        ASSERT_GT(whole.size(), 26u);
        EXPECT_EQ(whole[25], test.colourType) << "an opaque picture is found to be one";

        // Uneven strips, one of them empty, as the long picture's last strip may be.
        fs::path target = fs::path(home.path()) / "strips.png";
        PngFileWriter writer(target.string(), 23, 41, {}, test.opaque);
        PixelView view(test.image);
        for (auto [first, count] : { std::pair { 0, 1 }, { 1, 16 }, { 17, 0 }, { 17, 24 } })
            ASSERT_TRUE(writer.writeRows(view.rows(first, count))) << writer.error();
        ASSERT_TRUE(writer.finish()) << writer.error();
        EXPECT_EQ(bytesOf(target), whole);

        auto decoded = codec::decodeFile(target.string());
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->width, 23);
        EXPECT_EQ(decoded->height, 41);
        for (int y = 0; y < 41; ++y)
            for (int x = 0; x < 23; ++x)
                for (int shift : { 0, 8, 16, 24 }) {
                    std::uint32_t a, b;
                    std::memcpy(&a, &decoded->pixels[std::size_t(y * decoded->stride + x * 4)], 4);
                    std::memcpy(&b, &test.image.pixels[std::size_t(y * test.image.stride + x * 4)], 4);
                    ASSERT_NEAR(int(a >> shift & 0xFF), int(b >> shift & 0xFF), 1) << x << "," << y;
                }
    }
}

// The strip writer goes past the screenshot's 32,767 rows; encodePng does not.
TEST(PngFileWriter, WritesPicturesTallerThanAnySurface)
{
    audiotest::TempHome home;
    PixelBuffer strip = stripes(3, 1000);
    fs::path target = fs::path(home.path()) / "tall.png";
    PngFileWriter writer(target.string(), 3, 40000);
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(writer.writeRows(strip));
    ASSERT_TRUE(writer.finish()) << writer.error();
    auto bytes = bytesOf(target);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bigEndian(bytes, 16), 3u);
    EXPECT_EQ(bigEndian(bytes, 20), 40000u);

    PixelBuffer tooTall { 1, 40000, 4, std::vector<std::uint8_t>(160000, 0xFF) };
    EXPECT_TRUE(codec::encodePng(tooTall).empty());
}

TEST(PngFileWriter, AFailedPictureLeavesTheOldFileAndNoStrayOne)
{
    audiotest::TempHome home;
    fs::path folder = home.path();
    fs::path target = folder / "shot.png";
    PixelBuffer image = stripes(8, 10);
    ASSERT_TRUE(codec::writePng(target.string(), stripes(5, 5)));
    const auto old = bytesOf(target);

    struct Case {
        const char* name;
        std::function<bool(PngFileWriter&)> steps;
    };
    const Case cases[] = {
        { "rows missing", [&](PngFileWriter& w) { return w.writeRows(PixelView(image).rows(0, 9)) && w.finish(); } },
        { "too many rows", [&](PngFileWriter& w) { return w.writeRows(image) && w.writeRows(PixelView(image).rows(0, 1)) && w.finish(); } },
        { "another width", [&](PngFileWriter& w) { return w.writeRows(stripes(9, 10)) && w.finish(); } },
        { "no pixels", [&](PngFileWriter& w) { return w.writeRows(PixelView()) && w.finish(); } },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        {
            PngFileWriter writer(target.string(), 8, 10);
            EXPECT_FALSE(test.steps(writer));
            EXPECT_FALSE(writer.finish()) << "a failed writer stays failed";
        }
        EXPECT_EQ(bytesOf(target), old);
        EXPECT_EQ(filesIn(folder), 1u);
    }

    {
        PngFileWriter dropped(target.string(), 8, 10);
        EXPECT_TRUE(dropped.writeRows(PixelView(image).rows(0, 5)));
    }
    EXPECT_EQ(bytesOf(target), old);
    EXPECT_EQ(filesIn(folder), 1u);

    // A folder where the file belongs, and a folder that does not exist: the reason names the file.
    PngFileWriter intoFolder(folder.string(), 8, 10);
    EXPECT_FALSE(intoFolder.writeRows(image));
    EXPECT_NE(intoFolder.error().find(folder.string()), std::string::npos) << intoFolder.error();
    PngFileWriter nowhere((folder / "missing" / "x.png").string(), 8, 10);
    EXPECT_FALSE(nowhere.writeRows(image) && nowhere.finish());
    EXPECT_EQ(filesIn(folder), 1u);
}

TEST(PngEncoder, ASinkThatRefusesStopsTheEncoding)
{
    PixelBuffer image = stripes(16, 64);
    std::size_t taken = 0;
    // The signature and the header go through (33 bytes), the pixels do not.
    PngEncoder encoder(16, 64, { "", false }, [&](std::span<const std::uint8_t> bytes) {
        if (taken >= 33)
            return false;
        taken += bytes.size();
        return true;
    });
    EXPECT_FALSE(encoder.failed());
    EXPECT_FALSE(encoder.writeRows(image) && encoder.finish());
    EXPECT_TRUE(encoder.failed());
    EXPECT_FALSE(encoder.error().empty());
    std::size_t afterFailure = taken;
    EXPECT_FALSE(encoder.writeRows(image));
    EXPECT_EQ(taken, afterFailure) << "nothing more is written once failed";

    PngEncoder empty(0, 10, {}, [](std::span<const std::uint8_t>) { return true; });
    EXPECT_TRUE(empty.failed());
}

// Compressing on another thread changes nothing in the file; a failure still
// shows to the caller, and an unfinished picture leaves nothing behind.
TEST(PngBackgroundWriter, WritesTheSameFileAndReportsFailures)
{
    audiotest::TempHome home;
    fs::path folder = home.path();
    PixelBuffer image = stripes(31, 300);
    fs::path target = folder / "long.png";
    {
        platform::PngBackgroundWriter writer(target.string(), 31, 300);
        for (int first = 0; first < 300; first += 7)
            ASSERT_TRUE(writer.writeRows(PixelView(image).rows(first, 7))) << writer.error();
        ASSERT_TRUE(writer.finish()) << writer.error();
    }
    EXPECT_EQ(bytesOf(target), codec::encodePng(image));

    {
        platform::PngBackgroundWriter nowhere((folder / "missing" / "x.png").string(), 31, 300);
        for (int first = 0; first < 300; first += 7)
            nowhere.writeRows(PixelView(image).rows(first, 7));
        EXPECT_FALSE(nowhere.finish());
        EXPECT_NE(nowhere.error().find("missing"), std::string::npos) << nowhere.error();
    }
    {
        platform::PngBackgroundWriter tooFew(target.string(), 31, 300);
        EXPECT_TRUE(tooFew.writeRows(PixelView(image).rows(0, 100)));
        EXPECT_FALSE(tooFew.finish());
        EXPECT_FALSE(tooFew.writeRows(image)) << "nothing more after the end";
    }
    {
        platform::PngBackgroundWriter dropped(target.string(), 31, 300);
        EXPECT_TRUE(dropped.writeRows(PixelView(image).rows(0, 100)));
    }
    EXPECT_EQ(bytesOf(target), codec::encodePng(image)) << "the finished file is kept";
    EXPECT_EQ(filesIn(folder), 1u);
}
