#include "shell/window/FileDrop.h"

#include "platform/Log.h"
#include "shell/window/AlbumImport.h"
#include "ui/Application.h"
#include "widgets/QYNoticeHUD.h"

namespace shell {

std::optional<std::string> FileDrop::deliver(const std::string& path, ui::Point point)
{
    if (ui::Application::shared().dropFile(point, path)) {
        platform::log::line("shell", "dropped file taken by the screen: " + path);
        return std::nullopt;
    }
    std::string whyNot;
    if (auto copy = AlbumImport::copyIntoAlbum(path, whyNot)) {
        platform::log::line("shell", "added to the album: " + *copy);
        QYNoticeHUD::showSuccessWithStatus(kAddedNotice);
        return std::nullopt;
    }
    QYNoticeHUD::showErrorWithStatus(kRefusedNotice);
    return whyNot;
}

} // namespace shell
