#pragma once
// The chat screen as the user meets it: the app launched, the screen pushed
// onto its navigation stack, a scratch home and album. Helpers act as the
// user does: taps, typing, panel items, emoji keys, menus, swipes, speech.
#include "support/PhoneTest.h"

#include <filesystem>

#include "../RecordTestSupport.h"
#include "app/AppDelegate.h"
#include "chat/composer/ChatStore.h"
#include "chat/composer/QYChatViewController.h"
#include "ui/NavigationController.h"

class ChatScreenTest : public PhoneTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void launch(const char* device = "iphone6");
    // Pushes a new chat screen of `type` as the preset form does.
    void open(int type, const std::function<void(QYChatViewController&)>& configure = {});
    static void tapView(const ui::View& view) { tap(view.frameInScreen().center()); }
    static void settle();

    // Focuses the composer, types `text` and presses the send key.
    void send(const std::u16string& text);
    // Taps item `index` of the more panel, opening the panel first.
    void chooseItem(int index);
    // Taps key `key` of emoji page 0 (23 is the delete key), opening the board first.
    void tapFaceKey(int key);
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
    // Installs a microphone hearing a steady tone.
    void useMicrophone();
    // Holds the press-to-talk button for `seconds`, releasing inside or outside.
    void holdToTalk(double seconds, bool releaseOutside = false);
    // Writes a PNG into the album and taps it in the visible picker.
    std::string albumPicture(const std::string& name, int width, int height);
    void pickFromAlbum(size_t index);

    std::vector<QYChatModelPtr> rows() const;
    static std::vector<QYChatModelPtr> stored(int type);
    static std::vector<std::u16string> texts(const std::vector<QYChatModelPtr>& list);
    static ui::ImagePtr picture(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b);

    std::unique_ptr<chattest::TemporaryHome> home;
    std::filesystem::path album;
    std::shared_ptr<ui::NavigationController> navigation;
    std::shared_ptr<QYChatViewController> chat;
    ui::ImagePtr meAvatar = picture(80, 80, 30, 144, 255);
    ui::ImagePtr heAvatar = picture(80, 80, 255, 120, 40);
};
