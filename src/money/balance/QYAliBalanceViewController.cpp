#include "money/balance/QYAliBalanceViewController.h"

#include "chat/store/HLObjectValue.h"
#include "coding/String.h"
#include "money/balance/QYEditNickBlanceViewController.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "platform/PhoneValues.h"
#include "platform/ReplacingFile.h"
#include "ui/ActionSheet.h"
#include "ui/GestureRecognizer.h"
#include "ui/NavigationController.h"
#include "ui/Screen.h"
#include "widgets/FilePath.h"
#include "widgets/QYNoticeHUD.h"

namespace {

constexpr const char* kNickPrompt = "点击输入昵称";
constexpr const char* kPhonePrompt = "点击输入手机号";
constexpr const char* kTotalPrompt = "点击输入总额";
constexpr const char* kBalancePrompt = "点击输入余额";

constexpr double kAvatarLeft = 15;
constexpr double kAvatarTop = 78;
constexpr double kAvatarSide = 67;
constexpr double kBadgeOverhang = 3;
constexpr double kNameGap = 12;
constexpr double kRightInset = 20;
constexpr double kTotalGap = 46;
constexpr double kBalanceLeft = 53;
constexpr double kBalanceGap = 50;
// The eye keeps a little distance from the total where the total is sized to
// its text; in the fixed box the box's own slack does that.
constexpr double kLargeEyeGap = 12;
// The camera picker waits this long on the main queue, so that the sheet has
// let go of the screen before the picker covers it.
constexpr double kCameraDelay = 0.00001;

// The label's text for a stored field: the prompt only while the field is absent.
std::string shown(const coding::StringPtr& field, const char* prompt)
{
    return field ? field->utf8() : std::string(prompt);
}

// The editor takes amounts without their grouping commas; a prompt goes as it is.
std::string editable(const std::optional<std::string>& text, const char* prompt)
{
    std::string value = text.value_or("");
    return value == prompt ? value : platform::values::withoutCommas(value);
}

} // namespace

std::string QYAliBalanceViewController::avatarFilePath()
{
    return userImagePath() + "BLANCEUSERIMAGE";
}

std::weak_ptr<QYAliBalanceViewController> QYAliBalanceViewController::weakThis()
{
    return std::static_pointer_cast<QYAliBalanceViewController>(sharedController());
}

void QYAliBalanceViewController::viewDidLoad()
{
    setTitle(std::string("余额"));
    // The page has no bar to swipe back to; leaving is the picture's own icon.
    if (auto* navigation = navigationController())
        navigation->interactivePopGestureRecognizer()->setEnabled(false);
    auto weakSelf = weakThis();
    m_editorDelegate = std::make_shared<QYEditNickBlanceViewControllerDelegate>();
    m_editorDelegate->doneEditNickOrNum = [weakSelf](const std::string& first, const std::string& second, int type) {
        if (auto self = weakSelf.lock())
            self->doneEditNickOrNum(first, second, type);
    };
    initUI();
    initLocaData();
}

void QYAliBalanceViewController::viewWillAppear(bool)
{
    if (auto* navigation = navigationController())
        navigation->setNavigationBarHidden(true, true);
}

void QYAliBalanceViewController::viewWillDisappear(bool)
{
    if (auto* navigation = navigationController())
        navigation->setNavigationBarHidden(false, false);
}

void QYAliBalanceViewController::addTapTarget(const std::shared_ptr<ui::View>& view, int tag)
{
    view->setTag(tag);
    view->setUserInteractionEnabled(true);
    auto weakSelf = weakThis();
    view->addGestureRecognizer(std::make_shared<ui::TapGestureRecognizer>([weakSelf, tag](ui::GestureRecognizer&) {
        if (auto self = weakSelf.lock())
            self->tapAction(tag);
    }));
}

std::shared_ptr<ui::Label> QYAliBalanceViewController::makeLabel(const ui::Font& font, const ui::Color& color, const char* prompt)
{
    auto label = std::make_shared<ui::Label>();
    label->setFont(font);
    label->setTextColor(color);
    label->setText(std::string(prompt));
    return label;
}

