#include "platform/DecodedImageCache.h"
#include "platform/audio/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>

using platform::DecodedImageCache;
namespace codec = platform::imagecodec;
namespace fs = std::filesystem;

namespace {

// A PNG of one colour whose modification time is `secondsAgo` before now.
void writePicture(const fs::path& path, int width, int height, std::uint32_t argb, double secondsAgo = 60)
{
    platform::PixelBuffer image { width, height, width * 4, {} };
    image.pixels.resize(size_t(image.stride) * size_t(height));
    for (int i = 0; i < width * height; ++i)
        std::memcpy(&image.pixels[size_t(i) * 4], &argb, 4);
    ASSERT_TRUE(codec::writePng(path.string(), image));
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::milliseconds(long(secondsAgo * 1000)));
}

std::uint32_t firstPixel(const platform::PixelBuffer& pixels)
{
    std::uint32_t word = 0;
    std::memcpy(&word, pixels.pixels.data(), 4);
    return word;
}

class DecodedImageCacheTest : public ::testing::Test {
protected:
    audiotest::TempHome m_home;
    fs::path folder = m_home.path();
    std::string file(const char* name) const { return (folder / name).string(); }
};

} // namespace

TEST_F(DecodedImageCacheTest, AnUnchangedFileIsDecodedOnceAndAChangedOneAgain)
{
    struct Change {
        const char* what;
        int width;
        std::uint32_t colour;
        double secondsAgo;
    };
    // Each change leaves the file readable but holding another picture; the
    // second keeps the size in bytes, so only the time tells it apart.
    const Change changes[] = {
        { "other size", 9, 0xFF00FF00, 60 },
        { "same bytes count, newer time", 8, 0xFF0000FF, 30 },
        { "older time", 8, 0xFF00FF00, 3600 },
    };
    DecodedImageCache cache;
    writePicture(file("photo.png"), 8, 6, 0xFFFF0000);
    auto first = cache.decodeFile(file("photo.png"));
    ASSERT_TRUE(first);
    EXPECT_EQ(cache.decodeFile(file("photo.png")), first) << "the same pixels, not a second decode";
    for (const auto& change : changes) {
        auto bytesBefore = fs::file_size(file("photo.png"));
        writePicture(file("photo.png"), change.width, 6, change.colour, change.secondsAgo);
        if (change.width == 8) {
            ASSERT_EQ(fs::file_size(file("photo.png")), bytesBefore) << change.what << ": the case needs an equal size";
        }
        auto now = cache.decodeFile(file("photo.png"));
        ASSERT_TRUE(now) << change.what;
        EXPECT_NE(now, first) << change.what;
        EXPECT_EQ(now->width, change.width) << change.what;
        EXPECT_EQ(firstPixel(*now), change.colour) << change.what;
        EXPECT_EQ(cache.count(), 1u) << change.what << ": the old pixels are let go";
        first = now;
    }
}

TEST_F(DecodedImageCacheTest, StaysWithinItsBytesDroppingTheLeastRecentlyUsed)
{
    // 10×10 pictures are 400 bytes: three fit in 1,000, a fourth pushes one out.
    DecodedImageCache cache(1000);
    for (const char* name : { "a.png", "b.png", "c.png", "d.png", "huge.png" })
        writePicture(file(name), name[0] == 'h' ? 30 : 10, 10, 0xFF808080);
    auto a = cache.decodeFile(file("a.png"));
    auto b = cache.decodeFile(file("b.png"));
    EXPECT_EQ(cache.bytes(), 800u);
    EXPECT_EQ(cache.decodeFile(file("a.png")), a) << "a is now the most recently used";
    ASSERT_TRUE(cache.decodeFile(file("d.png")));
    auto c = cache.decodeFile(file("c.png"));
    EXPECT_LE(cache.bytes(), cache.byteLimit());
    EXPECT_EQ(cache.count(), 2u);
    EXPECT_EQ(cache.decodeFile(file("c.png")), c);
    EXPECT_NE(cache.decodeFile(file("b.png")), b) << "b was the least recently used, decoded again";

    auto huge = cache.decodeFile(file("huge.png"));
    ASSERT_TRUE(huge) << "a picture over the whole budget is still given";
    EXPECT_EQ(huge->width, 30);
    EXPECT_LE(cache.bytes(), cache.byteLimit());
    EXPECT_EQ(cache.decodeFile(file("c.png")), c) << "and pushes nothing out";
}

TEST_F(DecodedImageCacheTest, MissingAndBrokenFilesGiveNothingAndAreTriedAgain)
{
    DecodedImageCache cache;
    writePicture(file("good.png"), 4, 4, 0xFF123456);
    std::ifstream in(file("good.png"), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(file("cut.png"), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size() / 2));
    std::ofstream(file("text.png")) << "not a picture";
    fs::create_directories(folder / "folder.png");
    for (const char* name : { "missing.png", "cut.png", "text.png", "folder.png" }) {
        EXPECT_FALSE(cache.decodeFile(file(name))) << name;
        EXPECT_FALSE(cache.decodeFile(file(name))) << name << ", asked again";
    }
    EXPECT_EQ(cache.count(), 0u);
    EXPECT_EQ(cache.bytes(), 0u);

    // A broken file mended later is read as it is now.
    writePicture(file("cut.png"), 5, 4, 0xFF654321);
    auto mended = cache.decodeFile(file("cut.png"));
    ASSERT_TRUE(mended);
    EXPECT_EQ(mended->width, 5);
    // A picture that is deleted is not given from memory.
    fs::remove(file("cut.png"));
    EXPECT_FALSE(cache.decodeFile(file("cut.png")));
}

TEST_F(DecodedImageCacheTest, ARememberedCopyIsNotDecodedAgainUntilItChanges)
{
    DecodedImageCache cache;
    writePicture(file("original.png"), 6, 6, 0xFF00AA00);
    auto pixels = cache.decodeFile(file("original.png"));
    ASSERT_TRUE(pixels);
    fs::copy_file(file("original.png"), file("copy.png"));
    cache.remember(file("copy.png"), pixels);
    EXPECT_EQ(cache.decodeFile(file("copy.png")), pixels);
    writePicture(file("copy.png"), 7, 6, 0xFF0000AA, 1);
    auto changed = cache.decodeFile(file("copy.png"));
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->width, 7);
    cache.remember(file("gone.png"), pixels);
    EXPECT_FALSE(cache.decodeFile(file("gone.png"))) << "nothing is remembered for a file that is not there";
}
