// The message list drawn as the chat screen shows it: a full frame of a
// screen of mixed rows (texts with emoji, voice clips, pictures, notices, time
// labels), and scrolling a 10,000-row conversation frame by frame, where each
// frame binds the rows coming on screen and in the drawing variant renders
// the whole screen at the phone's scale. One iteration is one frame.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "chat/records/QYChatModel.h"
#include "coding/Collection.h"
#include "platform/Locale.h"
#include "platform/MainQueue.h"
#include "messages/RIRingTableView.h"
#include "ui/Application.h"
#include "ui/Renderer.h"
#include "ui/Screen.h"
#include "ui/Window.h"
#include "ui/graphics/Image.h"

namespace {

// Points per frame: a brisk flick at 60 frames a second.
constexpr double kStep = 23;

coding::DataPtr jpeg(int width, int height, std::uint8_t shade)
{
    platform::PixelBuffer pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.stride = width * 4;
    pixels.pixels.resize(size_t(width) * size_t(height) * 4);
    for (size_t i = 0; i < pixels.pixels.size(); i += 4) {
        size_t x = (i / 4) % size_t(width);
        pixels.pixels[i] = shade;
        pixels.pixels[i + 1] = std::uint8_t(x * 255 / size_t(width));
        pixels.pixels[i + 2] = std::uint8_t(255 - shade);
        pixels.pixels[i + 3] = 255;
    }
    return coding::Data::make(ui::Image::fromPixels(std::move(pixels), 1)->jpegData(1.0));
}

// A conversation that cycles through every kind the list draws; records share
// their avatars and pictures, as the chat screen's records do.
coding::CollectionPtr conversation(int rows, int styleType)
{
    auto me = jpeg(120, 120, 200), him = jpeg(120, 120, 60);
    auto wide = jpeg(800, 400, 120), tall = jpeg(400, 800, 180);
    const char* texts[] = { "在吗？", "好呀[开心] 周末见", "周末一起去爬山吧，天气预报说周六是晴天，早上八点在地铁站见面怎么样？",
        "OK[微笑]", "Long English words wrap at word boundaries inside the bubble." };
    std::vector<coding::ObjectPtr> records;
    records.reserve(size_t(rows));
    for (int i = 0; i < rows; ++i) {
        auto m = QYChatModel::make();
        m->setStyleType(styleType);
        m->setIsSend(i % 3 != 0);
        m->setCreatDate(coding::Date::make(1479968800.0 + i * 30));
        m->setIsShowDateTime(i % 7 == 0);
        m->setAvatar(m->isSend() ? me : him);
        switch (i % 8) {
        case 0: case 2: case 4: case 6:
            m->setType(QYChatModel::Text);
            m->setContext(coding::String::make(texts[(i / 2) % 5]));
            break;
        case 1: case 5:
            m->setType(QYChatModel::Voice);
            m->setDuration(1 + (i % 13));
            break;
        case 3:
            m->setType(QYChatModel::Image);
            m->setImage(i % 16 == 3 ? wide : tall);
            break;
        default:
            m->setType(QYChatModel::RecallNotice);
            m->setIsShowDateTime(false);
            m->setIsMeRevoke(i % 16 == 7);
            m->setHeNickName(coding::String::make("小明"));
            break;
        }
        records.push_back(m);
    }
    return coding::Collection::mutableArray(std::move(records));
}

struct ChatScreen {
    ChatScreen(int rows, const char* device = "iphone6")
    {
        clock = std::make_shared<platform::VirtualClock>(1480000000.0);
        platform::MainQueue::shared().clear();
        platform::MainQueue::shared().setClock(clock);
        ui::Application::shared().reset();
        ui::Screen::main().setProfile(*platform::DeviceProfile::named(device));
        ui::Image::clearCache();
        platform::locale::setTimeZone("Asia/Shanghai");
        ui::Size size = ui::Screen::main().size();
        window = std::make_shared<ui::Window>(ui::Rect { 0, 0, size.width, size.height });
        window->setBackgroundColor(ui::Color::rgb(235, 235, 235));
        window->makeKeyAndVisible();
        list = ui::View::make<RIRingTableView>(ui::Rect { 0, 64, size.width, size.height - 64 });
        list->setSeparatorStyle(ui::TableViewSeparatorStyle::None);
        list->setBackgroundColor(ui::Color::clearColor());
        window->addSubview(list);
        list->setDataSour(conversation(rows, 1));
        ui::Application::shared().layoutIfNeeded();
    }
    ~ChatScreen()
    {
        ui::Application::shared().reset();
        platform::MainQueue::shared().clear();
    }

    // Moves one frame down the conversation, wrapping at the end.
    void nextFrame()
    {
        double y = list->contentOffset().y + kStep;
        if (y > list->maximumOffset().y)
            y = 0;
        list->setContentOffset({ 0, y });
        ui::Application::shared().layoutIfNeeded();
    }

    std::shared_ptr<platform::VirtualClock> clock;
    std::shared_ptr<ui::Window> window;
    std::shared_ptr<RIRingTableView> list;
};

// A screen of mixed rows, drawn whole each frame.
void fullFrameMixedRows(benchmark::State& state, const char* device)
{
    ChatScreen screen(40, device);
    for (auto _ : state) {
        auto image = ui::Renderer::snapshotScreen();
        benchmark::DoNotOptimize(image->pixels().pixels.data());
    }
    state.counters["rows"] = double(screen.list->visibleCells().size());
}

// Scrolling a 10,000-row conversation: binding only, or binding and drawing.
void scrollTenThousandRows(benchmark::State& state)
{
    ChatScreen screen(10000);
    bool draw = state.range(0) != 0;
    for (auto _ : state) {
        screen.nextFrame();
        if (draw)
            benchmark::DoNotOptimize(ui::Renderer::snapshotScreen());
    }
    state.counters["rows"] = double(screen.list->visibleCells().size());
}

// Setting a 10,000-row conversation: every row height, texts measured.
void loadTenThousandRows(benchmark::State& state)
{
    ChatScreen screen(10);
    auto rows = conversation(10000, 1);
    for (auto _ : state) {
        screen.list->setDataSour(rows);
        ui::Application::shared().layoutIfNeeded();
    }
}

} // namespace

BENCHMARK_CAPTURE(fullFrameMixedRows, iphone6, "iphone6")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fullFrameMixedRows, iphone6plus, "iphone6plus")->Unit(benchmark::kMillisecond);
BENCHMARK(scrollTenThousandRows)->Arg(0)->Arg(1)->ArgNames({ "draw" })->Unit(benchmark::kMicrosecond);
BENCHMARK(loadTenThousandRows)->Unit(benchmark::kMillisecond);
