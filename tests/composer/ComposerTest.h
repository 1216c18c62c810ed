#pragma once
// The composer screens inside the running app, and helpers that act as the user does.
#include "support/AppTest.h"

#include <filesystem>
#include <functional>

#include "chat/RecordTestSupport.h"
#include "composer/QYChatViewController.h"
#include "composer/QYPresetViewController.h"
#include "chat/store/HLObjectValue.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"

class QYRedPacViewController;

class ComposerTest : public AppTest {
protected:
    void TearDown() override;

    // The preset form for `type`, opened by a tap on the home screen's button.
    std::shared_ptr<QYPresetViewController> openPreset(int type);
    // Replaces the field's text by typing and presses Done.
    static void typeInto(const std::shared_ptr<ui::TextField>& field, const std::u16string& text);
    // Taps the picture row of a group (0 own avatar, 1 other's, 2 background).
    static void tapPictureRow(const QYPresetViewController& preset, size_t group);
    // Taps the row, then button `choice` of its sheet (拍照, 相册选择, 取消, 默认).
    static void choosePicture(const QYPresetViewController& preset, size_t group, int choice);
    // The form's back button, and a return to the home screen.
    void goBack()
    {
        tapView(navigation->navigationBar()->backButton());
        settle();
    }
    void popToHome()
    {
        settle();
        navigation->popToRootViewController(false);
        settle();
    }
    std::shared_ptr<QYChatViewController> topChat() const { return std::dynamic_pointer_cast<QYChatViewController>(navigation->topViewController()); }

    // A new chat screen pushed as the preset form does, configured before it loads.
    void openChat(int type, const std::function<void(QYChatViewController&)>& configure = {});
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
        tapView(chat->backButton());
        settle();
    }
    // The red-packet form presented by item 4, in its own stack.
    std::shared_ptr<QYRedPacViewController> openRedPacketForm();
    // A red packet of `amount` sent through that form.
    void makeRedPacket(const std::u16string& amount, const std::u16string& blessing = {});
    // Item 5, the amount typed into its prompt, then button `button` (1 sends).
    void makeTransfer(const std::u16string& amount, int button = 1);
    // Installs a microphone hearing a steady tone.
    void useMicrophone();
    // Holds the press-to-talk button for `seconds`, releasing inside or outside.
    void holdToTalk(double seconds, bool releaseOutside = false);
    std::vector<QYChatModelPtr> rows() const { return rowsOf(chat->baseTableView()->dataSour()); }

    // What is stored, read by the keys the app has always used.
    static std::shared_ptr<QYUserModel> storedUser(int type) { return HLObjectValue::hl_objectWithKey<QYUserModel>(type == 1 ? "USERMODEL" : "USERMODELALI"); }
    static std::vector<QYChatModelPtr> stored(int type) { return rowsOf(HLObjectValue::hl_objectWithKey<coding::Collection>(type == 1 ? "CHAT" : "CHATALI")); }
    static std::vector<QYChatModelPtr> rowsOf(const coding::CollectionPtr& collection);
    static std::vector<std::u16string> texts(const std::vector<QYChatModelPtr>& list);
    static std::vector<std::uint8_t> bytesOf(const coding::DataPtr& data) { return data ? data->bytes() : std::vector<std::uint8_t> {}; }
    // Picks the album photo in the picker on screen.
    static void pickFromAlbum(const std::string& path);
    static ui::ImagePtr plain(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b);

    std::shared_ptr<QYChatViewController> chat;
    ui::ImagePtr meAvatar = plain(80, 80, 30, 144, 255);
    ui::ImagePtr heAvatar = plain(80, 80, 255, 120, 40);
};
