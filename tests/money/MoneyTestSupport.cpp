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
