#include "shell/commands/AmrCommands.h"

#include <CLI/CLI.hpp>
#include <SDL.h>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "platform/Folders.h"
#include "platform/MainQueue.h"
#include "platform/ReplacingFile.h"
#include "platform/audio/AudioFileRecorder.h"
#include "platform/audio/SdlAudioDevice.h"
#include "platform/audio/WavReader.h"
#include "shell/commands/CodecCommands.h"
#include "voice/AmrConversion.h"

namespace {

std::atomic<bool> g_interrupted { false };

// Fails the command with a message for the user.
[[noreturn]] void fail(const std::string& message)
{
    std::cerr << "qyshot: " << message << "\n";
    throw CLI::RuntimeError(1);
}

std::string describe(const platform::FileError& error)
{
    return error.message + " at byte " + std::to_string(error.offset);
}

std::string seconds(int frames)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", frames * 20 / 1000.0);
    return text;
}

// Runs the main queue on the real clock until `done` says so, Ctrl-C or a
// polite request to stop (SIGTERM): both end the wait, and the caller then
// finishes what it has, as when the time is up.
template<typename Done>
void runUntil(Done done)
{
    g_interrupted = false;
    auto stop = [](int) { g_interrupted = true; };
    auto previousInterrupt = std::signal(SIGINT, stop);
    auto previousTerminate = std::signal(SIGTERM, stop);
    while (!done() && !g_interrupted) {
        platform::MainQueue::shared().runDue();
        SDL_Delay(5);
    }
    std::signal(SIGINT, previousInterrupt);
    std::signal(SIGTERM, previousTerminate);
}

void encode(const std::string& in, const std::string& out)
{
    commandfiles::requireFile(in);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(in.c_str(), "rb"), &std::fclose);
    if (!file)
        fail("cannot open " + in);
    platform::WavReader reader(file.get());
    if (!reader.open())
        fail(in + ": " + describe(*reader.error()));
    // The format chunk decides the layout here; a file without one is taken
    // to be what the recorder writes.
    platform::WavFormat format = reader.format().value_or(platform::WavFormat { 1, 1, 8000, 2, 16 });
    file.reset();
    if (format.formatTag != 1 && format.formatTag != 0xFFFE)
        fail(in + ": only PCM WAV files can be encoded");
    if (!platform::WavReader::isSupportedLayout(format.channels, format.bitsPerSample))
        fail(in + ": only 8- or 16-bit mono or stereo PCM can be encoded");
    if (format.sampleRate != 8000)
        fail(in + ": AMR-NB needs 8000 Hz audio, this file has " + std::to_string(format.sampleRate) + " Hz");

    platform::ReplacingFile output(out);
    if (!output.isOpen())
        fail(output.error());
    AmrConversionResult result = encodeWavFileToAmr(in, output.temporaryPath(), format.channels, format.bitsPerSample);
    if (result.error)
        fail(in + ": " + describe(*result.error));
    if (!output.commit())
        fail(output.error());
    std::cout << "wrote " << result.frames << " frames (" << seconds(result.frames) << ") to " << out << "\n";
}

// Errors after which the output is not what the input holds; the others only
// cut a damaged input short.
bool spoilsTheOutput(const platform::FileError& error)
{
    return error.message == "no frames" || error.message.starts_with("cannot");
}

void decode(const std::string& in, const std::string& out)
{
    commandfiles::requireFile(in);
    platform::ReplacingFile output(out);
    if (!output.isOpen())
        fail(output.error());
    AmrConversionResult result = decodeAmrFileToWav(in, output.temporaryPath());
    if (result.frames == 0 || (result.error && spoilsTheOutput(*result.error)))
        fail(in + ": " + (result.error ? describe(*result.error) : "nothing to decode") + "; nothing written to " + out);
    if (!output.commit())
        fail(output.error());
    if (result.error)
        std::cerr << "qyshot: " << in << ": " << describe(*result.error) << "; kept what came before\n";
    std::cout << "wrote " << result.frames << " frames (" << seconds(result.frames) << ") to " << out << "\n";
}

