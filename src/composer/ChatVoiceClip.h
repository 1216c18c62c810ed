#pragma once
#include <string>

// Where the chat screen records voice clips, and how a clip it does not keep
// is thrown away.
struct ChatVoiceClip {
    // A new AMR path in the audio folder, named by a fresh UUID.
    static std::string newPath();
    // Removes the clip and the recorder's WAV copy beside it (its path
    // followed by ".wav"). True when the clip file existed; errors are ignored.
    static bool remove(const std::string& path);
};
