#include "composer/QYChatViewController.h"

#include "composer/QYettingViewController.h"
#include "composer/ChatBackButton.h"
#include "composer/ChatDroppedVoice.h"
#include "composer/ChatFaceEditing.h"
#include "composer/ChatAvatarChange.h"
#include "composer/ChatMoneyActions.h"
#include "composer/ChatMoneyTaps.h"
#include "composer/ChatScreenshotOffer.h"
#include "composer/ChatStore.h"
#include "composer/ChatTitleView.h"
#include "composer/ComposerPicker.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "messages/RIRouterEvents.h"
#include "widgets/QYNoticeHUD.h"
#include "ui/Animation.h"
#include "ui/GestureRecognizer.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/WeakBind.h"
#include "widgets/AppStyle.h"
#include "widgets/QYNoticeHUD.h"

namespace {

constexpr const char* kOtherSideHint = "现在为对方说话状态，点键盘+号切换状态";
constexpr const char* kOwnSideHint = "现在为自己说话状态，点键盘+号切换状态";
// Our own words: shown when the back button cannot save the chat.
constexpr const char* kSaveFailedNotice = "保存失败，聊天仍在此页，请稍后重试";

} // namespace

QYChatViewController::~QYChatViewController()
{
    ui::NotificationCenter::shared().removeObserver(m_screenshotObserver);
}

std::weak_ptr<QYChatViewController> QYChatViewController::weakSelf()
{
    return std::static_pointer_cast<QYChatViewController>(shared_from_this());
}

// MARK: - Building the screen

void QYChatViewController::viewDidLoad()
{
    m_screenshotObserver = ui::NotificationCenter::shared().addObserver(shared_from_this(), kScreenshotNotification,
        ui::weakBind(this, &QYChatViewController::userDidTakeScreenshot));

    view()->setBackgroundColor(appColor(AppColor::ChatBackground));

    m_isSend = false;
    titleViewSetup();
    m_isSendImage = false;

    // An empty nickname keeps the field's invitation to edit it.
    const auto& heNickName = heNick();
    if (!(heNickName && heNickName->empty()))
        nickText()->setText(std::string_view(heNickName.value_or("")));

    initUI();
    initBackButton();
    initLocaData();
}

void QYChatViewController::titleViewSetup()
{
    m_titleView = std::make_shared<ChatTitleView>();
    auto weak = weakSelf();
    nickText()->shouldReturn = [weak](ui::TextField& field) {
        field.resignFirstResponder();
        if (auto self = weak.lock())
            self->setHeNick(field.utf8Text());
        return true;
    };
    navigationItem().titleView = m_titleView;
}

std::shared_ptr<ui::TextField> QYChatViewController::nickText() const
{
    return m_titleView ? m_titleView->nickText() : nullptr;
}

void QYChatViewController::initUI()
{
    auto root = view();
    if (m_backImage) {
        m_backImageView = std::make_shared<ui::ImageView>(root->bounds());
        m_backImageView->setImage(m_backImage);
        m_backImageView->setContentMode(ui::ContentMode::ScaleAspectFill);
        m_backImageView->setClipsToBounds(true);
        // The view is still screen-high here; the picture keeps filling it
        // once the navigation stack gives it its place under the bar.
        m_backImageView->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
        root->addSubview(m_backImageView);
    }

    GXRecordManage::defaultManager()->setDelegate(std::static_pointer_cast<QYChatViewController>(shared_from_this()));

    auto weak = weakSelf();
    auto tips = ui::BarButtonItem::withImage(ui::Image::named(isMessenger(type()) ? "QYUsericon.png" : "QYPay_Chaticon.png"), [weak] {
        auto self = weak.lock();
        if (!self)
            return;
        if (auto* navigation = self->navigationController())
            navigation->pushViewController(std::make_shared<QYettingViewController>(), true);
    });
    navigationItem().rightBarButtonItem = tips;

    root->addSubview(toolBar());
    root->addSubview(baseTableView());
    root->addSubview(tipLabel());

    showTipLable(kOtherSideHint);

    // Bars made from now on (the money pages' own stacks) take the style's look.
    auto& look = ui::NavigationBarAppearance::defaults();
    if (isMessenger(type()))
        look.backgroundImage = ui::Image::named("QYNavigation_bar_2.png");
    else
        look.barTintColor = appColor(AppColor::PaymentBarTint);
}

void QYChatViewController::initBackButton()
{
    m_backButton = ChatBackButton::make(type(), m_unReadNum);
    m_backButton->addAction(ui::TouchUpInside, ui::weakBind(this, &QYChatViewController::backAction));
    navigationItem().leftBarButtonItem = ui::BarButtonItem::withCustomView(m_backButton);
}

