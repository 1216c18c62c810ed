#include "voice/VoiceFolders.h"

#include "platform/Folders.h"

std::string voiceAudioFolder()
{
    std::string folder = platform::folders::join(platform::folders::documentsFolder(), "audio");
    platform::folders::makeFolders(folder);
    return folder;
}

std::string voiceRecordsFolder()
{
    std::string folder = platform::folders::join(platform::folders::temporaryFolder(), "records");
    platform::folders::makeFolders(folder);
    return folder;
}
