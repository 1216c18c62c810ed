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
#include "ui/Screen.h"

namespace {

constexpr double kGroupGap = 15;
constexpr double kTwoRowHeight = 110;
constexpr double kOneRowHeight = 55;
constexpr double kLabelLeft = 15;
constexpr double kLabelTop = 20;
constexpr double kDividerInset = 10;
constexpr double kArrowRight = 14;
constexpr double kControlGap = 8;
constexpr double kPreviewSide = 42;
constexpr double kFieldWidth = 210;
constexpr double kFieldHeight = 30;
constexpr double kStartHeight = 50;
constexpr double kStartCornerRadius = 4;
constexpr double kMoveDuration = 0.3;
// How much the other nickname's field lifts on the 480-point phone: enough to
// clear the keyboard without pushing the own nickname off the top.
constexpr double kSmallPhoneNickLift = 60;
constexpr double kPickedJpegQuality = 0.05;
constexpr double kSavedJpegQuality = 1.0;
// The camera picker waits this long on the main queue, so that the sheet has
// let go of the screen before the picker covers it.
constexpr double kCameraDelay = 0.00001;

ui::Color labelColor() { return ui::Color::rgb(55, 55, 55); }
ui::Color greyColor() { return ui::Color::rgb(230, 230, 230); }

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

std::shared_ptr<ui::View> QYPresetViewController::makeGroup(double y, double height)
{
    auto group = std::make_shared<ui::View>(ui::Rect { 0, y, m_contentView->bounds().width(), height });
    group->setBackgroundColor(ui::Color::whiteColor());
    m_contentView->addSubview(group);
    m_groups.push_back(group);
    return group;
}

std::shared_ptr<ui::Label> QYPresetViewController::addRowLabel(ui::View& group, const char* text, double y)
{
    auto label = std::make_shared<ui::Label>();
    label->setFont(ui::Font::system(17));
    label->setTextColor(labelColor());
    label->setText(std::string(text));
    label->sizeToFit();
    label->setOrigin({ kLabelLeft, y });
    group.addSubview(label);
    return label;
}

std::shared_ptr<ui::Label> QYPresetViewController::addCentredRowLabel(ui::View& group, const char* text)
{
    auto label = addRowLabel(group, text, 0);
    label->setCenterY(group.bounds().height() / 2);
    return label;
}

double QYPresetViewController::addArrow(ui::View& group, const ui::Label& label)
{
    auto arrow = std::make_shared<ui::ImageView>(ui::Image::named("PubuArrow_2.png"));
    ui::Size size = arrow->bounds().size;
    arrow->setFrame({ group.bounds().width() - kArrowRight - size.width, label.centerY() - size.height / 2, size.width, size.height });
    group.addSubview(arrow);
    return arrow->x() - kControlGap;
}

std::shared_ptr<ui::ImageView> QYPresetViewController::makePreview(double right, const ui::Label& label)
{
    auto preview = std::make_shared<ui::ImageView>(
        ui::Rect { right - kPreviewSide, label.centerY() - kPreviewSide / 2, kPreviewSide, kPreviewSide });
    preview->setContentMode(ui::ContentMode::ScaleAspectFill);
    preview->setClipsToBounds(true);
    preview->setBackgroundColor(ui::Color::rgb(255, 255, 0));
    return preview;
}

std::shared_ptr<ui::TextField> QYPresetViewController::makeField(double right, const ui::Label& label, const char* placeholder)
{
    auto field = std::make_shared<ui::TextField>(
        ui::Rect { right - kFieldWidth, label.centerY() - kFieldHeight / 2, kFieldWidth, kFieldHeight });
    field->setTextAlignment(ui::TextAlignment::Right);
    field->setPlaceholder(std::string(placeholder));
    field->returnKeyType = ui::ReturnKeyType::Done;
    auto weakSelf = weakThis();
    field->didBeginEditing = [weakSelf](ui::TextField& editing) {
        if (auto self = weakSelf.lock())
            self->liftForEditing(editing);
    };
    field->shouldReturn = [weakSelf](ui::TextField& editing) {
        editing.resignFirstResponder();
        if (auto self = weakSelf.lock())
            self->moveToRestingFrame();
        return true;
    };
    return field;
}

void QYPresetViewController::addTapArea(ui::View& group, double height, int tag)
{
    auto area = ui::Button::make(ui::Button::Type::Custom);
    area->setFrame({ 0, 0, group.bounds().width(), height });
    area->setTag(tag);
    auto weakSelf = weakThis();
    area->addAction(ui::TouchUpInside, [weakSelf](ui::Control& sender) {
        if (auto self = weakSelf.lock())
            self->setImageAction(sender);
    });
    group.addSubview(area);
}

void QYPresetViewController::initUI()
{
    auto root = view();
    root->setBackgroundColor(greyColor());
    auto weakSelf = weakThis();

    m_scrollView = std::make_shared<ui::ScrollView>(root->bounds());
    // The view is still screen-high here; the navigation stack shortens it.
    m_scrollView->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    m_scrollView->addGestureRecognizer(std::make_shared<ui::TapGestureRecognizer>([weakSelf](ui::GestureRecognizer&) {
        if (auto self = weakSelf.lock())
            self->dissKeyBoard();
    }));
    root->addSubview(m_scrollView);

    double width = m_scrollView->bounds().width();
    m_contentView = std::make_shared<ui::View>(ui::Rect { 0, 0, width, 0 });
    m_scrollView->addSubview(m_contentView);

    // Own avatar and nickname.
    double y = kGroupGap;
    auto own = makeGroup(y, kTwoRowHeight);
    auto divider = std::make_shared<ui::View>(ui::Rect { kDividerInset, kTwoRowHeight / 2 - 0.5, width - 2 * kDividerInset, 1 });
    divider->setBackgroundColor(greyColor());
    own->addSubview(divider);
    auto label = addRowLabel(*own, "自己的头像", kLabelTop);
    m_meImageView = makePreview(addArrow(*own, *label), *label);
    m_meImageView->setImage(ui::Image::named("QYAvatar.png"));
    own->addSubview(m_meImageView);
    addTapArea(*own, kTwoRowHeight / 2, OwnAvatar);
    label = addRowLabel(*own, "自己的昵称", divider->frame().maxY() + kLabelTop);
    m_meNick = makeField(addArrow(*own, *label), *label, "昵称");
    own->addSubview(m_meNick);

    // The other side's avatar and nickname.
    y += kTwoRowHeight + kGroupGap;
    auto other = makeGroup(y, kTwoRowHeight);
    divider = std::make_shared<ui::View>(divider->frame());
    divider->setBackgroundColor(greyColor());
    other->addSubview(divider);
    label = addRowLabel(*other, "对方的头像", kLabelTop);
    m_heImageView = makePreview(addArrow(*other, *label), *label);
    m_heImageView->setImage(ui::Image::named("QYAvatar.png"));
    other->addSubview(m_heImageView);
    addTapArea(*other, kTwoRowHeight / 2, OtherAvatar);
    label = addRowLabel(*other, "对方的昵称", divider->frame().maxY() + kLabelTop);
    m_nickText = makeField(addArrow(*other, *label), *label, "昵称");
    other->addSubview(m_nickText);

    // The chat background: "默认" in the preview's place while there is none.
    y += kTwoRowHeight + kGroupGap;
    auto background = makeGroup(y, kOneRowHeight);
    label = addCentredRowLabel(*background, "聊天背景");
    double right = addArrow(*background, *label);
    m_backImageView = makePreview(right, *label);
    m_backImageView->setHidden(true);
    background->addSubview(m_backImageView);
    m_defaLable = std::make_shared<ui::Label>();
    m_defaLable->setFont(ui::Font::system(17));
    m_defaLable->setTextColor(labelColor());
    m_defaLable->setText(std::string("默认"));
    m_defaLable->sizeToFit();
    m_defaLable->setOrigin({ right - m_defaLable->width(), label->centerY() - m_defaLable->height() / 2 });
    background->addSubview(m_defaLable);
    addTapArea(*background, kOneRowHeight, Background);

    // The unread count.
    y += kOneRowHeight + kGroupGap;
    auto unread = makeGroup(y, kOneRowHeight);
    label = addCentredRowLabel(*unread, "未读条数");
    m_unReadNum = makeField(addArrow(*unread, *label), *label, "0");
    m_unReadNum->keyboardType = ui::KeyboardType::NumberPad;
    unread->addSubview(m_unReadNum);

    y += kOneRowHeight + kGroupGap;
    m_startBtn = ui::Button::make(ui::Button::Type::Custom);
    m_startBtn->setFrame({ 0, y, width, kStartHeight });
    m_startBtn->setBackgroundColor(ui::Color::rgb(63, 184, 56));
    m_startBtn->setCornerRadius(kStartCornerRadius);
    m_startBtn->setTitle(std::string("开始"));
    m_startBtn->addAction(ui::TouchUpInside, [weakSelf](ui::Control& sender) {
        if (auto self = weakSelf.lock())
            self->startChat(sender);
    });
    m_contentView->addSubview(m_startBtn);

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
    hl_setObjectWithKey(m_model, storeKey());
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
    // A round trip through a low-quality JPEG keeps the stored record small.
    auto bytes = info.originalImage->jpegData(kPickedJpegQuality);
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
