// Idle scene time: the messenger demo played up to its chat screen, then a
// scene's `wait 60` with nothing moving. Nothing is there to do, so the floor
// is zero; the goal is at most 2 ms of CPU per virtual minute.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "shell/scene/SceneReader.h"
#include "shell/scene/SceneRunner.h"
#include "ui/graphics/Image.h"

namespace {

void BM_ChatScreenIdleMinute(benchmark::State& state)
{
    namespace fs = std::filesystem;
    auto output = fs::temp_directory_path() / "qyshot-scene-idle-bench";
    fs::create_directories(output);
    shell::Scene scene = shell::SceneReader::readFile(ui::Image::resourceFolder() + "/scenes/chat-messenger-iphone6.json");
    shell::SceneRunner runner(output.string());
    runner.play(scene);
    for (auto _ : state)
        runner.pass(60);
    state.counters["virtual_minutes"] = double(state.iterations());
    runner.stop();
    fs::remove_all(output);
}

} // namespace

BENCHMARK(BM_ChatScreenIdleMinute)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