void QYAliBalanceViewController::initUI()
{
    auto root = view();
    root->setBackgroundColor(ui::Color::whiteColor());
    double width = root->bounds().width();
    double screenHeight = ui::Screen::main().size().height;
    m_compact = screenHeight == 480 || screenHeight == 568;
    auto weakSelf = weakThis();

    const char* picture = screenHeight == 480 ? "QYPay_Myself_UI_iphone4.png"
        : screenHeight == 568                 ? "QYPay_Myself_UI_iphone5.png"
                                              : "QYPay_Myself_UI.png";
    m_backgroundView = std::make_shared<ui::ImageView>(root->bounds());
    m_backgroundView->setImage(ui::Image::named(picture));
    m_backgroundView->setUserInteractionEnabled(true);
    m_backgroundView->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    root->addSubview(m_backgroundView);

    m_backButton = ui::Button::make(ui::Button::Type::Custom);
    m_backButton->setFrame({ 12, 10, 50, 50 });
    m_backButton->setBackgroundColor(ui::Color::clearColor());
    m_backButton->addAction(ui::TouchUpInside, [weakSelf](ui::Control&) {
        auto self = weakSelf.lock();
        if (auto* navigation = self ? self->navigationController() : nullptr)
            navigation->popViewController(true);
    });
    root->addSubview(m_backButton);

    m_hintButton = ui::Button::make(ui::Button::Type::Custom);
    m_hintButton->setFrame({ width - 250, 10, 250, 50 });
    m_hintButton->setBackgroundColor(ui::Color::clearColor());
    m_hintButton->setAutoresizingMask(ui::FlexibleLeftMargin);
    m_hintButton->addAction(ui::TouchUpInside, [](ui::Control&) { QYNoticeHUD::showInfoWithStatus("点击对应地方进行修改"); });
    root->addSubview(m_hintButton);

    m_avatar = std::make_shared<ui::ImageView>(ui::Rect { kAvatarLeft, kAvatarTop, kAvatarSide, kAvatarSide });
    m_avatar->setCornerRadius(2);
    m_avatar->setClipsToBounds(true);
    m_avatar->setBackgroundColor(ui::Color::redColor());
    m_avatar->setContentMode(ui::ContentMode::ScaleAspectFill);
    m_avatar->setImage(ui::Image::named("QYAvatar.png"));
    addTapTarget(m_avatar, AvatarTag);
    root->addSubview(m_avatar);

    m_badge = std::make_shared<ui::ImageView>(ui::Image::named("QYPay_AssociatorIcon.png"));
    m_badge->setContentMode(ui::ContentMode::ScaleAspectFill);
    ui::Size badge = m_badge->bounds().size;
    m_badge->setFrame({ m_avatar->frame().maxX() + kBadgeOverhang - badge.width,
        m_avatar->frame().maxY() + kBadgeOverhang - badge.height, badge.width, badge.height });
    root->addSubview(m_badge);

    double nameLeft = m_avatar->frame().maxX() + kNameGap;
    double nameWidth = width - kRightInset - nameLeft;
    m_nickName = makeLabel(ui::Font::system(17), ui::Color::blackColor(), kNickPrompt);
    m_nickName->setFrame({ nameLeft, kAvatarTop, nameWidth, 18 });
    addTapTarget(m_nickName, NickTag);
    root->addSubview(m_nickName);

    m_phone = makeLabel(ui::Font::system(13), ui::Color::rgb(136, 136, 136), kPhonePrompt);
    m_phone->setFrame({ nameLeft, m_nickName->frame().maxY() + 2, nameWidth, 20 });
    addTapTarget(m_phone, PhoneTag);
    root->addSubview(m_phone);

    m_blanceSum = std::make_shared<MyLabel>(ui::Rect { kAvatarLeft, m_avatar->frame().maxY() + kTotalGap, 95, 30 });
    m_blanceSum->setNumberOfLines(1);
    if (m_compact) {
        m_blanceSum->setFont(ui::Font::system(27));
        m_blanceSum->setAdjustsFontSizeToFitWidth(true);
    } else {
        m_blanceSum->setFont(ui::Font::system(25));
    }
    m_blanceSum->setText(std::string(kTotalPrompt));
    addTapTarget(m_blanceSum, TotalTag);
    root->addSubview(m_blanceSum);

    m_eye = std::make_shared<ui::ImageView>(ui::Image::named("QYPay_eyeicon.png"));
    root->addSubview(m_eye);

    m_blance = makeLabel(ui::Font::system(13), ui::Color::rgb(165, 165, 165), kBalancePrompt);
    addTapTarget(m_blance, BalanceTag);
    root->addSubview(m_blance);

    m_blanceSum->setVerticalAlignment(MyLabel::Middle);
    layoutAmounts();
}

