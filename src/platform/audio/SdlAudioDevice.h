#pragma once
#include <string>

#include "platform/audio/AudioDevice.h"

namespace platform {

// The computer's own microphone and speakers through SDL2. SDL converts
// between the device's format and 8 kHz 16-bit mono. Its callbacks run on
// SDL's audio thread and only touch a mutex-guarded buffer; a 10 ms timer on
// the main queue moves the data across, so everything else stays on the
// main thread.
class SdlAudioDevice final : public AudioDevice {
public:
    SdlAudioDevice();
    ~SdlAudioDevice() override;
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    // False when SDL has no audio driver at all.
    bool isAvailable() const { return m_initialized; }
    bool hasMicrophone() const;

    std::unique_ptr<AudioCapture> openCapture() override;
    std::unique_ptr<AudioPlayback> openPlayback(const std::string& wavPath) override;
    std::string unavailableReason() const override;

private:
    bool m_initialized = false;
    std::string m_initError;
};

} // namespace platform
