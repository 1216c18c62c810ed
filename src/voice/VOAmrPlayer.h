#pragma once
#include <functional>
#include <memory>
#include <set>
#include <string>

namespace platform {
class AudioPlayback;
}

// Plays voice clips given the path of their AMR file. Playback uses the WAV
// copy beside the AMR file (its path followed by ".wav"), decoding the AMR
// file into it first when the copy is missing, so a clip is decoded at most
// once. Several clips may play at once; each keeps playing until it ends.
class VOAmrPlayer {
public:
    VOAmrPlayer() = default;
    VOAmrPlayer(const VOAmrPlayer&) = delete;
    VOAmrPlayer& operator=(const VOAmrPlayer&) = delete;

    bool playWithURL(const std::string& path) { return playWithURL(path, nullptr); }
    // Plays the clip on the installed speaker. `finished` runs on the main
    // queue when the clip plays to its end by itself, never after stop().
    // Returns false when there was nothing playable.
    bool playWithURL(const std::string& path, std::function<void()> finished);
    // Stops the most recent clip.
    void stop();
    // True routes output to the loudspeaker, false removes that override.
    void setSpeakMode(bool loudspeaker);

    // The player of the most recent clip.
    const std::shared_ptr<platform::AudioPlayback>& audioPlayer() const { return m_audioPlayer; }
    // Players still playing or paused.
    const std::set<std::shared_ptr<platform::AudioPlayback>>& audioPlayers() const { return m_audioPlayers; }

private:
    void playerFinished(platform::AudioPlayback* player, const std::function<void()>& finished);

    std::shared_ptr<platform::AudioPlayback> m_audioPlayer;
    std::set<std::shared_ptr<platform::AudioPlayback>> m_audioPlayers;
};
