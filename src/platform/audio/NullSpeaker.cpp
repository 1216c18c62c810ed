#include "platform/audio/NullSpeaker.h"

#include <cstdio>
#include <memory>

#include "platform/MainQueue.h"
#include "platform/audio/WavReader.h"

namespace platform {

namespace {

class SilentPlayback final : public AudioPlayback {
public:
    explicit SilentPlayback(double duration)
        : m_duration(duration)
    {
    }
    ~SilentPlayback() override { MainQueue::shared().cancel(m_task); }

    bool play() override
    {
        if (m_task)
            return true;
        auto& queue = MainQueue::shared();
        m_startedAt = queue.now();
        m_task = queue.after(m_duration - m_position, [this] {
            m_task = 0;
            m_position = 0;
            notifyFinished();
        });
        return true;
    }

    void stop() override
    {
        if (!m_task)
            return;
        auto& queue = MainQueue::shared();
        queue.cancel(m_task);
        m_task = 0;
        m_position = std::min(m_duration, m_position + queue.now() - m_startedAt);
    }

    bool isPlaying() const override { return m_task != 0; }
    double duration() const override { return m_duration; }

private:
    double m_duration;
    double m_position = 0;
    double m_startedAt = 0;
    MainQueue::TaskId m_task = 0;
};

} // namespace

std::unique_ptr<AudioPlayback> NullSpeaker::openPlayback(const std::string& wavPath)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(wavPath.c_str(), "rb"), &std::fclose);
    if (!file)
        return nullptr;
    WavReader reader(file.get());
    if (!reader.open())
        return nullptr;
    auto duration = reader.duration();
    if (!duration)
        return nullptr;
    return std::make_unique<SilentPlayback>(*duration);
}

} // namespace platform