void QYChatViewController::initLocaData()
{
    m_userModel = ChatStore::loadUser(type());
    auto conversation = ChatStore::loadConversation(type());
    if (conversation) {
        baseTableView()->setDataSour(conversation);
        // New messages share the avatar data the stored rows hold where the bytes
        // agree (the rows' own objects first: the conversation is stored on its
        // own), so each avatar is stored in it once.
        for (const auto& row : conversation->elements()) {
            if (const auto* clock = dynamic_cast<const QYChatModel*>(row.get()))
                m_maker.adoptAvatarData(clock->avatar());
        }
    }
    if (m_userModel) {
        m_maker.adoptAvatarData(m_userModel->meAvatar());
        m_maker.adoptAvatarData(m_userModel->heAvatar());
    }
    if (!conversation)
        return;
    // The view gets its final height from the navigation stack only after it
    // is built; scrolling on the next pass puts the last row right above the
    // toolbar instead of under it.
    platform::MainQueue::shared().async([scroll = ui::weakBind(this, &QYChatViewController::scrollToLastRow)] { scroll(true); });
}

void QYChatViewController::viewWillAppear(bool)
{
    auto* navigation = navigationController();
    if (!navigation)
        return;
    auto bar = navigation->navigationBar();
    bar->setBackgroundImage(ui::Image::named("QYNavigation_bar.png"));
    bar->setTintColor(ui::Color::whiteColor());
}

// MARK: - Parts made on first use

// Each getter loads the view first: building the view makes the parts, and
// a part made here before that would be replaced by the view's own.
const std::shared_ptr<GXMessageToolBar>& QYChatViewController::toolBar()
{
    ui::Rect bounds = view()->bounds();
    if (m_toolBar)
        return m_toolBar;
    double height = GXMessageToolBar::defaultHeight();
    m_toolBar = GXMessageToolBar::make({ 0, bounds.height() - height, bounds.width(), height }, styleValue(type()));
    m_toolBar->setAutoresizingMask(ui::FlexibleTopMargin | ui::FlexibleRightMargin);

    auto delegate = std::make_shared<GXMessageToolBarDelegate>();
    delegate->didStartRecordingVoiceAction = ui::weakBind(this, &QYChatViewController::didStartRecordingVoiceAction);
    delegate->didFinishRecoingVoiceAction = ui::weakBind(this, &QYChatViewController::didFinishRecoingVoiceAction);
    delegate->didCancelRecordingVoiceAction = ui::weakBind(this, &QYChatViewController::didCancelRecordingVoiceAction);
    delegate->sendFace = ui::weakBind(this, &QYChatViewController::sendFace);
    delegate->didSendText = ui::weakBind(this, &QYChatViewController::didSendText);
    delegate->didChangeFrameToHeight = ui::weakBind(this, &QYChatViewController::didChangeFrameToHeight);
    auto chooseItem = ui::weakBind(this, &QYChatViewController::didSelectItemWithIndex);
    delegate->didSelectItemWithIndex = [chooseItem](int index, const GXMoreItemPtr&) { chooseItem(MorePanelItem(index)); };
    delegate->didSelectFaceStr = ui::weakBind(this, &QYChatViewController::didSelectFaceStr);
    m_toolBarDelegate = delegate;
    m_toolBar->setDelegate(m_toolBarDelegate);
    return m_toolBar;
}

const std::shared_ptr<RIRingTableView>& QYChatViewController::baseTableView()
{
    ui::Rect bounds = view()->bounds();
    if (m_baseTableView)
        return m_baseTableView;
    m_baseTableView = std::make_shared<RIRingTableView>(ui::Rect { 0, 0, bounds.width(), toolBar()->frame().y() });
    m_baseTableView->setSeparatorStyle(ui::TableViewSeparatorStyle::None);
    m_baseTableView->setBackgroundColor(ui::Color::clearColor());
    // The list ends where the toolbar starts, also after the navigation stack
    // has taken the bars' height off the view.
    m_baseTableView->setAutoresizingMask(ui::FlexibleHeight);

    auto delegate = std::make_shared<RIRingTableViewDelegate>();
    delegate->headViewPressed = ui::weakBind(this, &QYChatViewController::headViewPressed);
    delegate->bubbleViewPressed = ui::weakBind(this, &QYChatViewController::bubbleViewPressed);
    delegate->backOutClockWithClock = ui::weakBind(this, &QYChatViewController::backOutClockWithClock);
    m_ringTableDelegate = delegate;
    m_baseTableView->setRingTableDelegate(m_ringTableDelegate);

    auto closeKeyboard = ui::weakBind(this, &QYChatViewController::tapBaseTableViewCloseKeyboard);
    m_baseTableView->addGestureRecognizer(std::make_shared<ui::TapGestureRecognizer>([closeKeyboard](ui::GestureRecognizer& recognizer) {
        if (recognizer.state() == ui::GestureRecognizer::State::Ended)
            closeKeyboard();
    }));
    return m_baseTableView;
}

