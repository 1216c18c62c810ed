#include "app/ScreenRoutes.h"

#include "app/home/HomeRoutes.h"
#include "composer/QYPresetViewController.h"
#include "doodle/QYMosaicImageViewController.h"
#include "money/balance/QYAliBalanceViewController.h"
#include "money/wallet/QYMoneyViewController.h"

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
    HomeRoutes::registerScreen(HomeRoutes::Route::WalletChange, [](int) {
        return std::make_shared<QYMoneyViewController>();
    });
    HomeRoutes::registerScreen(HomeRoutes::Route::Balance, [](int) {
        return std::make_shared<QYAliBalanceViewController>();
    });
}
