// Where users wait for a picture of the screen:
//  - opening a stored chat of N messages and writing the screen, the whole
//    way `qyshot render` goes (scene played on the phone app, PNG written), in
//    this process, for N from 10 to 100,000; the counter "vs10" is the time
//    over that of N = 10 in the same run, which is the floor;
//  - drawing the screen into a fresh surface and copying it out, against
//    drawing into the kept one, with and without writing the PNG;
//  - `qyshot render` of the home screen against `qyshot --version`, as
//    processes, with the ratio to start-up.
// Ratios are of CPU time (the program's own, or its children's), which the
// other work on a shared machine disturbs least.
#include <benchmark/benchmark.h>

#include <cairo.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "chat/records/ChatStyle.h"
#include "chat/records/QYChatModel.h"
#include "composer/ChatStore.h"
#include "platform/ImageCodec.h"
#include "shell/ScreenCapture.h"
#include "shell/scene/SceneReader.h"
#include "shell/scene/SceneRunner.h"
#include "shell/scene/ScratchHome.h"
#include "ui/Renderer.h"
#include "ui/Screen.h"
#include "ui/ScreenCanvas.h"
#include "ui/graphics/Image.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

coding::DataPtr avatar(std::uint8_t shade)
{
    platform::PixelBuffer pixels { 120, 120, 480, std::vector<std::uint8_t>(size_t(480) * 120, shade) };
    for (size_t i = 3; i < pixels.pixels.size(); i += 4)
        pixels.pixels[i] = 255;
    return coding::Data::make(ui::Image::fromPixels(std::move(pixels), 1)->jpegData(0.5));
}

// A stored conversation as the chat screen makes them: texts of several
// lengths, voice clips, money rows and notices, time labels now and then,
// each side's avatar shared by its rows.
coding::CollectionPtr conversation(int count)
{
    auto me = avatar(200), him = avatar(60);
    const char* texts[] = { "在吗？", "好呀[开心] 周末见", "周末一起去爬山吧，天气预报说周六是晴天，早上八点在地铁站见面怎么样？",
        "OK[微笑]", "Long English words wrap at word boundaries inside the bubble, over a few lines." };
    std::vector<coding::ObjectPtr> rows;
    rows.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        auto m = QYChatModel::make();
        m->setStyleType(styleValue(ChatStyle::Messenger));
        m->setIsSend(i % 3 != 0);
        m->setCreatDate(coding::Date::make(1479968800.0 + i * 30));
        m->setIsShowDateTime(i % 9 == 0);
        m->setAvatar(m->isSend() ? me : him);
        switch (i % 10) {
        case 3:
            m->setType(QYChatModel::Voice);
            m->setDuration(1 + (i % 13));
            break;
        case 7:
            m->setType(QYChatModel::RedPacket);
            m->setContext(coding::String::make("恭喜发财，大吉大利"));
            m->setRedPac(coding::String::make("¥8.88"));
            break;
        case 9:
            m->setType(QYChatModel::RecallNotice);
            m->setIsShowDateTime(false);
            m->setHeNickName(coding::String::make("小明"));
            break;
        default:
            m->setType(QYChatModel::Text);
            m->setContext(coding::String::make(texts[i % 5]));
        }
        rows.push_back(m);
    }
    return coding::Collection::mutableArray(std::move(rows));
}

constexpr const char* kOpenChat = R"({ "device": "iphone6", "time": "2016-11-24T09:41:00", "timeZone": "Asia/Shanghai",
  "actions": [ {"tap": {"image": "QYHome_1.png"}}, {"wait": 1}, {"tap": {"text": "开始"}}, {"wait": 1} ] })";

double processSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double childSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU seconds per open of the smallest chat, measured first in the run.
double floorSeconds = 0;

