#include "app/ScreenRoutes.h"

#include "app/home/HomeRoutes.h"
#include "composer/QYPresetViewController.h"
#include "doodle/QYMosaicImageViewController.h"

void installScreenRoutes()
{
    HomeRoutes::registerScreen(HomeRoutes::Route::Preset, [](int chatType) {
        auto preset = std::make_shared<QYPresetViewController>();
        preset->setType(ChatStyle(chatType));
        return preset;
    });
    HomeRoutes::registerScreen(HomeRoutes::Route::Doodle, [](int) {
        // From the home screen the board opens blank; a photo comes through its panel.
        return std::make_shared<QYMosaicImageViewController>();
    });
}
