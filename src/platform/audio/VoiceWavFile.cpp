#include "platform/audio/VoiceWavFile.h"

#include <SDL.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/audio/AudioCapture.h"
#include "platform/audio/WavReader.h"
#include "platform/audio/WavWriter.h"

namespace platform {

namespace {

constexpr std::size_t kChunkFrames = 4096;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

struct StreamFreer {
    void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};

} // namespace

bool VoiceWavFile::convert(const std::string& in, const std::string& out, std::string& whyNot)
{
    auto fail = [&](std::string reason) {
        whyNot = std::move(reason);
        std::remove(out.c_str());
        return false;
    };
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(in.c_str(), "rb"));
    if (!file)
        return fail("cannot open " + in);
    WavReader reader(file.get());
    if (!reader.open() || !reader.format())
        return fail(in + " is not a WAV file" + (reader.error() ? ": " + reader.error()->message : std::string()));
    WavFormat format = *reader.format();
    if (format.formatTag != 1 || !WavReader::isSupportedLayout(format.channels, format.bitsPerSample) || format.sampleRate <= 0)
        return fail(in + ": only 8- or 16-bit PCM WAV files, mono or stereo, can be voice clips");

    std::unique_ptr<SDL_AudioStream, StreamFreer> resampler;
    if (format.sampleRate != AudioCapture::kSampleRate) {
        resampler.reset(SDL_NewAudioStream(AUDIO_S16SYS, 1, format.sampleRate, AUDIO_S16SYS, 1, AudioCapture::kSampleRate));
        if (!resampler)
            return fail(std::string("cannot convert the sample rate: ") + SDL_GetError());
    }
    WavWriter writer;
    if (!writer.open(out, AudioCapture::kSampleRate))
        return fail("cannot write " + out);
    std::vector<std::int16_t> chunk(kChunkFrames);
    bool written = true;
    auto drain = [&] {
        int available = SDL_AudioStreamAvailable(resampler.get());
        if (available <= 0)
            return;
        std::vector<std::int16_t> converted(std::size_t(available) / sizeof(std::int16_t));
        int got = SDL_AudioStreamGet(resampler.get(), converted.data(), available);
        if (got > 0)
            written = writer.write(std::span(converted.data(), std::size_t(got) / sizeof(std::int16_t))) && written;
    };
    for (;;) {
        std::size_t got = reader.readMono16(chunk.data(), chunk.size(), format.channels, format.bitsPerSample);
        if (got == 0)
            break;
        if (!resampler) {
            written = writer.write(std::span(chunk.data(), got)) && written;
            continue;
        }
        SDL_AudioStreamPut(resampler.get(), chunk.data(), int(got * sizeof(std::int16_t)));
        drain();
    }
    if (resampler) {
        SDL_AudioStreamFlush(resampler.get());
        drain();
    }
    if (!writer.finish() || !written)
        return fail("cannot write " + out);
    return true;
}

} // namespace platform
