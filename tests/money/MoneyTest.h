#pragma once
// The money pages inside the running app, and helpers that act as the user does.
#include "support/AppTest.h"

#include <filesystem>
#include <memory>
#include <string>

#include "chat/RecordTestSupport.h"
#include "chat/store/HLObjectValue.h"
#include "ui/NavigationController.h"
#include "ui/TextField.h"

class QYAliBalanceViewController;
class QYEditNickBlanceViewController;
class QYMoneyViewController;

class MoneyTest : public AppTest {
protected:
    // Any notice of an earlier launch has gone before a case begins.
    void SetUp() override
    {
        AppTest::SetUp();
        settle(6);
    }
    void launch(const char* device = "iphone6")
    {
        AppTest::launch(device);
        settle(6);
    }
    // Types into the field that has the keyboard, after deleting `deletions`
    // characters before the caret.
    static void typeText(const std::u16string& text, int deletions = 0);
    // Taps the field, then types.
    static void tapAndType(const std::shared_ptr<ui::TextField>& field, const std::u16string& text, int deletions = 0);

    // The screens, opened by taps on the home screen's buttons.
    std::shared_ptr<QYMoneyViewController> openWallet();
    std::shared_ptr<QYAliBalanceViewController> openBalance();
    // Taps a view of the balance page and returns the editor it opens.
    std::shared_ptr<QYEditNickBlanceViewController> openEditor(const ui::ViewPtr& target);
    // Replaces both fields of the open editor and taps "保存".
    void saveInEditor(const std::shared_ptr<QYEditNickBlanceViewController>& editor, const std::u16string& first,
        const std::u16string& second);
    // Leaves the page on top by the back button it offers.
    void popToHome();

    // The notice overlay's text while it is shown, else "".
    static std::string notice();
};
