#include "platform/audio/SdlAudioDevice.h"

#include <SDL.h>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "platform/audio/WavReader.h"

namespace platform {

namespace {

constexpr double kPollInterval = 0.01;

// Keeps SDL's audio subsystem up for as long as a capture or playback made by
// the device lives, even when the device itself is gone first.
class AudioSubsystemUse {
public:
    AudioSubsystemUse() { m_initialized = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0; }
    ~AudioSubsystemUse()
    {
        if (m_initialized)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    AudioSubsystemUse(const AudioSubsystemUse&) = delete;
    AudioSubsystemUse& operator=(const AudioSubsystemUse&) = delete;

private:
    bool m_initialized = false;
};

// Filled by SDL's audio thread, drained by the main queue.
// Stops polling first, so no tick reads a device that is being closed.
void closeDevice(SDL_AudioDeviceID& device, std::shared_ptr<Timer>& pollTimer)
{
    if (pollTimer)
        pollTimer->invalidate();
    pollTimer.reset();
    if (device != 0)
        SDL_CloseAudioDevice(device);
    device = 0;
}

struct CaptureBuffer {
    std::mutex mutex;
    std::vector<std::int16_t> samples;
};

// Opens the default microphone or speaker for 16-bit mono at `rate`. No
// changes are allowed: SDL converts from whatever the hardware gives.
// 0 (logged) when it cannot be opened.
SDL_AudioDeviceID openMonoDevice(bool capture, int rate, Uint16 samples, SDL_AudioCallback callback, void* userdata)
{
    SDL_AudioSpec wanted {};
    wanted.freq = rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = samples;
    wanted.callback = callback;
    wanted.userdata = userdata;
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, capture ? 1 : 0, &wanted, nullptr, 0);
    if (device == 0)
        log::line("audio", std::string(capture ? "cannot open the microphone: " : "cannot open the speaker: ") + SDL_GetError());
    return device;
}

void captureCallback(void* userdata, Uint8* stream, int length)
{
    auto* buffer = static_cast<CaptureBuffer*>(userdata);
    const auto* samples = reinterpret_cast<const std::int16_t*>(stream);
    std::lock_guard lock(buffer->mutex);
    buffer->samples.insert(buffer->samples.end(), samples, samples + length / int(sizeof(std::int16_t)));
}

class SdlCapture final : public AudioCapture {
public:
    ~SdlCapture() override { close(); }

    bool start(SamplesHandler onSamples, InterruptionHandler onInterrupted) override
    {
        close();
        m_device = openMonoDevice(true, kSampleRate, 256, captureCallback, &m_buffer);
        if (m_device == 0)
            return false;
        m_onSamples = std::move(onSamples);
        m_onInterrupted = std::move(onInterrupted);
        m_timer = Timer::scheduled(kPollInterval, true, [this](Timer&) { poll(); });
        SDL_PauseAudioDevice(m_device, 0);
        return true;
    }

    void stop() override
    {
        if (m_device == 0)
            return;
        // Closing waits for a running callback, so nothing arrives after the drain.
        SDL_CloseAudioDevice(m_device);
        m_device = 0;
        drain();
        close();
    }

    bool isCapturing() const override { return m_device != 0; }

private:
    void poll()
    {
        if (m_device == 0)
            return;
        if (SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED) {
            SDL_CloseAudioDevice(m_device);
            m_device = 0;
            drain();
            close();
            if (auto handler = m_onInterrupted)
                handler();
            return;
        }
        drain();
    }

    void drain()
    {
        std::vector<std::int16_t> samples;
        {
            std::lock_guard lock(m_buffer.mutex);
            samples.swap(m_buffer.samples);
        }
        if (!samples.empty() && m_onSamples)
            m_onSamples(samples);
    }

    void close() { closeDevice(m_device, m_timer); }