const std::shared_ptr<ui::Label>& QYChatViewController::tipLabel()
{
    double width = view()->bounds().width();
    if (m_tipLabel)
        return m_tipLabel;
    m_tipLabel = std::make_shared<ui::Label>();
    m_tipLabel->setFrame({ 0, 0, width, kTipHeight });
    m_tipLabel->setBackgroundColor(appColor(AppColor::HintStrip));
    m_tipLabel->setFont(appFont(AppFont::HintStrip));
    m_tipLabel->setTextColor(ui::Color::whiteColor());
    m_tipLabel->setTextAlignment(ui::TextAlignment::Center);
    m_tipLabel->setHidden(true);
    return m_tipLabel;
}

const coding::CollectionPtr& QYChatViewController::dataSour()
{
    return baseTableView()->dataSour();
}

void QYChatViewController::showTipLable(const std::string& text)
{
    auto label = tipLabel();
    label->setText(text);
    label->setHidden(false);
    label->setAlpha(1);
    unsigned generation = ++m_tipGeneration;
    auto weak = weakSelf();
    ui::Animation::animate(kTipFadeDuration, [&] { label->setAlpha(0); }, [weak, generation](bool) {
        auto self = weak.lock();
        if (self && self->m_tipGeneration == generation)
            self->m_tipLabel->setHidden(true);
    });
}

void QYChatViewController::tapBaseTableViewCloseKeyboard()
{
    toolBar()->endEditing(true);
}

// MARK: - Leaving

void QYChatViewController::backAction()
{
    view(); // the title field is part of what is saved
    if (!m_userModel)
        m_userModel = QYUserModel::make();
    m_userModel->setHeNick(coding::String::fromUtf16(nickText()->text()));
    m_userModel->setMeAvatar(m_maker.avatarData(true, ChatMessageMaker::kSmallAvatarQuality));
    m_userModel->setHeAvatar(m_maker.avatarData(false, ChatMessageMaker::kSmallAvatarQuality));
    bool saved = ChatStore::saveUser(type(), m_userModel);
    saved = ChatStore::saveConversation(type(), dataSour()) && saved;
    if (!saved) {
        // Leaving would lose the chat; staying lets the user free space and retry.
        QYNoticeHUD::showErrorWithStatus(kSaveFailedNotice);
        return;
    }
    if (auto* navigation = navigationController())
        navigation->popViewController(true);
}

// MARK: - Speaker switch and panel items

void QYChatViewController::didSelectItemWithIndex(MorePanelItem item)
{
    switch (item) {
    case MorePanelItem::SpeakAsMe:
        m_isSend = true;
        showTipLable(kOwnSideHint);
        break;
    case MorePanelItem::SpeakAsOther:
        m_isSend = false;
        showTipLable(kOtherSideHint);
        break;
    case MorePanelItem::Photo:
        toolBar()->endEditing(true);
        m_isSendImage = true;
        selectImageAction();
        break;
    case MorePanelItem::Camera:
        toolBar()->endEditing(true);
        m_isSendImage = true;
        photoAction();
        break;
    case MorePanelItem::RedPacket:
        toolBar()->endEditing(true);
        redPacAction();
        break;
    case MorePanelItem::Transfer:
        toolBar()->endEditing(true);
        transfers();
        break;
    case MorePanelItem::ClearScreen:
        toolBar()->endEditing(true);
        baseTableView()->dataSour()->removeAll();
        baseTableView()->reloadData();
        break;
    default:
        break;
    }
}

// MARK: - Making messages

double QYChatViewController::now()
{
    return platform::MainQueue::shared().now();
}

void QYChatViewController::append(const QYChatModelPtr& clock)
{
    baseTableView()->addRingWithClock(clock, [](const ui::IndexPath&) { });
}

void QYChatViewController::didSendText(const std::u16string& text)
{
    append(m_maker.text(m_isSend, now(), text));
}

