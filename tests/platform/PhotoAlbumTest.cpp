#include "platform/PhotoAlbum.h"
#include "platform/audio/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>

using platform::PhotoAlbum;
namespace codec = platform::imagecodec;
namespace fs = std::filesystem;

namespace {

platform::PixelBuffer solid(int width, int height, std::uint32_t argb)
{
    platform::PixelBuffer image { width, height, width * 4, {} };
    image.pixels.resize(size_t(image.stride) * size_t(height));
    for (int i = 0; i < width * height; ++i)
        std::memcpy(&image.pixels[size_t(i) * 4], &argb, 4);
    return image;
}

class PhotoAlbumTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(folder); }

    // A PNG file at `path` whose modification time is `secondsAgo` before now.
    static void writePicture(const fs::path& path, double secondsAgo)
    {
        auto bytes = codec::encodePng(solid(4, 3, 0xFF336699));
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::milliseconds(long(secondsAgo * 1000)));
    }
    static std::string newestName(const PhotoAlbum& album) { return fs::path(album.newestPhoto().value().path).filename(); }

    audiotest::TempHome m_home;
    fs::path root = m_home.path();
    fs::path folder = root / "截屏工坊";
};

} // namespace

TEST_F(PhotoAlbumTest, ListsPicturesOldestFirstWithEqualTimesByName)
{
    EXPECT_FALSE(PhotoAlbum(folder.string()).newestPhoto());
    EXPECT_TRUE(PhotoAlbum((root / "nowhere").string()).photos().empty());

    writePicture(folder / "b.png", 30);
    writePicture(folder / "c.jpeg", 10);
    writePicture(folder / "a.JPG", 10);
    writePicture(folder / "newest.PNG", 1);
    writePicture(folder / "notes.txt", 0);
    fs::create_directories(folder / "folder.png");
    fs::last_write_time(folder / "c.jpeg", fs::last_write_time(folder / "a.JPG"));

    PhotoAlbum album(folder.string());
    std::vector<std::string> names;
    for (auto& photo : album.photos())
        names.push_back(fs::path(photo.path).filename());
    EXPECT_EQ(names, (std::vector<std::string> { "b.png", "a.JPG", "c.jpeg", "newest.PNG" }));
    EXPECT_EQ(newestName(album), "newest.PNG");
    double now = double(std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count());
    EXPECT_NEAR(album.newestPhoto()->modificationTime, now, 5);
}

TEST_F(PhotoAlbumTest, SavedPicturesReadBackAndBecomeTheNewest)
{
    PhotoAlbum album((root / "made-on-save").string());
    auto pixels = solid(8, 6, 0xFFFF0000);
    auto png = album.save(pixels, PhotoAlbum::Format::Png, 1480000000);
    auto jpeg = album.save(pixels, PhotoAlbum::Format::Jpeg, 1480000000, 0.5);
    auto again = album.save(pixels, PhotoAlbum::Format::Png, 1480000000);
    ASSERT_TRUE(png && jpeg && again);
    EXPECT_NE(*png, *again) << "a second save in the same second keeps the first";
    EXPECT_EQ(fs::path(*png).extension(), ".png");
    EXPECT_EQ(fs::path(*jpeg).extension(), ".jpg");
    for (auto& path : { *png, *jpeg }) {
        auto decoded = codec::decodeFile(path);
        ASSERT_TRUE(decoded) << path;
        EXPECT_EQ(std::pair(decoded->width, decoded->height), std::pair(8, 6));
    }
    EXPECT_EQ(album.photos().size(), 3u);
    EXPECT_EQ(album.newestPhoto()->path, *again);
}

TEST_F(PhotoAlbumTest, ImportCopiesPicturesInAndRefusesEverythingElse)
{
    fs::path outside = root / "desktop";
    fs::create_directories(outside);
    writePicture(outside / "dropped.png", 3600);
    writePicture(folder / "older.png", 60);
    PhotoAlbum album(folder.string());

    auto imported = album.importFile((outside / "dropped.png").string());
    ASSERT_TRUE(imported);
    EXPECT_EQ(fs::path(*imported).parent_path(), folder);
    EXPECT_TRUE(fs::exists(outside / "dropped.png")) << "the original stays";
    EXPECT_EQ(album.newestPhoto()->path, *imported) << "a dropped picture is the newest";
    auto twice = album.importFile((outside / "dropped.png").string());
    ASSERT_TRUE(twice);
    EXPECT_NE(*twice, *imported);
    EXPECT_EQ(album.importFile((folder / "older.png").string()), (folder / "older.png").string())
        << "a picture already in the album is left where it is";

    std::ofstream(outside / "fake.jpg") << "not a picture";
    std::ofstream(outside / "notes.txt") << "text";
    for (const char* name : { "fake.jpg", "notes.txt", "missing.png" })
        EXPECT_FALSE(album.importFile((outside / name).string())) << name;
    EXPECT_EQ(album.photos().size(), 3u);
}
