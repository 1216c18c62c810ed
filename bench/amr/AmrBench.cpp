// Converting a 60-second clip both ways, against bare loops over the codec
// calls on the same samples and frames: the difference is our framing and
// file handling.
#include <benchmark/benchmark.h>

#include <opencore-amrnb/interf_dec.h>
#include <opencore-amrnb/interf_enc.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/audio/WavWriter.h"
#include "voice/AmrConversion.h"

namespace {

constexpr int kFrames = 60 * 50;

struct Clip {
    std::string folder = (std::filesystem::temp_directory_path() / "qyshot-bench-amr").string();
    std::string wav = folder + "/clip.wav";
    std::string amr = folder + "/clip.amr";
    std::string decoded = folder + "/decoded.wav";
    std::vector<std::int16_t> samples;
    std::vector<std::uint8_t> frames;

    Clip()
    {
        std::filesystem::create_directories(folder);
        // A voiced, changing signal, so the codec works as hard as on speech.
        samples.resize(kFrames * 160);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            double t = double(i) / 8000;
            double pitch = 120 + 40 * std::sin(2 * M_PI * 0.5 * t);
            samples[i] = std::int16_t(6000 * std::sin(2 * M_PI * pitch * t) + 2500 * std::sin(2 * M_PI * 3.1 * pitch * t));
        }
        platform::WavWriter writer;
        writer.open(wav, 8000);
        writer.write(samples);
        writer.finish();
        convertWavToAmr(wav, amr, 1, 16);
        void* encoder = Encoder_Interface_init(0);
        std::uint8_t frame[32];
        for (int f = 0; f < kFrames; ++f) {
            int bytes = Encoder_Interface_Encode(encoder, MR122, samples.data() + f * 160, frame, 0);
            frames.insert(frames.end(), frame, frame + bytes);
        }
        Encoder_Interface_exit(encoder);
    }
};

const Clip& clip()
{
    static Clip shared;
    return shared;
}

void BM_ConvertWavToAmr(benchmark::State& state)
{
    const Clip& c = clip();
    for (auto _ : state)
        benchmark::DoNotOptimize(convertWavToAmr(c.wav, c.amr, 1, 16));
    state.SetItemsProcessed(state.iterations() * kFrames);
}

void BM_BareEncodeLoop(benchmark::State& state)
{
    const Clip& c = clip();
    std::uint8_t frame[32];
    for (auto _ : state) {
        void* encoder = Encoder_Interface_init(0);
        for (int f = 0; f < kFrames; ++f)
            benchmark::DoNotOptimize(Encoder_Interface_Encode(encoder, MR122, c.samples.data() + f * 160, frame, 0));
        Encoder_Interface_exit(encoder);
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}

void BM_ConvertAmrToWav(benchmark::State& state)
{
    const Clip& c = clip();
    for (auto _ : state)
        benchmark::DoNotOptimize(convertAmrToWav(c.amr, c.decoded));
    state.SetItemsProcessed(state.iterations() * kFrames);
}

void BM_BareDecodeLoop(benchmark::State& state)
{
    const Clip& c = clip();
    std::int16_t samples[160];
    for (auto _ : state) {
        void* decoder = Decoder_Interface_init();
        for (int f = 0; f < kFrames; ++f) {
            Decoder_Interface_Decode(decoder, c.frames.data() + f * 32, samples, 0);
            benchmark::DoNotOptimize(samples);
        }
        Decoder_Interface_exit(decoder);
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}

} // namespace

BENCHMARK(BM_ConvertWavToAmr)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareEncodeLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertAmrToWav)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareDecodeLoop)->Unit(benchmark::kMillisecond);
