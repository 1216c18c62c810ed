// Full-frame renders of the home screen, as the headless renderer and the
// window draw them.
#include <benchmark/benchmark.h>

#include <cairo.h>

#include "app/AppDelegate.h"
#include "platform/MainQueue.h"
#include "ui/Application.h"
#include "ui/Renderer.h"
#include "ui/Screen.h"
#include "ui/graphics/Image.h"

namespace {

// The app launched headless on a virtual clock, settled, on `device`.
void launch(const char* device)
{
    AppDelegate::shared().terminate();
    ui::Screen::main().setProfile(*platform::DeviceProfile::named(device));
    ui::Image::clearCache();
    platform::MainQueue::shared().setClock(std::make_shared<platform::VirtualClock>(1480000000.0));
    AppDelegate::shared().didFinishLaunching();
    for (int frame = 0; frame < 30; ++frame) {
        platform::MainQueue::shared().advance(1.0 / 60);
        ui::Application::shared().layoutIfNeeded();
    }
}

// A new image of the whole screen per frame (what `qyshot render` writes).
void BM_HomeScreenSnapshot(benchmark::State& state, const char* device)
{
    launch(device);
    for (auto _ : state) {
        auto image = ui::Renderer::snapshotScreen();
        benchmark::DoNotOptimize(image->pixels().pixels.data());
    }
    AppDelegate::shared().terminate();
}

// One frame into the window's reused surface, shrunk as on a 1080-pixel-high desktop.
void BM_HomeScreenWindowFrame(benchmark::State& state)
{
    launch("iphone6");
    double scale = 1032.0 / 667;
    int width = static_cast<int>(375 * scale), height = 1032;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_surface_set_device_scale(surface, scale, scale);
    for (auto _ : state) {
        cairo_t* cr = cairo_create(surface);
        ui::Renderer::drawScreen(cr);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
    }
    cairo_surface_destroy(surface);
    AppDelegate::shared().terminate();
}

} // namespace

BENCHMARK_CAPTURE(BM_HomeScreenSnapshot, iphone6, "iphone6")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HomeScreenSnapshot, iphone6plus, "iphone6plus")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HomeScreenWindowFrame)->Unit(benchmark::kMillisecond);