void QYAliBalanceViewController::layoutAmounts()
{
    if (!m_compact)
        m_blanceSum->sizeToFit();
    ui::Rect total = m_blanceSum->frame();
    ui::Size eye = m_eye->bounds().size;
    double eyeLeft = total.maxX() + (m_compact ? 0 : kLargeEyeGap);
    m_eye->setFrame({ eyeLeft, total.center().y - eye.height / 2, eye.width, eye.height });
    m_blance->sizeToFit();
    m_blance->setOrigin({ kBalanceLeft, total.maxY() + kBalanceGap });
}

void QYAliBalanceViewController::initLocaData()
{
    m_model = HLObjectValue::hl_objectWithKey<QYBlanceModel>(kStoreKey);
    if (!m_model) {
        QYNoticeHUD::showInfoWithStatus("点击账单图标返回");
        return;
    }
    ui::ImagePtr picture;
    if (m_model->imageFile())
        picture = ui::Image::fromPhotoFile(m_model->imageFile()->utf8());
    m_avatar->setImage(picture ? picture : ui::Image::named("QYAvatar.png"));
    m_nickName->setText(shown(m_model->nickName(), kNickPrompt));
    m_phone->setText(shown(m_model->phone(), kPhonePrompt));
    m_blanceSum->setText(shown(m_model->blanceNum(), kTotalPrompt));
    m_blance->setText(shown(m_model->blance(), kBalancePrompt));
    layoutAmounts();
}

void QYAliBalanceViewController::tapAction(int tag)
{
    switch (tag) {
    case AvatarTag:
        showAvatarMenu();
        break;
    case NickTag:
    case PhoneTag:
        openEditor(QYEditNickBlanceViewController::NickAndPhone);
        break;
    case TotalTag:
    case BalanceTag:
        openEditor(QYEditNickBlanceViewController::TotalAndBalance);
        break;
    default:
        break;
    }
}

void QYAliBalanceViewController::openEditor(int type)
{
    auto* navigation = navigationController();
    // A second tap while an editor slides in would open a second one.
    if (!navigation || navigation->isTransitioning() || navigation->topViewController().get() != this)
        return;
    auto editor = std::make_shared<QYEditNickBlanceViewController>();
    editor->setType(type);
    if (type == QYEditNickBlanceViewController::NickAndPhone) {
        editor->setNickOrSum(m_nickName->text().value_or(""));
        editor->setPhoneOrBlance(m_phone->text().value_or(""));
    } else {
        editor->setNickOrSum(editable(m_blanceSum->text(), kTotalPrompt));
        editor->setPhoneOrBlance(editable(m_blance->text(), kBalancePrompt));
    }
    editor->setDelegate(m_editorDelegate);
    navigation->pushViewController(editor, true);
}

