#include "composer/QYPresetViewController.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "widgets/AdBannerView.h"
#include "composer/ComposerPicker.h"
#include "composer/QYChatViewController.h"
#include "chat/store/HLObjectValue.h"
#include "coding/Data.h"
#include "coding/String.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "platform/PhoneValues.h"
#include "ui/ActionSheet.h"
#include "ui/Animation.h"
#include "ui/BarButtonItem.h"
#include "ui/GestureRecognizer.h"
#include "ui/NavigationController.h"
#include "ui/WeakBind.h"
#include "ui/Screen.h"
#include "widgets/AppStyle.h"
#include "widgets/FormBuilder.h"
#include "widgets/QYNoticeHUD.h"

namespace {

constexpr double kStartHeight = 50;
constexpr double kStartCornerRadius = 4;
constexpr double kMoveDuration = 0.3;
// How much the other nickname's field lifts on the 480-point phone: enough to
// clear the keyboard without pushing the own nickname off the top.
constexpr double kSmallPhoneNickLift = 60;
constexpr double kPickedJpegQuality = 0.05;
constexpr double kSavedJpegQuality = 1.0;
// Our own words: shown when the form's values cannot be stored.
constexpr const char* kSaveFailedNotice = "设置未能保存，请稍后重试";
// The camera picker waits this long on the main queue, so that the sheet has
// let go of the screen before the picker covers it.
constexpr double kCameraDelay = 0.00001;


coding::DataPtr jpegOf(const ui::ImagePtr& image, double quality)
{
    if (!image)
        return nullptr;
    auto bytes = image->jpegData(quality);
    if (bytes.empty())
        return nullptr;
    return coding::Data::make(std::move(bytes));
}

// The picture of stored bytes; nil for none and for bytes that do not decode,
// so that a damaged record never blanks a preview.
ui::ImagePtr pictureOf(const coding::DataPtr& data)
{
    if (!data || data->bytes().empty())
        return nullptr;
    return ui::Image::fromData(data->bytes());
}

} // namespace

std::weak_ptr<QYPresetViewController> QYPresetViewController::weakThis()
{
    return std::static_pointer_cast<QYPresetViewController>(sharedController());
}

void QYPresetViewController::viewDidLoad()
{
    setTitle(std::string("设置信息"));
    initUI();
}

std::shared_ptr<ui::TextField> QYPresetViewController::addField(FormBuilder& form, const FormBuilder::Row& row, const char* placeholder)
{
    auto field = form.addField(row, placeholder);
    field->didBeginEditing = ui::weakBind(this, &QYPresetViewController::liftForEditing);
    field->shouldReturn = [rest = ui::weakBind(this, &QYPresetViewController::moveToRestingFrame)](ui::TextField& editing) {
        editing.resignFirstResponder();
        rest();
        return true;
    };
    return field;
}

void QYPresetViewController::addTapArea(FormBuilder& form, int row, int tag)
{
    auto area = form.addTapArea(row, tag);
    area->addAction(ui::TouchUpInside, ui::weakBind(this, &QYPresetViewController::setImageAction));
    m_tapAreas.push_back(area);
}

void QYPresetViewController::initUI()
{
    auto root = view();
    root->setBackgroundColor(appColor(AppColor::FormBackground));

    m_scrollView = std::make_shared<ui::ScrollView>(root->bounds());
    // The view is still screen-high here; the navigation stack shortens it.
    m_scrollView->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    m_scrollView->addGestureRecognizer(std::make_shared<ui::TapGestureRecognizer>(ui::weakBind(this, &QYPresetViewController::dissKeyBoard)));
    root->addSubview(m_scrollView);

    double width = m_scrollView->bounds().width();
    m_contentView = std::make_shared<ui::View>(ui::Rect { 0, 0, width, 0 });
    m_scrollView->addSubview(m_contentView);

    FormBuilder form(m_contentView);

    // Own avatar and nickname.
    form.addGroup(2);
    m_meImageView = form.addPicture(form.addRow("自己的头像"));
    m_meImageView->setImage(ui::Image::named("QYAvatar.png"));
    addTapArea(form, 0, OwnAvatar);
    m_meNick = addField(form, form.addRow("自己的昵称"), "昵称");

    // The other side's avatar and nickname.
    form.addGroup(2);
    m_heImageView = form.addPicture(form.addRow("对方的头像"));
    m_heImageView->setImage(ui::Image::named("QYAvatar.png"));
    addTapArea(form, 0, OtherAvatar);
    m_nickText = addField(form, form.addRow("对方的昵称"), "昵称");

    // The chat background: "默认" in the preview's place while there is none.
    form.addGroup(1);
    auto row = form.addRow("聊天背景");
    m_backImageView = form.addPicture(row);
    m_backImageView->setHidden(true);
    m_defaLable = form.addValueText(row, "默认");
    addTapArea(form, 0, Background);

    // The unread count.
    form.addGroup(1);
    m_unReadNum = addField(form, form.addRow("未读条数"), "0");
    m_unReadNum->keyboardType = ui::KeyboardType::NumberPad;

    m_startBtn = form.addButton("开始", kStartHeight);
    m_startBtn->setBackgroundColor(appColor(AppColor::StartButton));
    m_startBtn->setCornerRadius(kStartCornerRadius);
    m_startBtn->addAction(ui::TouchUpInside, ui::weakBind(this, &QYPresetViewController::startChat));
    m_groups = form.groups();

    // The content ends a banner's height below the button, so the button can
    // always be scrolled clear of the banner.
    double contentHeight = m_startBtn->frame().maxY() + AdBannerView::kHeight;
    m_contentView->setFrame({ 0, 0, width, contentHeight });
    m_scrollView->setContentSize({ width, contentHeight });

    m_banner = std::make_shared<AdBannerView>(
        ui::Rect { 0, root->bounds().height() - AdBannerView::kHeight, root->bounds().width(), AdBannerView::kHeight });
    m_banner->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleTopMargin);
    root->addSubview(m_banner);
}

