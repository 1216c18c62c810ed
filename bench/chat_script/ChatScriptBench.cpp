// `qyshot chat SCRIPT --long OUT.png` on a 1,000-message script: reading the
// script, making the records, opening the chat screen and writing the tall
// picture, as the command does it (the goal is under 3 s).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "shell/commands/ChatCommand.h"

namespace {

std::string thousandMessageScript(const std::filesystem::path& folder)
{
    std::string text = "style: messenger\ndevice: iphone6\nme: {nick: 小明}\nother: {nick: 小花}\nmessages:\n";
    for (int i = 0; i < 1000; ++i) {
        const char* side = i % 2 ? "me" : "other";
        switch (i % 10) {
        case 3:
            text += std::string("  - ") + side + ": {voice: 7}\n";
            break;
        case 7:
            text += std::string("  - ") + side + ": {redPacket: 8.88}\n";
            break;
        default:
            text += std::string("  - ") + side + ": 第" + std::to_string(i + 1) + "条消息，看看这一行能有多长[微笑]\n";
        }
        if (i % 15 == 0)
            text += "    at: +2m\n";
    }
    auto path = folder / "thousand.yaml";
    std::ofstream(path) << text;
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
