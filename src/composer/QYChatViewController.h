#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "chat/records/ChatStyle.h"
#include "chat/records/QYChatModel.h"
#include "composer/ChatMessageMaker.h"
#include "composer/ChatVoiceSession.h"
#include "input/more/MorePanelItem.h"
#include "chat/records/QYUserModel.h"
#include "input/toolbar/GXMessageToolBar.h"
#include "messages/RIRingTableView.h"
#include "ui/ImagePickerController.h"
#include "ui/Label.h"
#include "ui/NotificationCenter.h"
#include "ui/TextField.h"
#include "ui/ViewController.h"
#include "ui/graphics/Image.h"
#include "voice/GXRecordManage.h"

class ChatTitleView;
struct QYRedPacViewControllerDelegate;

// The composing surface: a chat window of the chosen style in which the user
// adds messages one by one, as either speaker. The preset form sets the
// participants before pushing it; the back button saves, the edge swipe does not.
class QYChatViewController : public ui::ViewController, public GXRecordManageDelegate {
public:
    static constexpr const char* kScreenshotNotification = "UIApplicationUserDidTakeScreenshotNotification";
    static constexpr double kTipHeight = 25;
    static constexpr double kTipFadeDuration = 5;
    // The camera picker waits this long before it is presented.
    static constexpr double kCameraDelay = 0.000003;

    QYChatViewController() = default;
    ~QYChatViewController() override;

    std::string className() const override { return "QYChatViewController"; }

    // Told once, the first time a clip is recorded without a microphone.
    static constexpr const char* kNoMicrophoneNotice = "没有找到麦克风，录下的是静音";
    // A dropped sound file that cannot become a voice message.
    static constexpr const char* kUnusableVoiceNotice = "这个文件不能作为语音发送";

    // Set by the preset form before the screen is shown.
    ChatStyle type() const { return m_maker.style(); }
    void setType(ChatStyle type) { m_maker.setStyle(type); }
    const std::optional<std::string>& meNicek() const { return m_maker.meNick(); }
    void setMeNicek(std::optional<std::string> nick) { m_maker.setMeNick(std::move(nick)); }
    const std::optional<std::string>& heNick() const { return m_maker.heNick(); }
    void setHeNick(std::optional<std::string> nick) { m_maker.setHeNick(std::move(nick)); }
    const ui::ImagePtr& meAvatar() const { return m_maker.meAvatar(); }
    void setMeAvatar(ui::ImagePtr image) { m_maker.setMeAvatar(std::move(image)); }
    const ui::ImagePtr& heAvatar() const { return m_maker.heAvatar(); }
    void setHeAvatar(ui::ImagePtr image) { m_maker.setHeAvatar(std::move(image)); }
    const ui::ImagePtr& backImage() const { return m_backImage; }
    void setBackImage(ui::ImagePtr image) { m_backImage = std::move(image); }
    // The unread count for the back button; nullopt shows none.
    const std::optional<std::string>& unReadNum() const { return m_unReadNum; }
    void setUnReadNum(std::optional<std::string> count) { m_unReadNum = std::move(count); }

    // The speaker switch: true while new messages come from the own side.
    bool isSend() const { return m_isSend; }
    // True between choosing "照片"/"相机" and the picker's answer.
    bool isSendImage() const { return m_isSendImage; }
    // The participants as loaded; nullptr on first use until the back button.
    const std::shared_ptr<QYUserModel>& userModel() const { return m_userModel; }
    const std::optional<std::string>& voicePath() const { return m_voice.voicePath(); }
    const VOAmrFileInfo& fileInfo() const { return m_voice.fileInfo(); }
    const ChatTimeStampRule& timeStampRule() const { return m_maker.timeStampRule(); }

    // Parts made on first use.
    const std::shared_ptr<RIRingTableView>& baseTableView();
    const std::shared_ptr<GXMessageToolBar>& toolBar();
    const std::shared_ptr<ui::Label>& tipLabel();
    // The title in the navigation bar, and its editable nickname field.
    const std::shared_ptr<ChatTitleView>& titleView() const { return m_titleView; }
    std::shared_ptr<ui::TextField> nickText() const;
    const std::shared_ptr<ui::Button>& backButton() const { return m_backButton; }
    const std::shared_ptr<ui::ImageView>& backImageView() const { return m_backImageView; }
    // The rows of the conversation, first row first.
    const coding::CollectionPtr& dataSour();

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    // The hint strip shows `text`, then fades out over five seconds.
    void showTipLable(const std::string& text);
    // Saves participants and conversation, then leaves.
    void backAction();
    void tapBaseTableViewCloseKeyboard();
    // Whether a message made at `date` shows a time stamp (moves the reference date).
    bool isShowDateTime(double date) { return m_maker.isShowDateTime(date); }