void QYPresetViewController::viewWillAppear(bool)
{
    // Coming back from a picker is not coming back from the chat screen: the
    // store holds nothing newer than the form, and reading it again would undo
    // what was typed (or a background just reset) before the picture was chosen.
    if (std::exchange(m_pickerShown, false))
        return;
    initData();
}

void QYPresetViewController::touchesEnded(const ui::TouchList&)
{
    endAllEditing();
    moveToRestingFrame();
}

void QYPresetViewController::initData()
{
    view();
    m_model = HLObjectValue::hl_objectWithKey<QYUserModel>(storeKey());
    if (!m_model)
        return;
    m_meNick->setText(coding::text(m_model->meNick()));
    if (auto picture = pictureOf(m_model->heAvatar()))
        m_heImageView->setImage(picture);
    if (auto picture = pictureOf(m_model->meAvatar()))
        m_meImageView->setImage(picture);
    if (auto picture = pictureOf(m_model->backGroundImage()))
        showBackgroundPicture(picture);
    m_nickText->setText(coding::text(m_model->heNick()));
    m_unReadNum->setText(coding::text(m_model->noReadNum()));
}

void QYPresetViewController::saveUserData()
{
    view();
    if (!m_model)
        m_model = QYUserModel::make();
    m_model->setHeNick(coding::String::fromUtf16(m_nickText->text()));
    m_model->setMeNick(coding::String::fromUtf16(m_meNick->text()));
    m_model->setMeAvatar(jpegOf(m_meImageView->image(), kSavedJpegQuality));
    m_model->setHeAvatar(jpegOf(m_heImageView->image(), kSavedJpegQuality));
    m_model->setBackGroundImage(jpegOf(m_backImageView->image(), kSavedJpegQuality));
    m_model->setNoReadNum(coding::String::fromUtf16(m_unReadNum->text()));
    if (!hl_setObjectWithKey(m_model, storeKey())) {
        // The values still reach the chat; only the next visit would miss them.
        QYNoticeHUD::showErrorWithStatus(kSaveFailedNotice);
    }
}

void QYPresetViewController::setImageAction(ui::View& sender)
{
    if (sender.tag() == 3)
        return;
    view();
    endAllEditing();
    m_typeAction = sender.tag();
    auto sheet = ui::ActionSheet::make(std::string("设置头像"), std::string("取消"), std::string("拍照"),
        std::vector<std::string> { "相册选择" });
    if (m_typeAction == Background) {
        sheet->setTitle(std::string("设置背景"));
        sheet->addButtonWithTitle("默认");
    }
    auto weakSelf = weakThis();
    sheet->clickedButtonAtIndex = [weakSelf](ui::ActionSheet&, int index) {
        if (auto self = weakSelf.lock())
            self->sheetChoseButton(index);
    };
    moveToRestingFrame();
    sheet->showInView(view().get());
}

void QYPresetViewController::sheetChoseButton(int buttonIndex)
{
    switch (buttonIndex) {
    case 0: { // "拍照"
        auto weakSelf = weakThis();
        platform::MainQueue::shared().after(kCameraDelay, [weakSelf] {
            if (auto self = weakSelf.lock())
                self->presentPicker(ui::ImagePickerController::SourceType::Camera, true);
        });
        break;
    }
    case 1: // "相册选择"
        presentPicker(ui::ImagePickerController::SourceType::PhotoLibrary, true);
        break;
    case 3: // "默认", on the background sheet only; saved with the next save
        clearBackgroundPicture();
        break;
    default: // "取消"
        break;
    }
}

void QYPresetViewController::presentPicker(ui::ImagePickerController::SourceType source, bool animated)
{
    auto picker = makeComposerPicker(source, weakThis(), &QYPresetViewController::didFinishPickingMedia,
        &QYPresetViewController::dismissPicker, &QYPresetViewController::pickerSourceUnavailable);
    presentViewController(picker, animated);
    if (presentedViewController() == picker)
        m_pickerShown = true;
}

// Without a camera the picker is simply not shown; the form stays as it is.
void QYPresetViewController::pickerSourceUnavailable()
{
    platform::log::line("preset", "no camera: the picture choice is dropped");
}

