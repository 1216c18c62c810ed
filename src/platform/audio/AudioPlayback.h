#pragma once
#include <functional>

namespace platform {

// One WAV file made ready to play on a speaker. Made by AudioDevice::openPlayback().
class AudioPlayback {
public:
    virtual ~AudioPlayback() = default;

    // Starts (or resumes) playing; false when the output could not start.
    virtual bool play() = 0;
    // Stops at once. A stopped playback never reports its end.
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
    // Length of the clip in seconds.
    virtual double duration() const = 0;

    // Called on the main queue when the clip has played to its end by itself.
    // The callee may destroy this playback.
    void setFinishedHandler(std::function<void()> handler) { m_onFinished = std::move(handler); }

protected:
    // Runs the end-of-play notice; the playback may be gone afterwards.
    void notifyFinished()
    {
        if (auto handler = m_onFinished)
            handler();
    }

private:
    std::function<void()> m_onFinished;
};

} // namespace platform
