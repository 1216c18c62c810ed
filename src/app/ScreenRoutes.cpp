#include "app/ScreenRoutes.h"

#include "app/home/HomeRoutes.h"
#include "composer/QYPresetViewController.h"

void installScreenRoutes()
{
    HomeRoutes::registerScreen(HomeRoutes::Route::Preset, [](int chatType) {
        auto preset = std::make_shared<QYPresetViewController>();
        preset->setType(chatType);
        return preset;
    });
}