void QYAliBalanceViewController::doneEditNickOrNum(const std::string& nickOrNum, const std::string& phoneOrBlance, int type)
{
    view();
    if (!m_model)
        m_model = QYBlanceModel::make();
    if (type == QYEditNickBlanceViewController::NickAndPhone) {
        m_nickName->setText(nickOrNum);
        m_model->setNickName(coding::String::make(nickOrNum));
        m_phone->setText(phoneOrBlance);
        m_model->setPhone(coding::String::make(phoneOrBlance));
    } else {
        // The page shows amounts with their grouping but without the sign.
        m_blanceSum->setText(platform::values::withoutCurrencySign(nickOrNum));
        m_blance->setText(platform::values::withoutCurrencySign(phoneOrBlance));
        m_model->setBlanceNum(coding::String::make(m_blanceSum->text().value_or("")));
        m_model->setBlance(coding::String::make(m_blance->text().value_or("")));
    }
    m_blanceSum->setVerticalAlignment(MyLabel::Middle);
    layoutAmounts();
    save();
}

void QYAliBalanceViewController::save()
{
    hl_setObjectWithKey(m_model, kStoreKey);
}

void QYAliBalanceViewController::showAvatarMenu()
{
    auto sheet = ui::ActionSheet::make(std::string("设置头像"), std::string("取消"), std::string("拍照"),
        std::vector<std::string> { "相册选择" });
    auto weakSelf = weakThis();
    sheet->clickedButtonAtIndex = [weakSelf](ui::ActionSheet&, int index) {
        if (auto self = weakSelf.lock())
            self->sheetChoseButton(index);
    };
    sheet->showInView(view().get());
}

void QYAliBalanceViewController::sheetChoseButton(int buttonIndex)
{
    if (buttonIndex == 0) { // "拍照"
        auto weakSelf = weakThis();
        platform::MainQueue::shared().after(kCameraDelay, [weakSelf] {
            if (auto self = weakSelf.lock())
                self->presentPicker(ui::ImagePickerController::SourceType::Camera);
        });
    } else if (buttonIndex == 1) { // "相册选择"
        presentPicker(ui::ImagePickerController::SourceType::PhotoLibrary);
    }
}

void QYAliBalanceViewController::presentPicker(ui::ImagePickerController::SourceType source)
{
    auto picker = ui::ImagePickerController::make();
    picker->setSourceType(source);
    picker->allowsEditing = false;
    auto weakSelf = weakThis();
    // A picker outliving the page just closes.
    picker->didFinishPickingMedia = [weakSelf](ui::ImagePickerController& p, const ui::ImagePickerInfo& info) {
        if (auto self = weakSelf.lock())
            self->didFinishPickingMedia(p, info);
        else
            p.dismissViewController(true);
    };
    picker->didCancel = [weakSelf](ui::ImagePickerController& p) {
        if (auto self = weakSelf.lock())
            self->pickerDidCancel(p);
        else
            p.dismissViewController(true);
    };
    picker->sourceUnavailable = [](ui::ImagePickerController&) {
        platform::log::line("balance", "no camera: the avatar stays as it is");
    };
    presentViewController(picker, true);
}

void QYAliBalanceViewController::pickerDidCancel(ui::ImagePickerController& picker)
{
    picker.dismissViewController(true);
}

void QYAliBalanceViewController::didFinishPickingMedia(ui::ImagePickerController& picker, const ui::ImagePickerInfo& info)
{
    picker.dismissViewController(true);
    if (info.mediaType != ui::ImagePickerController::kMediaTypeImage || !info.originalImage)
        return;
    view();
    auto jpeg = info.originalImage->jpegData(kAvatarJpegQuality);
    auto picture = jpeg.empty() ? nullptr : ui::Image::fromData(jpeg);
    if (!picture) {
        platform::log::line("balance", "the picked picture could not be encoded");
        return;
    }
    m_avatar->setImage(picture);
    std::string path = avatarFilePath();
    // Written whole or not at all: a reader never finds half a picture.
    platform::ReplacingFile file(path);
    if (!file.write(jpeg) || !file.commit())
        platform::log::line("balance", "the avatar could not be written to " + path + ": " + file.error());
    if (!m_model)
        m_model = QYBlanceModel::make();
    m_model->setImageFile(coding::String::make(path));
    save();
}
