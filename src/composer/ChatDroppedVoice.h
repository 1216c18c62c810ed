#pragma once
#include <optional>
#include <string>

#include "composer/ChatVoiceSession.h"

// A sound file dropped on the chat screen, made into a voice clip as a
// recording would be: an AMR file in the audio folder under a fresh name,
// with its 8 kHz WAV copy beside it for playback, kept only when it lasts
// the shortest clip the chat screen keeps.
class ChatDroppedVoice {
public:
    // ".wav" or ".amr", in any case.
    static bool isVoiceFile(const std::string& path);
    // The clip made from `path`; nullopt, with nothing left behind and the
    // reason in `whyNot`, for a file that is not usable sound or too short.
    static std::optional<ChatVoiceSession::Clip> importClip(const std::string& path, std::string& whyNot);
};
