#pragma once
#include <memory>
#include <string>
#include <vector>

#include "chat/records/ChatStyle.h"
#include "chat/records/QYUserModel.h"
#include "composer/ChatStore.h"
#include "widgets/FormBuilder.h"
#include "ui/Button.h"
#include "ui/ImagePickerController.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"
#include "ui/TextField.h"
#include "ui/ViewController.h"

// The form filled before composing: both participants' avatars and nicknames,
// the chat background and the unread count, saved per chat type. "开始" saves
// the form and opens the chat screen with its values.
//
// The views exist once the screen's view has loaded; every operation below
// loads it first, so they may be called in any order.
class QYPresetViewController : public ui::ViewController {
public:
    // Which picture a choice sheet is about; the tags of the tap areas.
    enum PictureTag { OwnAvatar = 1, OtherAvatar = 2, Background = 4 };

    static constexpr double kKeyboardHeight = 216;
    // Where the view rests: below the status bar and the opaque navigation bar.
    static constexpr double kRestingY = 64;

    std::string className() const override { return "QYPresetViewController"; }

    ChatStyle type() const { return m_type; }
    void setType(ChatStyle type) { m_type = type; }
    // The store key of this chat style's participants record.
    std::string storeKey() const { return ChatStore::userKey(m_type); }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    // A touch that ends on the view itself (not taken by a control or the
    // form's tap) puts the keyboard away.
    void touchesEnded(const ui::TouchList& touches) override;

    // Shows what is stored for this chat type; with nothing stored the form
    // keeps what it shows.
    void initData();
    // Saves the form as it is under this chat type's key.
    void saveUserData();
    // Offers the picture choices for the sender's tag (1 own avatar, 2 other
    // avatar, 4 background; 3 does nothing).
    void setImageAction(ui::View& sender);
    // Saves the form and opens the chat screen with its values.
    void startChat(ui::Control& sender);
    void dissKeyBoard();

    // What a picker hands back: a picture for the sheet's target.
    void didFinishPickingMedia(ui::ImagePickerController& picker, const ui::ImagePickerInfo& info);
    // Esc puts the keyboard away as a tap beside the fields does, the form
    // back in its resting place.
    bool closeForEscape() override;
    // A picture file dropped on an avatar or background row is taken as if
    // picked for that row; other drops are left to others.
    bool acceptDroppedFile(const std::string& path, ui::Point screenPoint) override;

    // The form's parts, for the screen's callers and tests.
    const std::shared_ptr<QYUserModel>& model() const { return m_model; }
    int typeAction() const { return m_typeAction; }
    const ui::ImagePtr& meAvatar() const { return m_meAvatar; }
    const ui::ImagePtr& heAvatar() const { return m_heAvatar; }
    const std::shared_ptr<ui::ScrollView>& scrollView() const { return m_scrollView; }
    const std::shared_ptr<ui::View>& contentView() const { return m_contentView; }
    const std::shared_ptr<ui::ImageView>& meImageView() const { return m_meImageView; }
    const std::shared_ptr<ui::ImageView>& heImageView() const { return m_heImageView; }
    const std::shared_ptr<ui::ImageView>& backImageView() const { return m_backImageView; }
    const std::shared_ptr<ui::Label>& defaLable() const { return m_defaLable; }
    const std::shared_ptr<ui::TextField>& meNick() const { return m_meNick; }
    const std::shared_ptr<ui::TextField>& nickText() const { return m_nickText; }
    const std::shared_ptr<ui::TextField>& unReadNum() const { return m_unReadNum; }
    const std::shared_ptr<ui::Button>& startBtn() const { return m_startBtn; }
    const std::shared_ptr<ui::View>& bannerView() const { return m_banner; }
    // The white groups, top to bottom.
    const std::vector<std::shared_ptr<ui::View>>& groups() const { return m_groups; }

private:
    // What the form's callbacks hold: they never keep the screen alive.
    std::weak_ptr<QYPresetViewController> weakThis();
    void initUI();
    // A field that lifts the form while edited and puts the keyboard away on Done.
    std::shared_ptr<ui::TextField> addField(FormBuilder& form, const FormBuilder::Row& row, const char* placeholder);
    // A tap on the row offers the pictures for `tag`.
    void addTapArea(FormBuilder& form, int row, int tag);

    void endAllEditing();
    void moveToRestingFrame();
    void liftForEditing(ui::TextField& field);
    void sheetChoseButton(int buttonIndex);
    void showBackgroundPicture(ui::ImagePtr picture);
    void clearBackgroundPicture();
    void presentPicker(ui::ImagePickerController::SourceType source, bool animated);
    void dismissPicker(ui::ImagePickerController& picker);
    void pickerSourceUnavailable();
    // Shows and saves a picked picture for `m_typeAction`.
    void usePickedPicture(const ui::ImagePtr& original);

    ChatStyle m_type = ChatStyle::Messenger;
    int m_typeAction = 0;
    std::shared_ptr<QYUserModel> m_model;
    ui::ImagePtr m_meAvatar;
    ui::ImagePtr m_heAvatar;
    // Set while a picker covers the screen: its going away is no reason to
    // read the store again over what the user typed.
    bool m_pickerShown = false;

    std::shared_ptr<ui::ScrollView> m_scrollView;
    std::shared_ptr<ui::View> m_contentView;
    std::vector<std::shared_ptr<ui::View>> m_groups;
    // The invisible rows that offer pictures (avatars, background).
    std::vector<std::shared_ptr<ui::View>> m_tapAreas;
    std::shared_ptr<ui::ImageView> m_meImageView;
    std::shared_ptr<ui::ImageView> m_heImageView;
    std::shared_ptr<ui::ImageView> m_backImageView;
    std::shared_ptr<ui::Label> m_defaLable;
    std::shared_ptr<ui::TextField> m_meNick;
    std::shared_ptr<ui::TextField> m_nickText;
    std::shared_ptr<ui::TextField> m_unReadNum;
    std::shared_ptr<ui::Button> m_startBtn;
    std::shared_ptr<ui::View> m_banner;
};
