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

std::optional<std::string> AlbumScreenshot::take(std::string& whyNot)
{
    auto fail = [&](std::string reason) -> std::optional<std::string> {
        whyNot = std::move(reason);
        platform::log::line("shell", whyNot);
        return std::nullopt;
    };
    std::string folder = platform::folders::albumFolder();
    if (!platform::folders::makeFolders(folder))
        return fail("the screenshot was not saved: cannot make the album folder " + folder);
    std::string name = fileName(platform::MainQueue::shared().now());
    std::string path = platform::folders::join(folder, name);
    // Two screenshots within one second keep both pictures.
    std::error_code error;
    for (int copy = 2; std::filesystem::exists(path, error); ++copy)
        path = platform::folders::join(folder, name.substr(0, name.size() - 4) + " " + std::to_string(copy) + ".png");
    if (error)
        return fail("the screenshot was not saved: cannot look into the album folder " + folder + ": " + error.message());
    if (!ScreenCapture::writePng(path))
        return fail("the screenshot was not saved: cannot write " + path);
    ui::NotificationCenter::shared().post(kNotification);
    return path;
}

} // namespace shell