    // From the toolbar.
    void didSelectItemWithIndex(MorePanelItem item);
    void didSendText(const std::u16string& text);
    void sendFace();
    void didSelectFaceStr(const std::optional<std::u16string>& faceStr, bool isDelete);
    void didStartRecordingVoiceAction();
    void didFinishRecoingVoiceAction();
    void didCancelRecordingVoiceAction();
    void didChangeFrameToHeight(double toHeight);

    // From the record manager.
    bool stopRecordHandler(VOAmrRecorder& handler, const VOAmrFileInfo& info) override;
    bool recorder(VOAmrRecorder& recorder, float power) override;

    // Esc closes an open emoji or more panel before it leaves the screen.
    bool closeForEscape() override;
    // A WAV or AMR file dropped on the screen becomes a voice message of the
    // current speaker; other files are left to others.
    bool acceptDroppedFile(const std::string& path, ui::Point screenPoint) override;

    // From the message list.
    void backOutClockWithClock(const QYChatModelPtr& clock, const std::function<void(bool)>& finished);
    void bubbleViewPressed(const std::string& eventName, const ui::UserInfo& userInfo);
    void headViewPressed(const QYChatModelPtr& clock);

    // From the red-packet form: the amount as it showed it and the blessing.
    void intoRedBackNum(const std::string& amount, const std::string& blessing);

    // Pictures.
    void selectImageAction();
    void photoAction();
    void didFinishPickingMedia(ui::ImagePickerController& picker, const ui::ImagePickerInfo& info);
    void imagePickerControllerDidCancel(ui::ImagePickerController& picker);

private:
    void titleViewSetup();
    void initUI();
    void initBackButton();
    void initLocaData();
    void scrollToLastRow(bool animated);
    // The current time on the main queue's clock, for new records.
    static double now();
    void append(const QYChatModelPtr& clock);
    std::shared_ptr<ui::ImagePickerController> makePicker(ui::ImagePickerController::SourceType source);
    void pickerSourceUnavailable();
    std::weak_ptr<QYChatViewController> weakSelf();

    // Hooks of the money pages, avatar replacement and the doodle offer.
    void redPacAction();
    void transfers();
    void sendTransfer(const std::u16string& amount);
    void checkRedPac(const ui::UserInfo& userInfo);
    // Marks the transfer taken in its row and appends the receipt.
    void collectTransfer(const QYChatModelPtr& clock, double tapped);
    void replaceAvatar(const ui::ImagePtr& picture);
    void userDidTakeScreenshot(const ui::Notification& notification);

    // The style and the participants; it makes every new record.
    ChatMessageMaker m_maker;
    ui::ImagePtr m_backImage;
    std::optional<std::string> m_unReadNum;

    bool m_isSend = false;
    bool m_isSendImage = false;
    std::shared_ptr<QYUserModel> m_userModel;
    ChatVoiceSession m_voice;
    QYChatModelPtr m_selectModel;
    // Bumped by every hint, so an older fade does not hide a newer hint.
    unsigned m_tipGeneration = 0;

    std::shared_ptr<RIRingTableView> m_baseTableView;
    std::shared_ptr<GXMessageToolBar> m_toolBar;
    std::shared_ptr<ui::Label> m_tipLabel;
    std::shared_ptr<ChatTitleView> m_titleView;
    std::shared_ptr<ui::Button> m_backButton;
    std::shared_ptr<ui::ImageView> m_backImageView;
    std::shared_ptr<GXMessageToolBarDelegate> m_toolBarDelegate;
    std::shared_ptr<RIRingTableViewDelegate> m_ringTableDelegate;
    ui::NotificationCenter::Token m_screenshotObserver = 0;
    // The red-packet form holds its delegate weakly.
    std::shared_ptr<QYRedPacViewControllerDelegate> m_redPacDelegate;
};
