// Where users wait on pictures from the album: presenting the photo picker
// over an album of camera-sized photos (the grid's thumbnails) and choosing
// the newest one (the whole picture), as the chat screen's "照片" does.
//  - "again": the pictures were shown or picked before and their files are
//    unchanged, the usual case when a chat takes several pictures in a row;
//  - "firstTime": every picture is new to the program (each round the files
//    are touched, so nothing made from them before counts).
// Run from the repository root with QYSHOT_RESOURCES=$PWD/build/resources.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/Folders.h"
#include "platform/ImageCodec.h"
#include "platform/MainQueue.h"
#include "ui/Application.h"
#include "ui/ImagePickerController.h"
#include "ui/PhotoGridView.h"
#include "ui/Screen.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

namespace {

namespace fs = std::filesystem;

// An album of `count` photo-like pictures of 960×1280 (gradients, so they
// compress and decode like photos rather than flat colour), oldest first.
class Album {
public:
    explicit Album(int count)
        : m_folder(fs::temp_directory_path() / ("qyshot-bench-picker-" + std::to_string(::getpid())))
    {
        fs::create_directories(m_folder);
        platform::PixelBuffer photo { 960, 1280, 960 * 4, {} };
        photo.pixels.resize(std::size_t(photo.stride) * std::size_t(photo.height));
        for (int i = 0; i < count; ++i) {
            for (int y = 0; y < photo.height; ++y)
                for (int x = 0; x < photo.width; ++x) {
                    auto* p = &photo.pixels[std::size_t(y) * std::size_t(photo.stride) + std::size_t(x) * 4];
                    p[0] = std::uint8_t(x * 255 / photo.width);
                    p[1] = std::uint8_t((y + i * 40) * 255 / (photo.height + count * 40));
                    p[2] = std::uint8_t(((x ^ y) + i) & 0xFF);
                    p[3] = 0xFF;
                }
            auto path = m_folder / ("photo" + std::to_string(i) + ".png");
            platform::imagecodec::writePng(path.string(), photo);
            m_paths.push_back(path);
        }
        touch();
        platform::folders::setAlbumFolder(m_folder.string());
    }
    // New modification times, in the same order.
    void touch()
    {
        auto now = fs::file_time_type::clock::now();
        for (std::size_t i = 0; i < m_paths.size(); ++i)
            fs::last_write_time(m_paths[i], now - std::chrono::seconds(m_paths.size() - i));
    }
    ~Album()
    {
        platform::folders::setAlbumFolder({});
        std::error_code error;
        fs::remove_all(m_folder, error);
    }

private:
    fs::path m_folder;
    std::vector<fs::path> m_paths;
};

void presentAndPickNewest(benchmark::State& state, bool firstTime)
{
    Album album(int(state.range(0)));
    platform::MainQueue::shared().clear();
    platform::MainQueue::shared().setClock(std::make_shared<platform::VirtualClock>(1480000000.0));
    ui::Application::shared().reset();
    ui::Screen::main().setProfile(*platform::DeviceProfile::named("iphone6"));
    auto screen = std::make_shared<ui::ViewController>();
    auto window = std::make_shared<ui::Window>();
    window->setRootViewController(screen);
    window->makeKeyAndVisible();
    int picked = 0;
    auto round = [&] {
        auto picker = ui::ImagePickerController::make();
        picker->didFinishPickingMedia = [&picked](ui::ImagePickerController& p, const ui::ImagePickerInfo& info) {
            picked += info.originalImage ? 1 : 0;
            p.dismissViewController(false);
        };
        screen->presentViewController(picker, false);
        platform::MainQueue::shared().advance(0.1);
        picker->pickPhotoAtPath(picker->gridView()->photos().back().path);
        platform::MainQueue::shared().advance(0.1);
    };
    round();
    for (auto _ : state) {
        if (firstTime) {
            state.PauseTiming();
            album.touch();
            state.ResumeTiming();
        }
        round();
    }
    if (picked != int(state.iterations()) + 1)
        state.SkipWithError("a pick gave no picture");
    ui::Application::shared().reset();
    platform::MainQueue::shared().clear();
}

BENCHMARK_CAPTURE(presentAndPickNewest, again, false)->Arg(4)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(presentAndPickNewest, firstTime, true)->Arg(4)->Arg(24)->Unit(benchmark::kMillisecond);

} // namespace
