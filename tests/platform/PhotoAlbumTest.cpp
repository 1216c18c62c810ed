#include "platform/PhotoAlbum.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

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

} // namespace

class PhotoAlbumTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("qyshot-album-" + std::to_string(::getpid()) + "-"
                   + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        folder = root / "截屏工坊";
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(root); }

    // A PNG file at `path` whose modification time is `secondsAgo` before now.
    void writePicture(const fs::path& path, double secondsAgo)
    {
        auto bytes = codec::encodePng(solid(4, 3, 0xFF336699));
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        auto when = fs::file_time_type::clock::now() - std::chrono::milliseconds(long(secondsAgo * 1000));
        fs::last_write_time(path, when);
    }
    std::vector<std::string> names(const PhotoAlbum& album) const
    {
        std::vector<std::string> result;
        for (auto& photo : album.photos())
            result.push_back(fs::path(photo.path).filename().string());
        return result;
    }

    fs::path root;
    fs::path folder;
};

TEST_F(PhotoAlbumTest, ListsPicturesOldestFirstWithEqualTimesByName)
{
    writePicture(folder / "b.png", 30);
    writePicture(folder / "a.JPG", 10);
    writePicture(folder / "c.jpeg", 10);
    writePicture(folder / "newest.PNG", 1);
    writePicture(folder / "notes.txt", 0);
    fs::create_directories(folder / "folder.png");
    auto when = fs::last_write_time(folder / "a.JPG");
    fs::last_write_time(folder / "c.jpeg", when);

    PhotoAlbum album(folder.string());
    EXPECT_EQ(names(album), (std::vector<std::string> { "b.png", "a.JPG", "c.jpeg", "newest.PNG" }));
    ASSERT_TRUE(album.newestPhoto());
    EXPECT_EQ(fs::path(album.newestPhoto()->path).filename(), "newest.PNG");
    auto photos = album.photos();
    EXPECT_LT(photos[0].modificationTime, photos[1].modificationTime);
    EXPECT_NEAR(photos[3].modificationTime,
        double(std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count()), 5);
}

TEST_F(PhotoAlbumTest, AMissingOrEmptyFolderHasNoNewestPhoto)
{
    EXPECT_FALSE(PhotoAlbum(folder.string()).newestPhoto());
    PhotoAlbum missing((root / "nowhere").string());
    EXPECT_TRUE(missing.photos().empty());
    EXPECT_FALSE(missing.newestPhoto());
}

TEST_F(PhotoAlbumTest, SavedPicturesReadBackAndBecomeTheNewest)
{
    PhotoAlbum album((root / "made-on-save").string());
    auto pixels = solid(8, 6, 0xFFFF0000);
    auto png = album.save(pixels, PhotoAlbum::Format::Png, 1480000000);
    ASSERT_TRUE(png);
    auto jpeg = album.save(pixels, PhotoAlbum::Format::Jpeg, 1480000000, 0.5);
    ASSERT_TRUE(jpeg);
    auto again = album.save(pixels, PhotoAlbum::Format::Png, 1480000000);
    ASSERT_TRUE(again);
    EXPECT_NE(*png, *again) << "a second save in the same second keeps the first";
    EXPECT_EQ(fs::path(*png).extension(), ".png");
    EXPECT_EQ(fs::path(*jpeg).extension(), ".jpg");
    for (auto& path : { *png, *jpeg }) {
        auto decoded = codec::decodeFile(path);
        ASSERT_TRUE(decoded) << path;
        EXPECT_EQ(decoded->width, 8);
        EXPECT_EQ(decoded->height, 6);
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
    EXPECT_FALSE(album.importFile((outside / "fake.jpg").string()));
    EXPECT_FALSE(album.importFile((outside / "notes.txt").string()));
    EXPECT_FALSE(album.importFile((outside / "missing.png").string()));
    EXPECT_EQ(album.photos().size(), 3u);
}
