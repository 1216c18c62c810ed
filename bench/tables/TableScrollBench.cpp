// Scrolling a 10,000-row table frame by frame, as the shell does: move the
// content offset by one frame's worth, lay the window out (which binds the
// rows coming on screen and gives back the ones leaving), and in the drawing
// variants render the whole screen at the phone's scale. One benchmark
// iteration is one frame.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/MainQueue.h"
#include "ui/Application.h"
#include "ui/Label.h"
#include "ui/Renderer.h"
#include "ui/Screen.h"
#include "ui/TableView.h"
#include "ui/Window.h"

namespace {

constexpr int kRows = 10000;
// Points per frame: a brisk flick at 60 frames a second.
constexpr double kStep = 23;

class RowCell : public ui::TableViewCell {
public:
    RowCell()
        : TableViewCell("Row")
    {
        title = ui::View::make<ui::Label>(ui::Rect { 15, 0, 300, 20 });
        title->setFont(ui::Font::system(16));
        detail = ui::View::make<ui::Label>(ui::Rect { 15, 20, 300, 16 });
        detail->setFont(ui::Font::system(12));
        detail->setTextColor(ui::Color::grayColor());
        contentView()->addSubview(title);
        contentView()->addSubview(detail);
    }
    std::shared_ptr<ui::Label> title;
    std::shared_ptr<ui::Label> detail;
};

struct Phone {
    Phone()
    {
        clock = std::make_shared<platform::VirtualClock>();
        platform::MainQueue::shared().clear();
        platform::MainQueue::shared().setClock(clock);
        ui::Application::shared().reset();
        ui::Screen::main().setProfile(*platform::DeviceProfile::named("iphone6"));
        window = std::make_shared<ui::Window>(ui::Rect { 0, 0, 375, 667 });
        window->makeKeyAndVisible();
        table = ui::View::make<ui::TableView>(ui::Rect { 0, 64, 375, 603 });
        table->numberOfRowsInSection = [](ui::TableView&, int) { return kRows; };
        table->heightForRowAtIndexPath = [](ui::TableView&, const ui::IndexPath& indexPath) { return 44.0 + indexPath.row % 3 * 20; };
        table->cellForRowAtIndexPath = [](ui::TableView& t, const ui::IndexPath& indexPath) {
            auto cell = std::static_pointer_cast<RowCell>(t.dequeueReusableCell("Row"));
            if (!cell)
                cell = std::make_shared<RowCell>();
            cell->title->setText("第 " + std::to_string(indexPath.row) + " 行");
            cell->detail->setText("row " + std::to_string(indexPath.row) + " of 10000");
            return cell;
        };
        window->addSubview(table);
        ui::Application::shared().layoutIfNeeded();
    }
    ~Phone()
    {
        ui::Application::shared().reset();
        platform::MainQueue::shared().clear();
    }

    // Moves one frame down the table, wrapping at the end.
    void nextFrame()
    {
        double y = table->contentOffset().y + kStep;
        if (y > table->maximumOffset().y)
            y = 0;
        table->setContentOffset({ 0, y });
        ui::Application::shared().layoutIfNeeded();
    }

    std::shared_ptr<platform::VirtualClock> clock;
    std::shared_ptr<ui::Window> window;
    std::shared_ptr<ui::TableView> table;
};

void scrollLayoutOnly(benchmark::State& state)
{
    Phone phone;
    for (auto _ : state)
        phone.nextFrame();
    state.counters["cells"] = double(phone.table->visibleCells().size());
}

// Draws every `state.range(0)`-th frame (1 = every frame).
void scrollAndSnapshot(benchmark::State& state)
{
    Phone phone;
    int every = int(state.range(0)), frame = 0;
    for (auto _ : state) {
        phone.nextFrame();
        if (++frame % every == 0)
            benchmark::DoNotOptimize(ui::Renderer::snapshotScreen());
    }
}

void reloadTenThousandRows(benchmark::State& state)
{
    Phone phone;
    for (auto _ : state) {
        phone.table->reloadData();
        ui::Application::shared().layoutIfNeeded();
    }
}

} // namespace

BENCHMARK(scrollLayoutOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(scrollAndSnapshot)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);
BENCHMARK(reloadTenThousandRows)->Unit(benchmark::kMicrosecond);
