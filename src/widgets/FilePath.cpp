#include "widgets/FilePath.h"

#include "platform/Folders.h"

using namespace platform;

std::string documentPath()
{
    return folders::documentsFolder();
}

static std::string madeSubfolder(const char* name)
{
    std::string path = folders::join(documentPath(), name);
    folders::makeFolders(path);
    return path;
}

std::string audioPath() { return madeSubfolder("audio"); }
std::string userImagePath() { return madeSubfolder("userImge"); }
std::string videoPath() { return madeSubfolder("video"); }
std::string videoImagePath() { return madeSubfolder("videoImagePath"); }