void QYChatViewController::sendFace()
{
    auto textView = toolBar()->msgTextView();
    didSendText(textView->text());
    textView->setText(u"");
    // The emptied field goes back to one row, as after the send key.
    toolBar()->willInputTextViewChangHeight(toolBar()->getTextViewContentHeight(*textView));
}

void QYChatViewController::didSelectFaceStr(const std::optional<std::u16string>& faceStr, bool isDelete)
{
    auto bar = toolBar();
    auto textView = bar->msgTextView();
    std::u16string text = ChatFaceEditing::apply(textView->text(), faceStr, isDelete);
    if (text != textView->text())
        textView->setText(text);
    bar->willInputTextViewChangHeight(bar->getTextViewContentHeight(*textView));
    ui::Size content = textView->contentSize();
    textView->scrollRectToVisible({ 0, content.height - 15, content.width, 10 }, false);
}

// MARK: - Voice

void QYChatViewController::didStartRecordingVoiceAction()
{
    m_voice.start();
}

void QYChatViewController::didFinishRecoingVoiceAction()
{
    m_voice.finish();
}

void QYChatViewController::didCancelRecordingVoiceAction()
{
    m_voice.cancel();
}

bool QYChatViewController::stopRecordHandler(VOAmrRecorder& handler, const VOAmrFileInfo& info)
{
    if (auto clip = m_voice.take(info))
        append(m_maker.voice(m_isSend, now(), clip->path, clip->duration));
    if (handler.takeNoMicrophoneNews())
        QYNoticeHUD::showInfoWithStatus(kNoMicrophoneNotice);
    return true;
}

bool QYChatViewController::closeForEscape()
{
    if (!m_toolBar || !m_toolBar->isShowBottomView())
        return false;
    m_toolBar->endEditing(true);
    return true;
}

bool QYChatViewController::acceptDroppedFile(const std::string& path, ui::Point screenPoint)
{
    if (!ChatDroppedVoice::isVoiceFile(path))
        return ui::ViewController::acceptDroppedFile(path, screenPoint);
    std::string whyNot;
    if (auto clip = ChatDroppedVoice::importClip(path, whyNot)) {
        append(m_maker.voice(m_isSend, now(), clip->path, clip->duration));
    } else {
        platform::log::line("chat", whyNot);
        QYNoticeHUD::showErrorWithStatus(kUnusableVoiceNotice);
    }
    return true;
}

bool QYChatViewController::recorder(VOAmrRecorder&, float power)
{
    m_voice.showLevel(power);
    return true;
}

// MARK: - Pictures

std::shared_ptr<ui::ImagePickerController> QYChatViewController::makePicker(ui::ImagePickerController::SourceType source)
{
    return makeComposerPicker(source, weakSelf(), &QYChatViewController::didFinishPickingMedia,
        &QYChatViewController::imagePickerControllerDidCancel, &QYChatViewController::pickerSourceUnavailable);
}

// Without a camera nothing is shown, so the picture that was asked for never
// comes; a later pick must not be taken for it.
void QYChatViewController::pickerSourceUnavailable()
{
    m_isSendImage = false;
}

void QYChatViewController::selectImageAction()
{
    presentViewController(makePicker(ui::ImagePickerController::SourceType::PhotoLibrary), true);
}

void QYChatViewController::photoAction()
{
    auto weak = weakSelf();
    platform::MainQueue::shared().after(kCameraDelay, [weak] {
        if (auto self = weak.lock())
            self->presentViewController(self->makePicker(ui::ImagePickerController::SourceType::Camera), true);
    });
}

void QYChatViewController::didFinishPickingMedia(ui::ImagePickerController& picker, const ui::ImagePickerInfo& info)
{
    picker.dismissViewController(true);
    bool sending = m_isSendImage;
    m_isSendImage = false;
    if (info.mediaType != ui::ImagePickerController::kMediaTypeImage || !info.originalImage)
        return;
    if (!sending) {
        replaceAvatar(info.originalImage);
        return;
    }
    auto jpeg = info.originalImage->jpegData(1.0);
    if (jpeg.empty())
        return; // a picture that cannot be encoded would be an empty bubble
    append(m_maker.picture(m_isSend, now(), std::move(jpeg)));
}

void QYChatViewController::imagePickerControllerDidCancel(ui::ImagePickerController& picker)
{
    m_isSendImage = false;
    picker.dismissViewController(true);
}

// MARK: - List callbacks

void QYChatViewController::backOutClockWithClock(const QYChatModelPtr& clock, const std::function<void(bool)>& finished)
{
    auto notice = m_maker.recallNotice(m_isSend, now(), clock);
    if (finished)
        finished(true);
    append(notice);
}

