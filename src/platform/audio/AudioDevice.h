#pragma once
#include <memory>
#include <string>

#include "platform/audio/AudioCapture.h"
#include "platform/audio/AudioPlayback.h"

namespace platform {

// A source of microphones and speakers. The app installs the SDL device for
// both; tests and headless runs install a FileMicrophone and a NullSpeaker.
class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    // A new capture run, or nullptr when this device has no microphone
    // (unavailableReason() then says why, for the user).
    virtual std::unique_ptr<AudioCapture> openCapture() { return nullptr; }
    // The WAV file ready to play, or nullptr when it cannot be read or the
    // device has no speaker.
    virtual std::unique_ptr<AudioPlayback> openPlayback(const std::string& wavPath);
    // The phone's loudspeaker/earpiece routing; a desktop has one output and
    // ignores it.
    virtual void setLoudspeaker(bool) { }
    virtual std::string unavailableReason() const { return "no microphone"; }

    // The device recordings come from; nullptr means there is no microphone.
    static std::shared_ptr<AudioDevice> microphone();
    static void setMicrophone(std::shared_ptr<AudioDevice> device);
    // The device clips play on; a NullSpeaker until another is installed.
    static std::shared_ptr<AudioDevice> speaker();
    static void setSpeaker(std::shared_ptr<AudioDevice> device);
};

} // namespace platform
