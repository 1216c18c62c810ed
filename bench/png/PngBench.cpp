// PNG encoding of the demo's chat screens (the messenger chat script on the
// iphone6 at 750×1334 and the iphone6plus at 1242×2208): time per picture,
// and the file's size as the "bytes" counter, for the app's compression
// settings and the candidates they were chosen from. Run it on a quiet
// machine; the choice weighs time against size.
#include <benchmark/benchmark.h>

#include <zlib.h>

#include <filesystem>
#include <map>
#include <png.h>

#include "platform/PngEncoder.h"
#include "shell/scene/ScratchHome.h"
#include "shell/script/ChatScriptReader.h"
#include "shell/script/ChatScriptScreen.h"
#include "ui/Renderer.h"
#include "ui/graphics/Image.h"

namespace {

const platform::PixelBuffer& chatScreen(const std::string& device)
{
    static std::map<std::string, platform::PixelBuffer> screens;
    auto found = screens.find(device);
    if (found != screens.end())
        return found->second;
    auto path = std::filesystem::path(ui::Image::resourceFolder()) / "scripts" / "chat-messenger.yaml";
    auto script = shell::ChatScriptReader::readFile(path.string());
    script.device = device;
    shell::ScratchHome scratch;
    shell::ChatScriptScreen screen(script);
    return screens[device] = ui::Renderer::snapshotScreen()->pixels();
}

void BM_EncodeChatScreen(benchmark::State& state, std::string device, platform::PngCompression compression)
{
    const auto& screen = chatScreen(device);
    std::size_t size = 0;
    for (auto _ : state) {
        size = 0;
        platform::PngEncoder encoder(screen.width, screen.height, {}, [&size](std::span<const std::uint8_t> bytes) {
            size += bytes.size();
            return true;
        }, true, compression);
        if (!encoder.writeRows(screen) || !encoder.finish())
            state.SkipWithError("the encoder failed");
    }
    state.counters["bytes"] = double(size);
}

struct Candidate {
    const char* name;
    platform::PngCompression compression;
};

// libpng's own default (level 6, every filter chosen row by row, zlib's
// filtered strategy) first, then the others; "app" is what the app uses.
const Candidate kCandidates[] = {
    { "app", {} },
    { "libpng_default", { 6, PNG_ALL_FILTERS, Z_FILTERED } },
    { "level1_all_filtered", { 1, PNG_ALL_FILTERS, Z_FILTERED } },
    { "level1_sub_rle", { 1, PNG_FILTER_SUB, Z_RLE } },
    { "level1_up_rle", { 1, PNG_FILTER_UP, Z_RLE } },
    { "level1_none_default", { 1, PNG_FILTER_NONE, Z_DEFAULT_STRATEGY } },
    { "level3_sub_rle", { 3, PNG_FILTER_SUB, Z_RLE } },
    { "level3_up_rle", { 3, PNG_FILTER_UP, Z_RLE } },
    { "level3_paeth_rle", { 3, PNG_FILTER_PAETH, Z_RLE } },
    { "level3_all_filtered", { 3, PNG_ALL_FILTERS, Z_FILTERED } },
    { "level3_sub_filtered", { 3, PNG_FILTER_SUB, Z_FILTERED } },
    { "level2_none_default", { 2, PNG_FILTER_NONE, Z_DEFAULT_STRATEGY } },
    { "level3_none_default", { 3, PNG_FILTER_NONE, Z_DEFAULT_STRATEGY } },
    { "level4_none_default", { 4, PNG_FILTER_NONE, Z_DEFAULT_STRATEGY } },
    { "level6_none_default", { 6, PNG_FILTER_NONE, Z_DEFAULT_STRATEGY } },
    { "level6_sub_filtered", { 6, PNG_FILTER_SUB, Z_FILTERED } },
    { "level6_up_filtered", { 6, PNG_FILTER_UP, Z_FILTERED } },
    { "level9_all_filtered", { 9, PNG_ALL_FILTERS, Z_FILTERED } },
};

const bool kRegistered = [] {
    for (const char* device : { "iphone6", "iphone6plus" })
        for (const auto& candidate : kCandidates)
            benchmark::RegisterBenchmark((std::string("BM_EncodeChatScreen/") + device + "/" + candidate.name).c_str(),
                BM_EncodeChatScreen, std::string(device), candidate.compression)
                ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