void record(const std::string& out, double duration)
{
    auto device = std::make_shared<platform::SdlAudioDevice>();
    if (!device->hasMicrophone())
        fail("cannot record: " + device->unavailableReason());
    std::string wav = platform::folders::join(platform::folders::temporaryFolder(), "cli-record.wav");
    auto recorder = platform::AudioFileRecorder::make(wav);
    bool finished = false;
    recorder->onFinished = [&](bool) { finished = true; };
    recorder->onInterrupted = [&] {
        std::cerr << "qyshot: the microphone went away\n";
        recorder->stop();
    };
    if (!recorder->record(device))
        fail("cannot record: the microphone would not start");

    std::cout << "recording " << duration << " s (Ctrl-C or SIGTERM stops early and keeps what was recorded)…" << std::endl;
    double end = platform::MainQueue::shared().now() + duration;
    runUntil([&] { return !recorder->isRecording() || platform::MainQueue::shared().now() >= end; });
    recorder->stop();
    runUntil([&] { return finished; });

    platform::ReplacingFile output(out);
    int frames = output.isOpen() ? convertWavToAmr(wav, output.temporaryPath(), 1, 16) : 0;
    std::remove(wav.c_str());
    if (!output.isOpen())
        fail(output.error());
    if (frames == 0)
        fail("nothing was recorded");
    if (!output.commit())
        fail(output.error());
    std::cout << "wrote " << frames << " frames (" << seconds(frames) << ") to " << out << "\n";
}

void play(const std::string& path)
{
    commandfiles::requireFile(path);
    std::string wav = path;
    bool temporary = false;
    if (!path.ends_with(".wav")) {
        wav = platform::folders::join(platform::folders::temporaryFolder(), "cli-play.wav");
        AmrConversionResult result = decodeAmrFileToWav(path, wav);
        if (result.frames == 0)
            fail(path + ": " + (result.error ? describe(*result.error) : "nothing to play"));
        temporary = true;
    }
    platform::SdlAudioDevice device;
    if (!device.isAvailable())
        fail("cannot play: " + device.unavailableReason());
    auto playback = device.openPlayback(wav);
    if (!playback)
        fail("cannot play " + path);
    bool finished = false;
    playback->setFinishedHandler([&] { finished = true; });
    if (!playback->play())
        fail("cannot play: the speaker would not start");
    runUntil([&] { return finished; });
    playback->stop();
    if (temporary)
        std::remove(wav.c_str());
}

} // namespace

void addAmrCommands(CLI::App& app)
{
    auto* amr = app.add_subcommand("amr", "Convert voice clips between WAV and AMR");
    amr->require_subcommand(1);

    auto* encodeCommand = amr->add_subcommand("encode", "WAV (8 kHz PCM) to AMR-NB");
    auto encodeIn = std::make_shared<std::string>();
    auto encodeOut = std::make_shared<std::string>();
    encodeCommand->add_option("IN.wav", *encodeIn)->required();
    encodeCommand->add_option("OUT.amr", *encodeOut)->required();
    encodeCommand->callback([encodeIn, encodeOut] { encode(*encodeIn, *encodeOut); });

    auto* decodeCommand = amr->add_subcommand("decode", "AMR-NB to WAV (8 kHz, 16-bit mono)");
    auto decodeIn = std::make_shared<std::string>();
    auto decodeOut = std::make_shared<std::string>();
    decodeCommand->add_option("IN.amr", *decodeIn)->required();
    decodeCommand->add_option("OUT.wav", *decodeOut)->required();
    decodeCommand->callback([decodeIn, decodeOut] { decode(*decodeIn, *decodeOut); });

    auto* recordCommand = app.add_subcommand("record", "Record the microphone into an AMR file");
    auto recordOut = std::make_shared<std::string>();
    auto recordSeconds = std::make_shared<double>(5.0);
    recordCommand->add_option("OUT.amr", *recordOut)->required();
    recordCommand->add_option("--seconds", *recordSeconds, "How long to record, 0.02 to 3600")->capture_default_str();
    recordCommand->callback([recordOut, recordSeconds] {
        // Written so that "nan", which every comparison fails, is refused too.
        if (!(*recordSeconds >= 0.02 && *recordSeconds <= 3600.0))
            throw CLI::ValidationError("--seconds", "expected a number of seconds from 0.02 to 3600");
        record(*recordOut, *recordSeconds);
    });

    auto* playCommand = app.add_subcommand("play", "Play an AMR (or WAV) file on the speakers");
    auto playIn = std::make_shared<std::string>();
    playCommand->add_option("FILE.amr", *playIn)->required();
    playCommand->callback([playIn] { play(*playIn); });
}
