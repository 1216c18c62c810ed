#pragma once
#include <optional>
#include <string>

#include "voice/VOAmrFileInfo.h"

// One press-to-talk on the chat screen: the recording overlay, the shared
// record manager and the clip file, from the press to the recorder's report.
// The report comes after the release, so a release outside the button marks
// the clip on its way as unwanted.
class ChatVoiceSession {
public:
    // A clip shorter than this is thrown away.
    static constexpr double kMinimumDuration = 1.0;

    struct Clip {
        std::string path;
        double duration = 0;
    };

    // The press: shows the overlay and records into a new clip file.
    void start();
    // The release inside the button: the recorder reports the clip later.
    void finish();
    // The release outside: the clip is not kept.
    void cancel();
    // The recorder's report: the clip to keep, or nothing when it was
    // cancelled or too short (its files are removed then).
    std::optional<Clip> take(const VOAmrFileInfo& info);
    // The microphone level, 0 to 1.
    void showLevel(float power);

    // The clip file of the latest press; none once a discarded one is removed.
    const std::optional<std::string>& voicePath() const { return m_voicePath; }
    // The report of the latest kept clip.
    const VOAmrFileInfo& fileInfo() const { return m_fileInfo; }

private:
    void removeClip();

    std::optional<std::string> m_voicePath;
    bool m_cancelled = false;
    VOAmrFileInfo m_fileInfo;
};