// Open + render of a chat of N stored messages: the store holds the chat
// before the clock starts; each iteration launches the app, opens the chat
// from the home screen and writes the PNG.
void BM_OpenStoredChat(benchmark::State& state)
{
    int count = int(state.range(0));
    shell::ScratchHome home(true, true);
    if (!ChatStore::saveConversation(ChatStyle::Messenger, conversation(count))) {
        state.SkipWithError("the store did not take the conversation");
        return;
    }
    shell::Scene scene = shell::SceneReader::readText(kOpenChat);
    std::string output = (fs::path(home.path()) / "chat.png").string();
    double start = processSeconds();
    for (auto _ : state) {
        shell::SceneRunner runner(home.path());
        runner.play(scene);
        if (!shell::ScreenCapture::writePng(output))
            state.SkipWithError("the PNG was not written");
        runner.stop();
    }
    double seconds = (processSeconds() - start) / double(state.iterations());
    if (count == 10)
        floorSeconds = seconds;
    if (floorSeconds > 0)
        state.counters["vs10"] = seconds / floorSeconds;
}

// Drawing the screen: into a fresh surface copied out per picture (the way
// screenshots were taken), or into the kept canvas; `png` writes it too.
void BM_ScreenSnapshot(benchmark::State& state)
{
    bool reused = state.range(0) != 0, png = state.range(1) != 0;
    shell::ScratchHome home(true, true);
    shell::SceneRunner runner(home.path());
    runner.play(shell::SceneReader::readText(R"({ "device": "iphone6", "actions": [] })"));
    std::string output = (fs::path(home.path()) / "home.png").string();
    double scale = ui::Screen::main().scale();
    ui::Size size = ui::Screen::main().size();
    int w = int(std::lround(size.width * scale)), h = int(std::lround(size.height * scale));
    for (auto _ : state) {
        if (reused) {
            const auto& pixels = ui::ScreenCanvas::shared().draw();
            if (png)
                platform::imagecodec::writePng(output, pixels);
            benchmark::DoNotOptimize(pixels.pixels.data());
            continue;
        }
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        cairo_surface_set_device_scale(surface, scale, scale);
        cairo_t* cr = cairo_create(surface);
        ui::Renderer::drawScreen(cr);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        platform::PixelBuffer pixels { w, h, cairo_image_surface_get_stride(surface), {} };
        const unsigned char* data = cairo_image_surface_get_data(surface);
        pixels.pixels.assign(data, data + size_t(pixels.stride) * size_t(h));
        cairo_surface_destroy(surface);
        if (png)
            platform::imagecodec::writePng(output, pixels);
        benchmark::DoNotOptimize(pixels.pixels.data());
    }
    runner.stop();
}

// Runs the program and waits for it; false when it did not exit with 0.
bool runProgram(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    std::string program = QYSHOT_PROGRAM;
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (auto& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    // The program's own output would only clutter the table.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double startUpSeconds = 0;

// Process start-up, the floor of any command: `qyshot --version`.
void BM_ProgramStartUp(benchmark::State& state)
{
    double start = childSeconds();
    for (auto _ : state) {
        if (!runProgram({ "--version" }))
            state.SkipWithError("qyshot --version failed");
    }
    startUpSeconds = (childSeconds() - start) / double(state.iterations());
}

// `qyshot render` of the home screen, as a process.
void BM_RenderHomeScreen(benchmark::State& state)
{
    shell::ScratchHome home(false, false);
    std::string output = (fs::path(home.path()) / "home.png").string();
    std::string scene = std::string(QYSHOT_SCENES) + "/home-iphone6.json";
    double start = childSeconds();
    for (auto _ : state) {
        if (!runProgram({ "render", scene, "-o", output }))
            state.SkipWithError("qyshot render failed");
    }
    double seconds = (childSeconds() - start) / double(state.iterations());
    if (startUpSeconds > 0)
        state.counters["vsStartUp"] = seconds / startUpSeconds;
}

} // namespace

BENCHMARK(BM_OpenStoredChat)->Arg(10)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ScreenSnapshot)->ArgsProduct({ { 0, 1 }, { 0, 1 } })->ArgNames({ "reused", "png" })->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgramStartUp)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_RenderHomeScreen)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
