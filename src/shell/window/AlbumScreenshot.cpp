#include "shell/window/AlbumScreenshot.h"

#include <filesystem>

#include "platform/Folders.h"
#include "platform/Locale.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "shell/ScreenCapture.h"
#include "ui/NotificationCenter.h"

namespace shell {

std::string AlbumScreenshot::fileName(double seconds)
{
    return "截屏 " + platform::locale::formatDate(seconds, "yyyy-MM-dd HH.mm.ss") + ".png";
}

std::optional<std::string> AlbumScreenshot::take()
{
    std::string folder = platform::folders::albumFolder();
    if (!platform::folders::makeFolders(folder)) {
        platform::log::line("shell", "cannot make the album folder " + folder);
        return std::nullopt;
    }
    std::string name = fileName(platform::MainQueue::shared().now());
    std::string path = platform::folders::join(folder, name);
    // Two screenshots within one second keep both pictures.
    for (int copy = 2; std::filesystem::exists(path); ++copy)
        path = platform::folders::join(folder, name.substr(0, name.size() - 4) + " " + std::to_string(copy) + ".png");
    if (!ScreenCapture::writePng(path)) {
        platform::log::line("shell", "cannot write the screenshot " + path);
        return std::nullopt;
    }
    ui::NotificationCenter::shared().post(kNotification);
    return path;
}

} // namespace shell
