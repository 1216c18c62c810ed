#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/audio/AudioCapture.h"
#include "platform/audio/WavWriter.h"

namespace platform {

class AudioDevice;

// Records a microphone into a WAV file (8 kHz, 16-bit, mono) and meters it,
// as a phone's file recorder does. Each recording replaces the file. The end
// of a recording is reported on a later pass of the main queue, whether it
// was stopped or interrupted, and also when there was no microphone at all:
// the file then holds no samples, so every start has exactly one end.
class AudioFileRecorder : public std::enable_shared_from_this<AudioFileRecorder> {
public:
    static constexpr float kSilenceDecibels = -160.0f;

    static std::shared_ptr<AudioFileRecorder> make(std::string path);

    const std::string& path() const { return m_path; }
    // Where the next recording goes; a recording under way keeps its file.
    void setPath(std::string path);
    // Starts a new recording from the device's microphone (nullptr: none).
    // Without a working microphone it records silence for as long as it
    // runs. Returns whether a microphone is heard; ignored while recording.
    bool record(const std::shared_ptr<AudioDevice>& microphone);
    // Whether the current or last recording was silence for want of a microphone.
    bool isSilent() const { return m_silent; }
    // Ends the recording; `onFinished` follows on the main queue.
    void stop();
    bool isRecording() const { return m_recording; }

    // Takes the loudest sample since the last update as the current peak.
    void updateMeters();
    // Peak power in decibels relative to full scale, kSilenceDecibels to 0.
    float peakPower(int channel) const;

    // Called on the main queue once per recording, after stop() or an
    // interruption that the owner answered with stop(); the flag says
    // whether the file was written completely.
    std::function<void(bool successfully)> onFinished;
    // Called when the microphone is taken away during a recording. Samples
    // stop; the recording still needs stop() to end.
    std::function<void()> onInterrupted;

private:
    explicit AudioFileRecorder(std::string path);
    void receive(std::span<const std::int16_t> samples);

    std::string m_path;
    WavWriter m_writer;
    std::unique_ptr<AudioCapture> m_capture;
    bool m_recording = false;
    bool m_silent = false;
    int m_pendingPeak = 0;
    int m_peak = 0;
    bool m_heardSinceUpdate = false;
};

} // namespace platform
