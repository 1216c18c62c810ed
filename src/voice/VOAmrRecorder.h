#pragma once
#include <memory>
#include <string>

#include "voice/VOAmrFileInfo.h"

namespace platform {
class AudioFileRecorder;
class Timer;
}

class VOAmrRecorder;

// What a recorder reports. Both operations are optional: the defaults return
// false to say "not implemented", and implementations return true. Both are
// called synchronously on the main queue.
class VOAmrRecorderDelegate {
public:
    virtual ~VOAmrRecorderDelegate() = default;
    // A recording has been converted to its AMR file. The recorder still
    // counts as recording during the call, so a new start there is ignored.
    virtual bool recorder(VOAmrRecorder&, const VOAmrFileInfo&) { return false; }
    // The microphone level, 0 (silence) to 1 (full scale), every 10 ms while recording.
    virtual bool recorder(VOAmrRecorder&, float) { return false; }
};

// Records the microphone to a temporary WAV ("rec.wav" in "records" of the
// temporary folder, shared by every recording), meters it, and on stop
// converts it to the AMR file the caller named, keeping a WAV copy beside it
// (the AMR path followed by ".wav") for playback.
class VOAmrRecorder {
public:
    // Makes the temporary folder and the platform recorder.
    VOAmrRecorder();
    ~VOAmrRecorder();
    VOAmrRecorder(const VOAmrRecorder&) = delete;
    VOAmrRecorder& operator=(const VOAmrRecorder&) = delete;

    // Starts recording for the given AMR file from the installed microphone;
    // ignored while a recording is under way. Without a microphone it
    // records silence for as long as it runs.
    void recordWithURL(const std::string& amrPath);
    // Ends the recording; the delegate hears of the file on a later pass of the main queue.
    void stop();
    // True routes output to the loudspeaker, false removes that override.
    void setSpeakMode(bool loudspeaker);

    bool isRecording() const { return m_isRecording; }
    // True once per recorder, for the first recording that finished as
    // silence because no microphone was found; the caller tells the user.
    bool takeNoMicrophoneNews();
    const std::string& tempRecordFileURL() const { return m_tempRecordFileURL; }
    const std::string& currentRecordFileURL() const { return m_currentRecordFileURL; }
    void setDelegate(std::weak_ptr<VOAmrRecorderDelegate> delegate) { m_delegate = std::move(delegate); }

private:
    void startMeter();
    void meterTick();
    void recordingFinished();

    std::shared_ptr<platform::AudioFileRecorder> m_audioRecorder;
    std::string m_tempRecordFileURL;
    std::string m_currentRecordFileURL;
    bool m_isRecording = false;
    bool m_toldNoMicrophone = false;
    std::shared_ptr<platform::Timer> m_timer;
    std::weak_ptr<VOAmrRecorderDelegate> m_delegate;
    // Lets queued work find out that the recorder is gone.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