void QYChatViewController::bubbleViewPressed(const std::string& eventName, const ui::UserInfo& userInfo)
{
    if (eventName == kRIVideoBubbleViewTapVideoEventName)
        checkRedPac(userInfo);
}

void QYChatViewController::didChangeFrameToHeight(double toHeight)
{
    auto list = baseTableView();
    ui::Rect frame = list->frame();
    list->setFrame({ frame.x(), frame.y(), frame.width(), view()->bounds().height() - toHeight });
    scrollToLastRow(false);
}

void QYChatViewController::scrollToLastRow(bool animated)
{
    auto list = baseTableView();
    int rows = list->numberOfRows();
    if (rows > 0)
        list->scrollToRow(ui::IndexPath::forRow(rows - 1), ui::TableViewScrollPosition::Bottom, animated);
}

// MARK: - Money, avatar and doodle hooks

void QYChatViewController::redPacAction()
{
    m_redPacDelegate = std::make_shared<QYRedPacViewControllerDelegate>();
    m_redPacDelegate->intoRedBackNum = ui::weakBind(this, &QYChatViewController::intoRedBackNum);
    presentViewController(ChatMoneyActions::redPacketStack(styleValue(type()), m_redPacDelegate), true);
}

void QYChatViewController::intoRedBackNum(const std::string& amount, const std::string& blessing)
{
    auto clock = m_maker.message(QYChatModel::RedPacket, m_isSend, now(), true, true);
    ChatMoneyActions::fillRedPacket(*clock, amount, blessing, heNick());
    append(clock);
}

void QYChatViewController::transfers()
{
    ChatMoneyActions::showTransferPrompt(ui::weakBind(this, &QYChatViewController::sendTransfer));
}

void QYChatViewController::sendTransfer(const std::u16string& amount)
{
    auto clock = m_maker.message(QYChatModel::Transfer, m_isSend, now(), true, true);
    ChatMoneyActions::fillTransfer(*clock, amount, heNick(), m_maker.avatarData(false, ChatMessageMaker::kMessageAvatarQuality));
    append(clock);
}

void QYChatViewController::checkRedPac(const ui::UserInfo& userInfo)
{
    auto found = userInfo.find(KMESSAGEKEY);
    const auto* held = found == userInfo.end() ? nullptr : std::any_cast<QYChatModelPtr>(&found->second);
    if (!held || !*held)
        return;
    QYChatModelPtr clock = *held;
    auto action = ChatMoneyTaps::actionFor(*clock, m_isSend);
    if (action == ChatMoneyTaps::Action::RefuseOwnUncollected) {
        QYNoticeHUD::showErrorWithStatus(ChatMoneyTaps::kCollectHint);
        return;
    }
    double tapped = now();
    if (action == ChatMoneyTaps::Action::CollectAndOpenTransfer)
        collectTransfer(clock, tapped);
    if (auto* navigation = navigationController())
        navigation->pushViewController(ChatMoneyTaps::pageFor(action, clock, tapped), true);
}

void QYChatViewController::collectTransfer(const QYChatModelPtr& clock, double tapped)
{
    clock->setIsGet(true);
    // The same record stays in its row; the row is drawn again.
    const auto& rows = dataSour()->elements();
    for (std::size_t index = 0; index < rows.size(); ++index) {
        if (rows[index] == clock) {
            baseTableView()->reloadCellWithIndexPaths({ ui::IndexPath::forRow(int(index)) });
            break;
        }
    }
    append(m_maker.transferReceipt(*clock, tapped));
}

void QYChatViewController::headViewPressed(const QYChatModelPtr& clock)
{
    toolBar()->endEditing(true);
    m_selectModel = clock;
    auto weak = weakSelf();
    ChatAvatarChange::showSheet(view().get(), [weak](ChatAvatarChange::Source source) {
        auto self = weak.lock();
        if (!self)
            return;
        if (source == ChatAvatarChange::Source::Camera)
            self->photoAction();
        else
            self->selectImageAction();
    });
}

void QYChatViewController::replaceAvatar(const ui::ImagePtr& picture)
{
    if (!m_selectModel)
        return;
    bool side = m_selectModel->isSend();
    if (side)
        m_maker.setMeAvatar(picture);
    else
        m_maker.setHeAvatar(picture);
    ChatAvatarChange::applyToRows(*dataSour(), side, m_maker.avatarData(side, ChatMessageMaker::kSmallAvatarQuality));
    baseTableView()->reloadData();
}

void QYChatViewController::userDidTakeScreenshot(const ui::Notification&)
{
    ChatScreenshotOffer::show(weakSelf());
}
