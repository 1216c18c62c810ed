#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/audio/AudioDevice.h"

namespace platform {

// A microphone that "hears" a WAV file: each capture plays the file from its
// start as input, paced by the main queue's clock, so it runs in real time on
// the system clock and in virtual time in tests and scenes. After the file
// ends it hears silence, as a microphone in a quiet room would. Any PCM file
// of 8 or 16 bits, mono or stereo, at any rate is converted to 8 kHz mono.
class FileMicrophone final : public AudioDevice {
public:
    explicit FileMicrophone(std::string wavPath);

    const std::string& wavPath() const { return m_wavPath; }
    // The file the next capture plays.
    void setWavPath(std::string wavPath);
    // Playing time of the file in seconds; nullopt when it cannot be read.
    std::optional<double> duration() const;
    // Interrupts every running capture, as an incoming call would.
    void interrupt();

    std::unique_ptr<AudioCapture> openCapture() override;

private:
    class Capture;
    // The captures now running, shared with them so they can leave it on
    // their own even after the microphone is gone.
    struct Running {
        std::vector<Capture*> captures;
    };

    std::string m_wavPath;
    std::shared_ptr<Running> m_running = std::make_shared<Running>();
};

} // namespace platform
