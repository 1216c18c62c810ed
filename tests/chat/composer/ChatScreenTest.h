#pragma once
// The chat screen as the user meets it: the app launched on a phone, the
// screen pushed onto its navigation stack, a scratch home for the store and
// an album folder of its own. Helpers act as the user does: taps at points,
// typing, panel items, emoji keys, long presses and swipes.
#include "support/PhoneTest.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../RecordTestSupport.h"
#include "app/AppDelegate.h"
#include "chat/composer/ChatStore.h"
#include "chat/composer/QYChatViewController.h"
#include "chat/store/HLObjectValue.h"
#include "platform/Folders.h"
#include "ui/Application.h"
#include "ui/ImagePickerController.h"
#include "ui/Keyboard.h"
#include "ui/MenuController.h"
#include "ui/NavigationController.h"
#include "ui/Window.h"

class ChatScreenTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        home = std::make_unique<chattest::TemporaryHome>();
        album = std::filesystem::path(home->path()) / "album";
        std::filesystem::create_directories(album);
        platform::folders::setAlbumFolder(album.string());
    }
    void TearDown() override
    {
        AppDelegate::shared().terminate();
        ui::ImagePickerController::setCaptureDevice({});
        platform::folders::setAlbumFolder({});
        chat.reset();
        navigation.reset();
        PhoneTest::TearDown();
        home.reset();
    }

    void launch(const char* device = "iphone6")
    {
        useDevice(device);
        AppDelegate::shared().terminate();
        ASSERT_TRUE(AppDelegate::shared().didFinishLaunching());
        navigation = AppDelegate::shared().navigationController();
        ui::Application::shared().layoutIfNeeded();
    }

    // Pushes a new chat screen of `type` as the preset form does and waits for it.
    std::shared_ptr<QYChatViewController> open(int type, const std::function<void(QYChatViewController&)>& configure = {})
    {
        if (!navigation)
            launch();
        chat = std::make_shared<QYChatViewController>();
        chat->setType(type);
        chat->setMeNicek(std::string("我自己"));
        chat->setHeNick(std::string("小明"));
        chat->setMeAvatar(meAvatar);
        chat->setHeAvatar(heAvatar);
        if (configure)
            configure(*chat);
        navigation->pushViewController(chat, true);
        advance(1);
        ui::Application::shared().layoutIfNeeded();
        return chat;
    }

    static void tapView(const ui::View& view) { tap(view.frameInScreen().center()); }
    static void settle()
    {
        advance(1);
        ui::Application::shared().layoutIfNeeded();
    }

    // Focuses the composer, types `text` and presses the send key.
    void send(const std::u16string& text)
    {
        auto field = chat->toolBar()->msgTextView();
        if (!field->isFirstResponder())
            tapView(*field);
        field->insertText(text);
        field->insertText(u"\n");
        ui::Application::shared().layoutIfNeeded();
    }
    // Opens the more panel (when closed) and taps item `index`.
    void chooseItem(int index)
    {
        auto bar = chat->toolBar();
        // A panel closed by a tap elsewhere leaves "+" selected; its next
        // tap brings the keyboard, the one after it the panel.
        auto panelOpen = [&] {
            return bar->isShowBottomView() && !bar->moreView()->isHidden() && !ui::Keyboard::shared().isVisible();
        };
        for (int taps = 0; taps < 2 && !panelOpen(); ++taps) {
            tapView(*bar->moreButton());
            settle();
        }
        tapView(*bar->moreView()->cellAtIndex(index)->itemButton());
        ui::Application::shared().layoutIfNeeded();
    }
    void speakAsMe() { chooseItem(0); }
    void speakAsOther() { chooseItem(1); }
    // Opens the emoji keyboard (when closed) and taps key `key` of page `page`.
    void tapFaceKey(int page, int key)
    {
        auto bar = chat->toolBar();
        if (!bar->faceButton()->isSelected()) {
            tapView(*bar->faceButton());
            settle();
        }
        tapView(*bar->faceViewManager()->pages()[size_t(page)]->buttons()[size_t(key)]);
    }
    void tapDeleteKey() { tapFaceKey(0, 23); }

    // A long press on the bubble of `row`, then the menu item `title`.
    void chooseFromRowMenu(int row, const std::string& title);
    void pressBack()
    {
        tapView(*chat->backButton());
        settle();
    }
    void swipeBack()
    {
        drag({ 5, 300 }, { 320, 300 });
        settle();
    }

    std::vector<QYChatModelPtr> rows() const
    {
        std::vector<QYChatModelPtr> list;
        for (auto& row : chat->baseTableView()->dataSour()->elements())
            list.push_back(std::dynamic_pointer_cast<QYChatModel>(row));
        return list;
    }
    static std::vector<QYChatModelPtr> stored(int type)
    {
        std::vector<QYChatModelPtr> list;
        auto collection = HLObjectValue::hl_objectWithKey<coding::Collection>(ChatStore::chatKey(type));
        if (collection) {
            for (auto& row : collection->elements())
                list.push_back(std::dynamic_pointer_cast<QYChatModel>(row));
        }
        return list;
    }
    static std::vector<std::u16string> texts(const std::vector<QYChatModelPtr>& list)
    {
        std::vector<std::u16string> result;
        for (auto& row : list)
            result.push_back(row ? coding::text(row->context()) : u"?");
        return result;
    }
    // A flat picture of one colour.
    static ui::ImagePtr picture(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b);
    // Writes a PNG into the album, `secondsAgo` old.
    std::string albumPicture(const std::string& name, int width, int height, double secondsAgo);
    // Taps picture `index` (oldest first) in the visible photo picker.
    void pickFromAlbum(size_t index);

    std::unique_ptr<chattest::TemporaryHome> home;
    std::filesystem::path album;
    std::shared_ptr<ui::NavigationController> navigation;
    std::shared_ptr<QYChatViewController> chat;
    ui::ImagePtr meAvatar = picture(80, 80, 30, 144, 255);
    ui::ImagePtr heAvatar = picture(80, 80, 255, 120, 40);
};