    AudioSubsystemUse m_subsystem;
    CaptureBuffer m_buffer;
    SDL_AudioDeviceID m_device = 0;
    std::shared_ptr<Timer> m_timer;
    SamplesHandler m_onSamples;
    InterruptionHandler m_onInterrupted;
};

// Shared between the main thread and SDL's audio thread.
struct PlaybackSource {
    std::vector<std::int16_t> samples;
    std::atomic<std::size_t> position { 0 };
    std::atomic<bool> ended { false };
};

void playbackCallback(void* userdata, Uint8* stream, int length)
{
    auto* source = static_cast<PlaybackSource*>(userdata);
    std::size_t wanted = std::size_t(length) / sizeof(std::int16_t);
    std::size_t position = source->position.load();
    std::size_t count = std::min(wanted, source->samples.size() - position);
    std::memcpy(stream, source->samples.data() + position, count * sizeof(std::int16_t));
    std::memset(stream + count * sizeof(std::int16_t), 0, std::size_t(length) - count * sizeof(std::int16_t));
    source->position = position + count;
    if (position + count >= source->samples.size())
        source->ended = true;
}

class SdlPlayback final : public AudioPlayback {
public:
    SdlPlayback(std::vector<std::int16_t> samples, int sampleRate)
        : m_sampleRate(sampleRate)
    {
        m_source.samples = std::move(samples);
    }
    ~SdlPlayback() override { close(); }

    bool play() override
    {
        if (m_device != 0)
            return true;
        if (m_source.ended) {
            m_source.position = 0;
            m_source.ended = false;
        }
        m_device = openMonoDevice(false, m_sampleRate, 512, playbackCallback, &m_source);
        if (m_device == 0)
            return false;
        m_timer = Timer::scheduled(kPollInterval, true, [this](Timer&) { poll(); });
        SDL_PauseAudioDevice(m_device, 0);
        return true;
    }

    void stop() override { close(); }
    bool isPlaying() const override { return m_device != 0; }
    double duration() const override { return double(m_source.samples.size()) / m_sampleRate; }

private:
    void poll()
    {
        if (m_device == 0)
            return;
        bool lost = SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED;
        if (!m_source.ended && !lost)
            return;
        close();
        m_source.position = 0;
        m_source.ended = false;
        notifyFinished();
    }

    void close() { closeDevice(m_device, m_timer); }

    AudioSubsystemUse m_subsystem;
    PlaybackSource m_source;
    int m_sampleRate;
    SDL_AudioDeviceID m_device = 0;
    std::shared_ptr<Timer> m_timer;
};

} // namespace

SdlAudioDevice::SdlAudioDevice()
{
    m_initialized = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!m_initialized)
        m_initError = SDL_GetError();
}

SdlAudioDevice::~SdlAudioDevice()
{
    if (m_initialized)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioDevice::hasMicrophone() const
{
    return m_initialized && SDL_GetNumAudioDevices(1) > 0;
}

std::string SdlAudioDevice::unavailableReason() const
{
    if (!m_initialized)
        return "no audio system (" + m_initError + ")";
    return "no microphone found";
}

std::unique_ptr<AudioCapture> SdlAudioDevice::openCapture()
{
    if (!hasMicrophone())
        return nullptr;
    return std::make_unique<SdlCapture>();
}

std::unique_ptr<AudioPlayback> SdlAudioDevice::openPlayback(const std::string& wavPath)
{
    if (!m_initialized)
        return nullptr;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(wavPath.c_str(), "rb"), &std::fclose);
    if (!file)
        return nullptr;
    WavReader reader(file.get());
    if (!reader.open() || !reader.format())
        return nullptr;
    WavFormat format = *reader.format();
    if (!WavReader::isSupportedLayout(format.channels, format.bitsPerSample) || format.sampleRate <= 0)
        return nullptr;
    std::vector<std::int16_t> samples;
    std::int16_t chunk[1024];
    while (std::size_t got = reader.readMono16(chunk, std::size(chunk), format.channels, format.bitsPerSample))
        samples.insert(samples.end(), chunk, chunk + got);
    return std::make_unique<SdlPlayback>(std::move(samples), format.sampleRate);
}

} // namespace platform
