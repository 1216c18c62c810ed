#include "MoneyTest.h"

#include "app/AppDelegate.h"
#include "app/ScreenRoutes.h"
#include "app/home/HomeRoutes.h"
#include "app/home/ViewController.h"
#include "money/balance/QYAliBalanceViewController.h"
#include "money/balance/QYEditNickBlanceViewController.h"
#include "money/wallet/QYMoneyViewController.h"
#include "platform/Folders.h"
#include "platform/ImageCodec.h"
#include "ui/Application.h"
#include "ui/ImagePickerController.h"
#include "ui/Keyboard.h"
#include "widgets/QYNoticeHUD.h"

namespace fs = std::filesystem;

void MoneyTest::SetUp()
{
    PhoneTest::SetUp();
    home = std::make_unique<chattest::TemporaryHome>();
    album = fs::path(home->path()) / "album";
    fs::create_directories(album);
    platform::folders::setAlbumFolder(album.string());
    launch();
}

void MoneyTest::TearDown()
{
    AppDelegate::shared().terminate();
    HomeRoutes::clear();
    ui::ImagePickerController::setCaptureDevice({});
    ui::Keyboard::shared().reset();
    platform::folders::setAlbumFolder({});
    navigation.reset();
    PhoneTest::TearDown();
    home.reset();
}

void MoneyTest::launch(const char* device)
{
    useDevice(device);
    ui::Image::clearCache(); // pictures for this phone's scale
    AppDelegate::shared().terminate();
    HomeRoutes::clear();
    installScreenRoutes();
    ASSERT_TRUE(AppDelegate::shared().didFinishLaunching());
    ui::Application::shared().layoutIfNeeded();
    navigation = AppDelegate::shared().navigationController();
    settle(6); // any notice of an earlier launch has gone
}

void MoneyTest::typeText(const std::u16string& text, int deletions)
{
    auto responder = ui::Application::shared().firstResponder();
    auto field = std::dynamic_pointer_cast<ui::TextField>(responder);
    ASSERT_TRUE(field) << "no field has the keyboard";
    for (int i = 0; i < deletions; ++i)
        field->deleteBackward();
    if (!text.empty())
        field->insertText(text);
}

void MoneyTest::tapAndType(const std::shared_ptr<ui::TextField>& field, const std::u16string& text, int deletions)
{
    tapView(field);
    advance(0.5);
    ASSERT_TRUE(field->isFirstResponder());
    typeText(text, deletions);
}

std::shared_ptr<QYMoneyViewController> MoneyTest::openWallet()
{
    auto homeScreen = std::static_pointer_cast<::ViewController>(navigation->viewControllers().front());
    tapView(homeScreen->moneyButton());
    settle();
    auto wallet = std::dynamic_pointer_cast<QYMoneyViewController>(navigation->topViewController());
    EXPECT_TRUE(wallet);
    return wallet;
}

std::shared_ptr<QYAliBalanceViewController> MoneyTest::openBalance()
{
    auto homeScreen = std::static_pointer_cast<::ViewController>(navigation->viewControllers().front());
    homeScreen->scrollView()->setContentOffset(homeScreen->scrollView()->maximumOffset());
    tapView(homeScreen->balanceButton());
    settle(0.6); // slid in, while a first launch's notice (under a second) still shows
    auto page = std::dynamic_pointer_cast<QYAliBalanceViewController>(navigation->topViewController());
    EXPECT_TRUE(page);
    return page;
}

std::shared_ptr<QYEditNickBlanceViewController> MoneyTest::openEditor(const ui::ViewPtr& target)
{
    tapView(target);
    settle();
    auto editor = std::dynamic_pointer_cast<QYEditNickBlanceViewController>(navigation->topViewController());
    EXPECT_TRUE(editor);
    return editor;
}

void MoneyTest::saveInEditor(const std::shared_ptr<QYEditNickBlanceViewController>& editor, const std::u16string& first,
    const std::u16string& second)
{
    for (auto& [field, text] : { std::pair { editor->textField(), first }, std::pair { editor->blanceText(), second } }) {
        tapView(field);
        advance(0.3);
        while (!field->text().empty())
            field->deleteBackward();
        field->insertText(text);
    }
    tapView(editor->doneButton());
    settle();
}

void MoneyTest::popToHome()
{
    settle();
    navigation->popToRootViewController(false);
    settle();
}

std::string MoneyTest::notice()
{
    auto hud = QYNoticeHUD::sharedView();
    return hud->isVisible() ? hud->status() : std::string();
}

std::string MoneyTest::albumPhoto(const std::string& name, int width, int height)
{
    platform::PixelBuffer image { width, height, width * 4, std::vector<std::uint8_t>(size_t(width) * size_t(height) * 4) };
    unsigned state = 2654435761u;
    for (size_t i = 0; i < image.pixels.size(); i += 4) {
        state = state * 1103515245u + 12345u;
        int x = int(i / 4) % width, y = int(i / 4) / width;
        image.pixels[i] = std::uint8_t(x * 255 / width);
        image.pixels[i + 1] = std::uint8_t(y * 255 / height);
        image.pixels[i + 2] = std::uint8_t(state >> 24);
        image.pixels[i + 3] = 0xFF;
    }
    auto path = (album / name).string();
    EXPECT_TRUE(platform::imagecodec::writePng(path, image));
    return path;
}
