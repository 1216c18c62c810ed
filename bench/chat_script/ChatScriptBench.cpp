// `qyshot chat SCRIPT --long OUT.png` on a 1,000-message script: reading the
// script, making the records, opening the chat screen and writing the tall
// picture, as the command does it (the goal is under 3 s; the time printed is
// the wall time of the whole command, the CPU column the drawing thread's).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "shell/commands/ChatCommand.h"
#include "support/ChatScriptSamples.h"

namespace {

std::string thousandMessageScript(const std::filesystem::path& folder)
{
    auto path = folder / "thousand.yaml";
    std::ofstream(path) << longConversationScript(1000);
    return path.string();
}

void BM_LongPictureOfAThousandMessages(benchmark::State& state)
{
    auto folder = std::filesystem::temp_directory_path() / "qyshot-chat-script-bench";
    std::filesystem::create_directories(folder);
    shell::ChatCommand::Options options;
    options.scriptPath = thousandMessageScript(folder);
    options.longPath = (folder / "long.png").string();
    for (auto _ : state) {
        if (shell::ChatCommand::run(options) != 0)
            state.SkipWithError("the command failed");
    }
    state.counters["bytes"] = double(std::filesystem::file_size(*options.longPath));
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LongPictureOfAThousandMessages)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
