#include "chat/composer/ChatScreens.h"

#include "app/home/HomeRoutes.h"
#include "chat/composer/QYPresetViewController.h"

void registerChatScreens()
{
    HomeRoutes::registerScreen(HomeRoutes::Route::Preset, [](int chatType) {
        auto preset = std::make_shared<QYPresetViewController>();
        preset->setType(chatType);
        return preset;
    });
}
