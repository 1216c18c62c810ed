#include "doodle/DoodleTest.h"

#include <chrono>
#include <cstring>
#include <unistd.h>

#include "platform/Folders.h"
#include "platform/PhotoAlbum.h"
#include "widgets/ColorHex.h"
#include "widgets/QYNoticeHUD.h"

namespace fs = std::filesystem;

void DoodleTest::SetUp()
{
    PhoneTest::SetUp();
    static int serial = 0;
    album = fs::temp_directory_path() / ("qyshot-doodle-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    fs::remove_all(album);
    platform::folders::setAlbumFolder(album.string());
    window = std::make_shared<ui::Window>();
    window->makeKeyAndVisible();
}

void DoodleTest::TearDown()
{
    // The eraser is one switch for the whole app; each case starts with it off.
    if (DWDrawingBoard::isEraserOn())
        DWDrawingBoard().eraser();
    view.reset();
    QYNoticeHUD::sharedView()->removeFromSuperview();
    PhoneTest::TearDown();
    platform::folders::setAlbumFolder({});
    std::error_code ignored;
    fs::remove_all(album, ignored);
}

std::shared_ptr<DWDrawView> DoodleTest::openView()
{
    ui::Size screen = ui::Screen::main().size();
    view = DWDrawView::make({ 0, kTop, screen.width, screen.height - kTop });
    window->addSubview(view);
    view->settingBoard(); // as its screen does, which shows the panel at once
    ui::Application::shared().layoutIfNeeded();
    return view;
}

void DoodleTest::tapCommand(DWDrawView& drawView, DWDrawSettingBoard::SettingType type)
{
    drawView.showSettingBoard();
    advance(0.5);
    ui::Application::shared().layoutIfNeeded();
    tap(drawView.settingBoard()->button(type)->frameInScreen().center());
    advance(0.5);
}

std::vector<std::string> DoodleTest::colorsOf(const DWDrawingBoard& board)
{
    std::vector<std::string> colors;
    for (const auto& path : board.paths())
        colors.push_back(toColorString(path->pathColor()));
    return colors;
}

ui::ImagePtr DoodleTest::plainImage(int width, int height, std::uint32_t argb)
{
    platform::PixelBuffer pixels { width, height, width * 4, {} };
    pixels.pixels.resize(size_t(pixels.stride) * size_t(height));
    for (int i = 0; i < width * height; ++i)
        std::memcpy(&pixels.pixels[size_t(i) * 4], &argb, 4);
    return ui::Image::fromPixels(std::move(pixels), 1);
}

std::string DoodleTest::newestAlbumFile() const
{
    auto newest = platform::PhotoAlbum(album.string()).newestPhoto();
    return newest ? newest->path : std::string();
}

std::uint32_t DoodleTest::savedPixel(ui::Point point)
{
    auto pixels = platform::imagecodec::decodeFile(newestAlbumFile());
    if (!pixels)
        return 0;
    double scale = ui::Screen::main().scale();
    int x = int(point.x * scale), y = int(point.y * scale);
    if (x < 0 || y < 0 || x >= pixels->width || y >= pixels->height)
        return 0;
    std::uint32_t word;
    std::memcpy(&word, &pixels->pixels[size_t(y) * size_t(pixels->stride) + size_t(x) * 4], 4);
    return word;
}

void DoodleTest::addAlbumPicture(const std::string& name, const platform::PixelBuffer& pixels, double ageSeconds)
{
    fs::create_directories(album);
    std::string path = (album / name).string();
    ASSERT_TRUE(platform::imagecodec::writePng(path, pixels));
    auto when = fs::file_time_type::clock::now() - std::chrono::milliseconds(long(ageSeconds * 1000));
    fs::last_write_time(path, when);
}
