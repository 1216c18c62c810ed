#pragma once
#include <memory>
#include <string>

#include "chat/records/QYBlanceModel.h"
#include "money/balance/QYEditNickBlanceViewControllerDelegate.h"
#include "ui/Button.h"
#include "ui/ImagePickerController.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ViewController.h"
#include "widgets/MyLabel.h"

// The payment-app account page: avatar, nickname, phone number, total and
// balance over the page's picture, each set by tapping it. Everything is saved
// under "BLANCE" after every change and the avatar in a picture file, so the
// page comes back as it was on the next launch. The navigation bar is hidden
// while it shows; an invisible button over the picture's top-left icon leaves.
class QYAliBalanceViewController : public ui::ViewController {
public:
    // The tap targets' tags.
    enum Tag { AvatarTag = 1, NickTag = 2, PhoneTag = 3, TotalTag = 4, BalanceTag = 5 };

    static constexpr const char* kStoreKey = "BLANCE";
    static constexpr double kAvatarJpegQuality = 0.005;

    std::string className() const override { return "QYAliBalanceViewController"; }

    // The avatar picture file: the user-image folder's path with
    // "BLANCEUSERIMAGE" appended, so the file lies beside that folder.
    static std::string avatarFilePath();

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // What a tap on a target does: the avatar menu (1) or the editor (2–5).
    void tapAction(int tag);
    // The editor's answer: shows and saves the texts.
    void doneEditNickOrNum(const std::string& nickOrNum, const std::string& phoneOrBlance, int type);
    // The picker's answers.
    void didFinishPickingMedia(ui::ImagePickerController& picker, const ui::ImagePickerInfo& info);
    void pickerDidCancel(ui::ImagePickerController& picker);

    const std::shared_ptr<QYBlanceModel>& model() const { return m_model; }
    const std::shared_ptr<ui::ImageView>& backgroundView() const { return m_backgroundView; }
    const std::shared_ptr<ui::ImageView>& avatar() const { return m_avatar; }
    const std::shared_ptr<ui::ImageView>& memberBadge() const { return m_badge; }
    const std::shared_ptr<ui::Label>& nickName() const { return m_nickName; }
    const std::shared_ptr<ui::Label>& phone() const { return m_phone; }
    const std::shared_ptr<MyLabel>& blanceSum() const { return m_blanceSum; }
    const std::shared_ptr<ui::ImageView>& eyeIcon() const { return m_eye; }
    const std::shared_ptr<ui::Label>& blance() const { return m_blance; }
    const std::shared_ptr<ui::Button>& backButton() const { return m_backButton; }
    const std::shared_ptr<ui::Button>& hintButton() const { return m_hintButton; }

private:
    std::weak_ptr<QYAliBalanceViewController> weakThis();
    void initUI();
    void initLocaData();
    void addTapTarget(const std::shared_ptr<ui::View>& view, int tag);
    std::shared_ptr<ui::Label> makeLabel(const ui::Font& font, const ui::Color& color, const char* prompt);
    // Places the total (sized to its text on the large phones), the eye after
    // it and the balance below it.
    void layoutAmounts();
    void openEditor(int type);
    void showAvatarMenu();
    void sheetChoseButton(int buttonIndex);
    void presentPicker(ui::ImagePickerController::SourceType source);
    void save();

    std::shared_ptr<QYBlanceModel> m_model;
    // Kept by the page, lent weakly to each editor.
    std::shared_ptr<QYEditNickBlanceViewControllerDelegate> m_editorDelegate;
    // The 480- and 568-point phones show the total in a fixed box that
    // shrinks its font; the others size it to its text.
    bool m_compact = false;

    std::shared_ptr<ui::ImageView> m_backgroundView;
    std::shared_ptr<ui::Button> m_backButton;
    std::shared_ptr<ui::Button> m_hintButton;
    std::shared_ptr<ui::ImageView> m_avatar;
    std::shared_ptr<ui::ImageView> m_badge;
    std::shared_ptr<ui::Label> m_nickName;
    std::shared_ptr<ui::Label> m_phone;
    std::shared_ptr<MyLabel> m_blanceSum;
    std::shared_ptr<ui::ImageView> m_eye;
    std::shared_ptr<ui::Label> m_blance;
};
