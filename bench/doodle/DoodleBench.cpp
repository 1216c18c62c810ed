// The doodle board on the 736-point phone (@3x): one touch move of a stroke
// with 1 and with 1,000 finished strokes on the board (each move repaints its
// dirty rectangle into the layer and onto the screen), an undo (which rebuilds
// the layers) and a save of the picture into the album.
#include <benchmark/benchmark.h>

#include <cairo.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "doodle/DWDrawView.h"
#include "platform/Folders.h"
#include "platform/MainQueue.h"
#include "ui/Application.h"
#include "ui/NotificationCenter.h"
#include "ui/Screen.h"
#include "ui/Window.h"
#include "ui/graphics/GraphicsContext.h"
#include "widgets/ColorHex.h"

namespace {

constexpr double kTop = 64;

struct Board {
    std::shared_ptr<ui::Window> window;
    std::shared_ptr<DWDrawView> view;
    std::filesystem::path album;

    explicit Board(int strokes)
    {
        platform::MainQueue::shared().setClock(std::make_shared<platform::VirtualClock>(1480000000.0));
        ui::Application::shared().reset();
        ui::NotificationCenter::shared().reset();
        ui::Screen::main().setProfile(*platform::DeviceProfile::named("iphone6plus"));
        album = std::filesystem::temp_directory_path() / "qyshot-bench-doodle";
        std::filesystem::remove_all(album);
        platform::folders::setAlbumFolder(album.string());
        window = std::make_shared<ui::Window>();
        window->makeKeyAndVisible();
        ui::Size screen = ui::Screen::main().size();
        view = DWDrawView::make({ 0, kTop, screen.width, screen.height - kTop });
        window->addSubview(view);
        ui::Application::shared().layoutIfNeeded();

        // Strokes of a few dozen points across the board, in the panel's colours.
        std::mt19937 random(7);
        std::uniform_real_distribution<double> x(10, screen.width - 10), y(10, screen.height - kTop - 10), step(-25, 25);
        auto& app = ui::Application::shared();
        for (int i = 0; i < strokes; ++i) {
            view->drawBoard()->setLineColor(colorWithHexString(DWDrawSettingBoard::colors()[size_t(i) % 7]));
            view->drawBoard()->setLineWidth(6 + i % 15);
            ui::Point p { x(random), y(random) + kTop };
            app.touchDown(p);
            for (int k = 0; k < 30; ++k) {
                p = { p.x + step(random), p.y + step(random) };
                app.touchMove(p);
            }
            app.touchUp(p);
        }
    }
    ~Board()
    {
        ui::Application::shared().reset();
        std::filesystem::remove_all(album);
    }
};

void BM_DoodleTouchMove(benchmark::State& state)
{
    Board board(int(state.range(0)));
    auto& app = ui::Application::shared();
    auto& drawBoard = *board.view->drawBoard();
    drawBoard.setLineWidth(12);
    double scale = ui::Screen::main().scale();
    ui::Size screen = ui::Screen::main().size();
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(screen.width * scale), int(screen.height * scale));
    cairo_surface_set_device_scale(surface, scale, scale);

    ui::Point start { 40, 300 + kTop };
    app.touchDown(start);
    long n = 0;
    for (auto _ : state) {
        // A zigzag across the middle of the board, 6 points a move.
        ++n;
        double along = std::fmod(n * 6.0, 2 * 320);
        double x = along < 320 ? 40 + along : 40 + 640 - along;
        app.touchMove({ x, 300 + kTop + 40 * std::sin(n * 0.05) });
        // The frame repaints the dirty rectangle only.
        ui::Rect dirty = drawBoard.lastDirtyRect();
        cairo_t* cr = cairo_create(surface);
        cairo_translate(cr, 0, kTop);
        cairo_rectangle(cr, dirty.x(), dirty.y(), dirty.width(), dirty.height());
        cairo_clip(cr);
        ui::GraphicsContext context(cr);
        drawBoard.draw(context, drawBoard.bounds());
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
    }
    app.touchUp(start);
    cairo_surface_destroy(surface);
}

void BM_DoodleUndoRebuild(benchmark::State& state)
{
    Board board(1000);
    auto& drawBoard = *board.view->drawBoard();
    for (auto _ : state) {
        drawBoard.backToLastDraw();
        drawBoard.regeneration();
    }
    state.SetLabel("undo repaints where the last of 1,000 strokes was; redo paints it back");
}

void BM_DoodleSave(benchmark::State& state)
{
    Board board(1000);
    board.view->setDrawBoardImage(ui::Image::fromPixels([] {
        platform::PixelBuffer pixels { 1242, 2208, 1242 * 4, {} };
        pixels.pixels.assign(size_t(pixels.stride) * 2208, 0xC0);
        return pixels;
    }(), 3));
    for (auto _ : state)
        board.view->drawBoard()->saveCurrentImageToAlbum();
}

} // namespace

BENCHMARK(BM_DoodleTouchMove)->Arg(1)->Arg(1000)->Iterations(3000)->Repetitions(3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DoodleUndoRebuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoodleSave)->Unit(benchmark::kMillisecond);
