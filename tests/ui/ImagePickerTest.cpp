#include "support/PhoneTest.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "platform/Folders.h"
#include "platform/ImageCodec.h"
#include "ui/ImagePickerController.h"
#include "ui/ImageView.h"
#include "ui/NavigationBar.h"
#include "ui/PhotoGridView.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

using namespace ui;
namespace fs = std::filesystem;

namespace {

// Pictures of distinct sizes, so the picked one can be told apart; white
// unless another grey is asked for.
void writePicture(const fs::path& path, int width, int height, double secondsAgo, std::uint8_t grey = 0xFF)
{
    platform::PixelBuffer image { width, height, width * 4, {} };
    image.pixels.assign(size_t(image.stride) * size_t(height), grey);
    for (size_t alpha = 3; alpha < image.pixels.size(); alpha += 4)
        image.pixels[alpha] = 0xFF;
    ASSERT_TRUE(platform::imagecodec::writePng(path.string(), image));
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(long(secondsAgo)));
}

} // namespace

class ImagePickerTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        album = fs::temp_directory_path() / ("qyshot-picker-" + std::to_string(::getpid()));
        fs::remove_all(album);
        fs::create_directories(album);
        platform::folders::setAlbumFolder(album.string());
        // Six pictures, oldest first: widths 10, 11, … 15.
        for (int i = 0; i < 6; ++i)
            writePicture(album / ("p" + std::to_string(i) + ".png"), 10 + i, 7, 100 - i);
        screen = std::make_shared<ViewController>();
        window = std::make_shared<Window>();
        window->setRootViewController(screen);
        window->makeKeyAndVisible();
    }
    void TearDown() override
    {
        ImagePickerController::setCaptureDevice({});
        ImagePickerController::answerNextPicker({});
        platform::folders::setAlbumFolder({});
        fs::remove_all(album);
        PhoneTest::TearDown();
    }
    // A picker presented the way the screens do, answering as they do: the
    // result is kept and the picker dismissed.
    std::shared_ptr<ImagePickerController> present(ImagePickerController::SourceType source)
    {
        auto picker = ImagePickerController::make();
        picker->setSourceType(source);
        picker->didFinishPickingMedia = [this](ImagePickerController& p, const ImagePickerInfo& info) {
            picked.push_back(info);
            p.dismissViewController(true);
        };
        picker->didCancel = [this](ImagePickerController& p) {
            ++cancels;
            p.dismissViewController(true);
        };
        picker->sourceUnavailable = [this](ImagePickerController&) { ++unavailable; };
        screen->presentViewController(picker, true);
        advance(0.5);
        Application::shared().layoutIfNeeded();
        return picker;
    }
    // The red channel of the middle of a cell's thumbnail; nullopt without one.
    static std::optional<int> thumbnailGrey(const PhotoGridView& grid, size_t index)
    {
        auto image = grid.cellView(index)->image();
        if (!image)
            return std::nullopt;
        const auto& pixels = image->pixels();
        size_t middle = size_t(pixels.height / 2) * size_t(pixels.stride) + size_t(pixels.width / 2) * 4;
        return pixels.pixels[middle + 2];
    }
    static Point onScreen(const View& view, Rect rect)
    {
        Rect r = view.convertRectTo(rect, nullptr);
        return { r.midX(), r.midY() };
    }

    fs::path album;
    std::shared_ptr<ViewController> screen;
    std::shared_ptr<Window> window;
    std::vector<ImagePickerInfo> picked;
    int cancels = 0;
    int unavailable = 0;
};

