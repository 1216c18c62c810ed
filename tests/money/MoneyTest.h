#pragma once
// The money pages inside the running app: a scratch home and album, the app
// launched on a chosen phone, and helpers that act as the user does.
#include "support/PhoneTest.h"

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

class MoneyTest : public PhoneTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the app afresh on a phone; SetUp starts it on the iPhone 6.
    void launch(const char* device = "iphone6");
    static void settle(double seconds = 1)
    {
        advance(seconds);
        ui::Application::shared().layoutIfNeeded();
    }
    static void tapView(const ui::ViewPtr& view)
    {
        ui::Application::shared().layoutIfNeeded();
        tap(view->frameInScreen().center());
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
    // A PNG in the album with a gradient and noise, so that a low JPEG quality shows.
    std::string albumPhoto(const std::string& name, int width, int height);
    static std::string nameOf(const ui::ImagePtr& image) { return image ? image->name() : "(none)"; }

    std::unique_ptr<chattest::TemporaryHome> home;
    std::filesystem::path album;
    std::shared_ptr<ui::NavigationController> navigation;
};
