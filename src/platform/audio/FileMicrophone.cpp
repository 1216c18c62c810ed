#include "platform/audio/FileMicrophone.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "platform/audio/WavReader.h"

namespace platform {

namespace {

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

FilePtr openFile(const std::string& path)
{
    return FilePtr(std::fopen(path.c_str(), "rb"), &std::fclose);
}

constexpr double kTick = 0.01;
constexpr std::size_t kReadFrames = 160;

} // namespace

class FileMicrophone::Capture final : public AudioCapture {
public:
    Capture(std::string path, std::shared_ptr<Running> running)
        : m_path(std::move(path))
        , m_running(std::move(running))
    {
    }

    ~Capture() override
    {
        close();
    }

    bool start(SamplesHandler onSamples, InterruptionHandler onInterrupted) override
    {
        close();
        m_file = openFile(m_path);
        if (!m_file)
            return false;
        m_reader = std::make_unique<WavReader>(m_file.get());
        if (!m_reader->open() || !m_reader->format()
            || !WavReader::isSupportedLayout(m_reader->format()->channels, m_reader->format()->bitsPerSample)
            || m_reader->format()->sampleRate <= 0) {
            log::line("audio", "file microphone cannot read " + m_path);
            close();
            return false;
        }
        int rate = m_reader->format()->sampleRate;
        if (rate != kSampleRate) {
            m_resampler = SDL_NewAudioStream(AUDIO_S16SYS, 1, rate, AUDIO_S16SYS, 1, kSampleRate);
            if (!m_resampler) {
                close();
                return false;
            }
        }
        m_onSamples = std::move(onSamples);
        m_onInterrupted = std::move(onInterrupted);
        m_startedAt = MainQueue::shared().now();
        m_delivered = 0;
        m_fileEnded = false;
        m_capturing = true;
        m_running->captures.push_back(this);
        m_timer = Timer::scheduled(kTick, true, [this](Timer&) { pump(); });
        return true;
    }

    void stop() override
    {
        if (!m_capturing)
            return;
        pump();
        close();
    }

    bool isCapturing() const override { return m_capturing; }

    void interrupt()
    {
        if (!m_capturing)
            return;
        close();
        if (auto handler = m_onInterrupted)
            handler();
    }

private:
    void close()
    {
        m_capturing = false;
        if (m_timer)
            m_timer->invalidate();
        m_timer.reset();
        if (m_resampler)
            SDL_FreeAudioStream(m_resampler);
        m_resampler = nullptr;
        m_reader.reset();
        m_file.reset();
        std::erase(m_running->captures, this);
    }

    // Delivers the samples that the clock says have been "heard" since the last pass.
    void pump()
    {
        if (!m_capturing || m_pumping)
            return;
        auto due = std::llround((MainQueue::shared().now() - m_startedAt) * kSampleRate);
        if (due <= m_delivered)
            return;
        std::vector<std::int16_t> samples(std::size_t(due - m_delivered), 0);
        fill(samples);
        m_delivered = due;
        m_pumping = true;
        if (m_onSamples)
            m_onSamples(samples);
        m_pumping = false;
    }

    // Fills from the file; whatever the file cannot give stays silence.
    void fill(std::vector<std::int16_t>& samples)
    {
        if (!m_resampler) {
            std::size_t got = m_fileEnded ? 0 : read(samples.data(), samples.size());
            m_fileEnded = m_fileEnded || got < samples.size();
            return;
        }
        int wanted = int(samples.size() * sizeof(std::int16_t));
        std::int16_t chunk[kReadFrames];
        while (!m_fileEnded && SDL_AudioStreamAvailable(m_resampler) < wanted) {
            std::size_t got = read(chunk, kReadFrames);
            if (got > 0)
                SDL_AudioStreamPut(m_resampler, chunk, int(got * sizeof(std::int16_t)));
            if (got < kReadFrames) {
                m_fileEnded = true;
                SDL_AudioStreamFlush(m_resampler);
            }
        }
        SDL_AudioStreamGet(m_resampler, samples.data(), wanted);
    }

    std::size_t read(std::int16_t* out, std::size_t frames)
    {
        const WavFormat& format = *m_reader->format();
        return m_reader->readMono16(out, frames, format.channels, format.bitsPerSample);
    }

    std::string m_path;
    std::shared_ptr<Running> m_running;
    FilePtr m_file { nullptr, &std::fclose };
    std::unique_ptr<WavReader> m_reader;
    SDL_AudioStream* m_resampler = nullptr;
    std::shared_ptr<Timer> m_timer;
    SamplesHandler m_onSamples;
    InterruptionHandler m_onInterrupted;
    double m_startedAt = 0;
    long long m_delivered = 0;
    bool m_fileEnded = false;
    bool m_capturing = false;
    bool m_pumping = false;
};

FileMicrophone::FileMicrophone(std::string wavPath)
    : m_wavPath(std::move(wavPath))
{
}

void FileMicrophone::setWavPath(std::string wavPath)
{
    m_wavPath = std::move(wavPath);
}

std::optional<double> FileMicrophone::duration() const
{
    FilePtr file = openFile(m_wavPath);
    if (!file)
        return std::nullopt;
    WavReader reader(file.get());
    if (!reader.open())
        return std::nullopt;
    return reader.duration();
}

void FileMicrophone::interrupt()
{
    // A handler may stop or start captures, so work on a copy.
    auto captures = m_running->captures;
    for (Capture* capture : captures) {
        if (std::ranges::find(m_running->captures, capture) != m_running->captures.end())
            capture->interrupt();
    }
}

std::unique_ptr<AudioCapture> FileMicrophone::openCapture()
{
    return std::make_unique<Capture>(m_wavPath, m_running);
}

} // namespace platform
