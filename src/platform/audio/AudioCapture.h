#pragma once
#include <cstdint>
#include <functional>
#include <span>

namespace platform {

// One run of a microphone: 8 kHz, 16-bit, mono PCM, delivered in order on the
// main queue. Made by AudioDevice::openCapture().
class AudioCapture {
public:
    // Called on the main queue with the next samples. The callee may call
    // stop() but must not destroy the capture from inside the call.
    using SamplesHandler = std::function<void(std::span<const std::int16_t>)>;
    // Called on the main queue when the device is taken away (unplugged, or
    // claimed by someone else); no samples follow until a new start().
    using InterruptionHandler = std::function<void()>;

    static constexpr int kSampleRate = 8000;

    virtual ~AudioCapture() = default;
    // False when the device could not start; nothing is delivered then.
    virtual bool start(SamplesHandler onSamples, InterruptionHandler onInterrupted) = 0;
    // Delivers what was captured up to now, then stops. Safe to call twice.
    virtual void stop() = 0;
    virtual bool isCapturing() const = 0;
};

} // namespace platform