void QYPresetViewController::dismissPicker(ui::ImagePickerController& picker)
{
    auto weakSelf = weakThis();
    // The screen has reappeared by the time the picker is gone; should it not
    // have been told so, the next appearance must read the store again.
    picker.dismissViewController(true, [weakSelf] {
        if (auto self = weakSelf.lock())
            self->m_pickerShown = false;
    });
}

void QYPresetViewController::didFinishPickingMedia(ui::ImagePickerController& picker, const ui::ImagePickerInfo& info)
{
    dismissPicker(picker);
    view();
    if (info.mediaType != ui::ImagePickerController::kMediaTypeImage || !info.originalImage)
        return;
    usePickedPicture(info.originalImage);
}

bool QYPresetViewController::acceptDroppedFile(const std::string& path, ui::Point screenPoint)
{
    for (const auto& area : m_tapAreas) {
        if (!area->frameInScreen().contains(screenPoint))
            continue;
        auto picture = ui::Image::fromPhotoFile(path);
        if (!picture)
            break;
        endAllEditing();
        m_typeAction = area->tag();
        usePickedPicture(picture);
        return true;
    }
    return ui::ViewController::acceptDroppedFile(path, screenPoint);
}

void QYPresetViewController::usePickedPicture(const ui::ImagePtr& original)
{
    // A round trip through a low-quality JPEG keeps the stored record small.
    auto bytes = original->jpegData(kPickedJpegQuality);
    auto picture = bytes.empty() ? nullptr : ui::Image::fromData(bytes);
    if (!picture) {
        platform::log::line("preset", "the picked picture could not be re-encoded");
        return;
    }
    switch (m_typeAction) {
    case OwnAvatar:
        m_meImageView->setImage(picture);
        m_meAvatar = picture;
        break;
    case OtherAvatar:
        m_heImageView->setImage(picture);
        m_heAvatar = picture;
        break;
    case Background:
        showBackgroundPicture(picture);
        break;
    default:
        break;
    }
    saveUserData();
}

void QYPresetViewController::showBackgroundPicture(ui::ImagePtr picture)
{
    m_backImageView->setImage(std::move(picture));
    m_backImageView->setHidden(false);
    m_defaLable->setHidden(true);
}

void QYPresetViewController::clearBackgroundPicture()
{
    m_defaLable->setHidden(false);
    m_backImageView->setImage(nullptr);
    m_backImageView->setHidden(true);
}

void QYPresetViewController::startChat(ui::Control&)
{
    view();
    auto* navigation = navigationController();
    // A second tap while the chat screen slides in would open a second one.
    if (navigation && (navigation->isTransitioning() || navigation->topViewController().get() != this))
        return;
    auto chat = std::make_shared<QYChatViewController>();
    navigationItem().backBarButtonItem = ui::BarButtonItem::withTitle("微信");
    if (auto image = m_meImageView->image())
        chat->setMeAvatar(image);
    if (auto image = m_heImageView->image())
        chat->setHeAvatar(image);
    if (auto image = m_backImageView->image())
        chat->setBackImage(image);
    chat->setMeNicek(m_meNick->utf8Text());
    chat->setHeNick(m_nickText->utf8Text());
    // The count shows only from 1 up, passed on exactly as typed.
    if (platform::values::integerValue(m_unReadNum->text()) >= 1)
        chat->setUnReadNum(m_unReadNum->utf8Text());
    else
        chat->setUnReadNum(std::nullopt);
    saveUserData();
    chat->setType(m_type);
    if (navigation)
        navigation->pushViewController(chat, true);
}

void QYPresetViewController::dissKeyBoard()
{
    endAllEditing();
    moveToRestingFrame();
}

bool QYPresetViewController::closeForEscape()
{
    for (auto& field : { m_meNick, m_nickText, m_unReadNum }) {
        if (field && field->isFirstResponder()) {
            dissKeyBoard();
            return true;
        }
    }
    return false;
}

void QYPresetViewController::endAllEditing()
{
    for (auto& field : { m_meNick, m_nickText, m_unReadNum }) {
        if (field && field->isFirstResponder())
            field->resignFirstResponder();
    }
}

void QYPresetViewController::moveToRestingFrame()
{
    auto root = view();
    ui::Rect frame = root->frame();
    ui::Animation::animate(kMoveDuration, [&] { root->setFrame({ 0, kRestingY, frame.width(), frame.height() }); });
}

void QYPresetViewController::liftForEditing(ui::TextField& field)
{
    auto root = view();
    ui::Rect frame = root->frame();
    // Keeps the start button in sight just above the keyboard; on a tall
    // phone the value is negative and the form moves down instead.
    double lift = std::trunc(m_startBtn->frame().maxY() - (frame.height() - kKeyboardHeight) - 50);
    if (&field == m_nickText.get() && ui::Screen::main().size().height == 480)
        lift = kSmallPhoneNickLift;
    ui::Animation::animate(kMoveDuration, [&] { root->setFrame({ 0, -lift, frame.width(), frame.height() }); });
}
