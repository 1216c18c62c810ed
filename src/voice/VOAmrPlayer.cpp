#include "voice/VOAmrPlayer.h"

#include <algorithm>
#include <filesystem>

#include "platform/Log.h"
#include "platform/audio/AudioDevice.h"
#include "voice/AmrConversion.h"

namespace fs = std::filesystem;

namespace {

bool exists(const std::string& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

bool VOAmrPlayer::playWithURL(const std::string& url, std::function<void()> finished)
{
    std::string path = url;
    if (!exists(path))
        path = replaceAll(path, "mp3", "amr");
    std::string wavPath = path.ends_with("wav") || path.ends_with("mp3") ? path : path + ".wav";
    if (!exists(wavPath))
        convertAmrToWav(path, wavPath);

    auto& speaker = *platform::AudioDevice::speaker();
    std::shared_ptr<platform::AudioPlayback> player = speaker.openPlayback(wavPath);
    if (!player) {
        platform::log::line("voice", "cannot play " + wavPath);
        return false;
    }
    m_audioPlayer = player;
    m_audioPlayers.insert(player);
    platform::AudioPlayback* raw = player.get();
    player->setFinishedHandler([this, raw, finished = std::move(finished)] { playerFinished(raw, finished); });

    speaker.setLoudspeaker(true);
    if (player->play())
        return true;
    // A player that never started never ends, so it must not wait in the set.
    m_audioPlayers.erase(player);
    return false;
}

void VOAmrPlayer::playerFinished(platform::AudioPlayback* player, const std::function<void()>& finished)
{
    auto it = std::ranges::find_if(m_audioPlayers, [&](const auto& entry) { return entry.get() == player; });
    if (it == m_audioPlayers.end())
        return;
    // Kept alive until the completion has run; the completion may start
    // another clip or stop this player.
    std::shared_ptr<platform::AudioPlayback> keep = *it;
    std::function<void()> completion = finished;
    keep->setFinishedHandler(nullptr);
    m_audioPlayers.erase(it);
    if (completion)
        completion();
}

void VOAmrPlayer::stop()
{
    if (!m_audioPlayer || !m_audioPlayer->isPlaying())
        return;
    m_audioPlayer->stop();
    m_audioPlayers.erase(m_audioPlayer);
}

void VOAmrPlayer::setSpeakMode(bool loudspeaker)
{
    platform::AudioDevice::speaker()->setLoudspeaker(loudspeaker);
}
