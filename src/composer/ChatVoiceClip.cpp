#include "composer/ChatVoiceClip.h"

#include <filesystem>

#include "widgets/FilePath.h"
#include "platform/Folders.h"
#include "platform/Uuid.h"

std::string ChatVoiceClip::newPath()
{
    return platform::folders::join(audioPath(), platform::makeUuidString() + ".amr");
}

bool ChatVoiceClip::remove(const std::string& path)
{
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(path, error))
        return false;
    std::filesystem::remove(path, error);
    // The recorder keeps a WAV copy for playback; it goes with the clip.
    std::filesystem::remove(path + ".wav", error);
    return true;
}
