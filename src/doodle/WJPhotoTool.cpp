#include "doodle/WJPhotoTool.h"

#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "platform/PhotoAlbum.h"
#include "ui/Screen.h"

WJAssetPtr WJPhotoTool::latestAssetNow()
{
    platform::log::line("photos", "system -- " + ui::Screen::main().profile().systemVersion);
    auto newest = platform::PhotoAlbum().newestPhoto();
    if (!newest)
        return nullptr;
    auto image = ui::Image::fromPhotoFile(newest->path);
    if (!image) {
        platform::log::line("photos", "cannot read the newest photo " + newest->path);
        return nullptr;
    }
    return std::make_shared<WJAsset>(newest->modificationTime, std::move(image));
}

void WJPhotoTool::latestAsset(std::function<void(const WJAssetPtr&)> completion)
{
    if (!completion)
        return;
    // Looked up when the library answers, as the phone's library does.
    platform::MainQueue::shared().async([completion = std::move(completion)] { completion(latestAssetNow()); });
}