TEST_F(ImagePickerTest, LibraryShowsTheAlbumAsAFourColumnGridUnderABar)
{
    auto picker = present(ImagePickerController::SourceType::PhotoLibrary);
    ASSERT_EQ(ImagePickerController::visiblePicker(), picker);
    auto grid = picker->gridView();
    ASSERT_TRUE(grid);
    ASSERT_EQ(grid->photos().size(), 6u);
    EXPECT_EQ(fs::path(grid->photos().back().path).filename(), "p5.png") << "newest last";
    EXPECT_EQ(grid->convertRectTo(grid->bounds(), nullptr).y(), 64);
    Rect first = grid->cellRect(0), fourth = grid->cellRect(3), fifth = grid->cellRect(4);
    EXPECT_DOUBLE_EQ(first.width(), first.height());
    EXPECT_EQ(fourth.y(), first.y());
    EXPECT_NEAR(fourth.maxX(), 375, 0.01);
    EXPECT_EQ(fifth.x(), 0);
    EXPECT_GT(fifth.y(), first.maxY());
    EXPECT_EQ(picker->navigationItem().rightBarButtonItem->title, "取消");
}

TEST_F(ImagePickerTest, TappingAPictureGivesItsOriginalImageAsPublicImage)
{
    auto picker = present(ImagePickerController::SourceType::PhotoLibrary);
    auto grid = picker->gridView();
    tap(onScreen(*grid, grid->cellRect(2)));
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0].mediaType, "public.image");
    ASSERT_TRUE(picked[0].originalImage);
    EXPECT_EQ(picked[0].originalImage->pixelWidth(), 12) << "the whole picture, not the thumbnail";
    EXPECT_EQ(picked[0].originalImage->scale(), 1);
    tap(onScreen(*grid, grid->cellRect(3))); // while it slides away
    EXPECT_EQ(picked.size(), 1u);
    advance(0.5);
    EXPECT_EQ(screen->presentedViewController(), nullptr);
    EXPECT_EQ(ImagePickerController::visiblePicker(), nullptr);
}

TEST_F(ImagePickerTest, APickerWithoutCallbacksDismissesItself)
{
    auto picker = ImagePickerController::make();
    screen->presentViewController(picker, false);
    advance(0.1);
    picker->cancel();
    advance(0.5);
    EXPECT_EQ(screen->presentedViewController(), nullptr);
}

TEST_F(ImagePickerTest, ChoosingByPathFindsFilesAddedAfterTheGridWasShown)
{
    auto picker = present(ImagePickerController::SourceType::PhotoLibrary);
    writePicture(album / "late.png", 40, 7, 0);
    EXPECT_TRUE(picker->pickPhotoAtPath((album / "late.png").string()));
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0].originalImage->pixelWidth(), 40);
    EXPECT_FALSE(picker->pickPhotoAtPath((album / "none.png").string()));
}

TEST_F(ImagePickerTest, AnEmptyAlbumShowsNothingToPickAndItsCancelReturnsNothing)
{
    for (auto& entry : fs::directory_iterator(album))
        fs::remove(entry.path());
    auto picker = present(ImagePickerController::SourceType::PhotoLibrary);
    EXPECT_TRUE(picker->gridView()->photos().empty());
    tap({ 187, 300 });
    tap({ 375 - 25, 20 + NavigationBar::kHeight / 2 });
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(picked.empty());
    advance(0.5);
    EXPECT_EQ(screen->presentedViewController(), nullptr);
}

TEST_F(ImagePickerTest, WithoutACaptureDeviceTheCameraIsUnavailableAndNothingIsPresented)
{
    EXPECT_TRUE(ImagePickerController::isSourceTypeAvailable(ImagePickerController::SourceType::PhotoLibrary));
    EXPECT_FALSE(ImagePickerController::isSourceTypeAvailable(ImagePickerController::SourceType::Camera));
    auto picker = present(ImagePickerController::SourceType::Camera);
    EXPECT_EQ(unavailable, 1);
    EXPECT_EQ(screen->presentedViewController(), nullptr);
    EXPECT_EQ(picker->presentingViewController(), nullptr);
    EXPECT_EQ(Application::shared().keyWindow(), window);
}

