#pragma once
#include <cstdint>
#include <memory>

#include "platform/audio/AudioCapture.h"

namespace platform {

class Timer;

// What a computer without a microphone hears: silence, 8000 samples a
// second for as long as the capture runs, paced by the main queue's clock
// (real in the window, virtual in tests). Recordings made without a
// microphone therefore last as long as the button was held.
class SilentCapture final : public AudioCapture {
public:
    // How often the silence so far is handed over.
    static constexpr double kInterval = 0.01;

    ~SilentCapture() override;

    bool start(SamplesHandler onSamples, InterruptionHandler onInterrupted) override;
    void stop() override;
    bool isCapturing() const override { return m_capturing; }

private:
    // Hands over the samples due by now.
    void deliver();

    SamplesHandler m_onSamples;
    std::shared_ptr<Timer> m_timer;
    bool m_capturing = false;
    double m_start = 0;
    std::int64_t m_delivered = 0;
};

} // namespace platform
