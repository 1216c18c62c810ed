#include "composer/ChatScreenshotOffer.h"

#include "doodle/QYMosaicImageViewController.h"
#include "doodle/WJPhotoTool.h"
#include "platform/MainQueue.h"
#include "ui/NavigationController.h"

std::shared_ptr<ui::AlertView> ChatScreenshotOffer::show(const std::weak_ptr<ui::ViewController>& chat)
{
    auto alert = ui::AlertView::make(std::string(), std::string(kMessage), std::string(kGoNow), { kLater });
    alert->setTag(kAlertTag);
    alert->clickedButtonAtIndex = [chat](ui::AlertView&, int index) {
        if (index == 0)
            openNewestPhoto(chat);
    };
    alert->show();
    return alert;
}

void ChatScreenshotOffer::openNewestPhoto(const std::weak_ptr<ui::ViewController>& chat)
{
    platform::MainQueue::shared().after(kDelay, [chat] {
        if (chat.expired())
            return;
        WJPhotoTool::latestAsset([chat](const WJAssetPtr& asset) {
            auto screen = chat.lock();
            if (!screen || !screen->navigationController())
                return;
            auto doodle = std::make_shared<QYMosaicImageViewController>();
            doodle->setImage(asset ? asset->image : nullptr);
            screen->navigationController()->pushViewController(doodle, true);
        });
    });
}