TEST_F(ImagePickerTest, TheShutterTakesTheCaptureDevicesPicture)
{
    platform::PixelBuffer frame { 30, 20, 120, std::vector<std::uint8_t>(120 * 20, 0x80) };
    auto picture = Image::fromPixels(frame, 1);
    ImagePickerController::setCaptureDevice([picture] { return picture; });
    ASSERT_TRUE(ImagePickerController::isSourceTypeAvailable(ImagePickerController::SourceType::Camera));
    auto picker = present(ImagePickerController::SourceType::Camera);
    ASSERT_EQ(screen->presentedViewController(), picker);
    auto shutter = picker->shutterButton();
    tap(onScreen(*shutter, shutter->bounds()));
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0].originalImage, picture);
    EXPECT_EQ(picked[0].mediaType, ImagePickerController::kMediaTypeImage);
}

TEST_F(ImagePickerTest, APictureShownAndPickedAgainIsReadOnceUntilItsFileChanges)
{
    auto picker = present(ImagePickerController::SourceType::PhotoLibrary);
    auto grid = picker->gridView();
    EXPECT_EQ(thumbnailGrey(*grid, 2), 0xFF);
    const auto* thumbnail = grid->cellView(2)->image()->pixels().pixels.data();
    tap(onScreen(*grid, grid->cellRect(2)));
    advance(0.5);
    picker = present(ImagePickerController::SourceType::PhotoLibrary);
    grid = picker->gridView();
    EXPECT_EQ(grid->cellView(2)->image()->pixels().pixels.data(), thumbnail) << "a new grid, the same thumbnail";
    tap(onScreen(*grid, grid->cellRect(2)));
    advance(0.5);
    ASSERT_EQ(picked.size(), 2u);
    EXPECT_EQ(picked[0].originalImage->pixels().pixels.data(), picked[1].originalImage->pixels().pixels.data())
        << "the second pick shares the pixels decoded for the first";

    // Written again while the picker is up: the grid, once shown again, and
    // the pick show the new picture, at the same place in the album.
    writePicture(album / "p2.png", 30, 7, 98, 0x40);
    picker = present(ImagePickerController::SourceType::PhotoLibrary);
    grid = picker->gridView();
    EXPECT_EQ(fs::path(grid->photos()[2].path).filename(), "p2.png");
    EXPECT_EQ(thumbnailGrey(*grid, 2), 0x40);
    tap(onScreen(*grid, grid->cellRect(2)));
    ASSERT_EQ(picked.size(), 3u);
    EXPECT_EQ(picked[2].originalImage->pixelWidth(), 30);
}

TEST_F(ImagePickerTest, ADamagedPictureShowsAnEmptyCellAndPicksNothingUntilMended)
{
    // Half a PNG: the album lists it by its name, but it does not decode.
    auto path = album / "p3.png";
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    auto written = fs::last_write_time(path);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes.substr(0, bytes.size() / 2);
    fs::last_write_time(path, written); // keeps its place in the grid
    fs::create_directories(album / "folder.png");

    auto picker = present(ImagePickerController::SourceType::PhotoLibrary);
    auto grid = picker->gridView();
    ASSERT_EQ(grid->photos().size(), 6u) << "a folder is no picture";
    EXPECT_FALSE(thumbnailGrey(*grid, 3)) << "the cell keeps its grey placeholder";
    EXPECT_TRUE(thumbnailGrey(*grid, 4));
    tap(onScreen(*grid, grid->cellRect(3)));
    EXPECT_TRUE(picked.empty());
    EXPECT_EQ(ImagePickerController::visiblePicker(), picker) << "the picker stays for another choice";
    EXPECT_FALSE(picker->acceptDroppedFile((album / "folder.png").string(), { 100, 300 }))
        << "a dropped folder named like a picture is left to others";
    EXPECT_TRUE(picked.empty());

    writePicture(path, 25, 7, 97);
    tap(onScreen(*grid, grid->cellRect(3)));
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0].originalImage->pixelWidth(), 25);
}
