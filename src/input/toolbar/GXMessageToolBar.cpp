#include "input/toolbar/GXMessageToolBar.h"

#include <algorithm>
#include <cassert>
#include <cfloat>

#include "input/more/MorePanelItem.h"
#include "platform/Log.h"
#include "ui/Keyboard.h"
#include "ui/Screen.h"
#include "ui/graphics/TextLayout.h"
#include "widgets/AppStyle.h"

namespace {

constexpr int kVoiceTag = 0;
constexpr int kMoreTag = 1;
constexpr int kFaceTag = 2;
constexpr double kPanelHeight = 210;
constexpr double kPanelTop = 46;
constexpr double kButtonAnimation = 0.2;
constexpr double kPanelAnimation = 0.4;

} // namespace

GXMessageToolBar::GXMessageToolBar(const ui::Rect& frame, int style)
    : ui::View(frame)
    , m_type(style)
{
}

std::shared_ptr<GXMessageToolBar> GXMessageToolBar::make(const ui::Rect& frame, int style)
{
    auto toolbar = std::make_shared<GXMessageToolBar>(frame, style);
    toolbar->observeKeyboard();
    toolbar->setMaxTextInputViewHeight(200);
    toolbar->setupViews();
    toolbar->setupMoreItems();
    return toolbar;
}

GXMessageToolBar::~GXMessageToolBar()
{
    ui::NotificationCenter::shared().removeObserver(m_keyboardObserver);
}

std::shared_ptr<ui::Button> GXMessageToolBar::makeToggle(const ui::Rect& frame, int tag, const char* image, const char* selectedImage)
{
    auto button = ui::Button::make(ui::Button::Type::Custom);
    button->setFrame(frame);
    button->setTag(tag);
    button->setImage(ui::Image::named(image));
    if (selectedImage)
        button->setImage(ui::Image::named(selectedImage), ui::StateSelected);
    std::weak_ptr<ui::Responder> weakSelf = shared_from_this();
    button->addAction(ui::TouchUpInside, [weakSelf](ui::Control& sender) {
        if (auto self = std::static_pointer_cast<GXMessageToolBar>(weakSelf.lock()))
            self->buttonAction(static_cast<ui::Button&>(sender));
    });
    return button;
}

void GXMessageToolBar::setupViews()
{
    bool messenger = m_type == 1;
    double w = bounds().width();

    m_toolBarView = std::make_shared<ui::View>(ui::Rect { 0, 0, w, kStripHeight });
    m_toolBarView->setBackgroundColor(appColor(AppColor::ToolbarBackground));
    m_toolBarView->setAutoresizingMask(ui::FlexibleWidth);

    m_toolbarBackgroundImageView = std::make_shared<ui::ImageView>(m_toolBarView->bounds());
    m_toolbarBackgroundImageView->setBackgroundColor(ui::Color::clearColor());
    m_toolbarBackgroundImageView->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    m_toolbarBackgroundImageView->setImage(ui::Image::named("GateXBottom.png"));
    m_toolBarView->addSubview(m_toolbarBackgroundImageView);

    // The top hairline, over the strip's picture so that it shows.
    auto hairline = std::make_shared<ui::View>(ui::Rect { 0, 0, w, 0.7 });
    hairline->setBackgroundColor(appColor(AppColor::ToolbarHairline));
    hairline->setAutoresizingMask(ui::FlexibleWidth);
    hairline->setUserInteractionEnabled(false);
    m_toolBarView->addSubview(hairline);

    m_voiceButton = makeToggle({ 3, 8, 36, 36 }, kVoiceTag, messenger ? "QYVoice.png" : "QYPay_Voice.png",
        messenger ? "QYKeyboard.png" : "QYPay_Keyboard.png");

    m_msgTextView = GXMessageTextView::make({ 45, 7, w - 121, kTextRowHeight });
    m_msgTextView->setAutoresizingMask(ui::FlexibleHeight);
    setupTextView();

    m_recordButton = ui::Button::make(ui::Button::Type::Custom);
    m_recordButton->setFrame({ 45, 8, w - 121, 36 });
    m_recordButton->setImage(ui::Image::named(messenger ? "QYPress.png" : "QYPay_Press.png"));
    m_recordButton->setHidden(true);
    std::weak_ptr<GXMessageToolBar> weakSelf = std::static_pointer_cast<GXMessageToolBar>(sharedView());
    auto forward = [weakSelf](std::function<void()> GXMessageToolBarDelegate::*callback) {
        return [weakSelf, callback](ui::Control&) {
            auto self = weakSelf.lock();
            if (!self)
                return;
            if (auto delegate = self->delegate(); delegate && (*delegate).*callback)
                ((*delegate).*callback)();
        };
    };
    m_recordButton->addAction(ui::TouchDown, forward(&GXMessageToolBarDelegate::didStartRecordingVoiceAction));
    m_recordButton->addAction(ui::TouchUpInside, forward(&GXMessageToolBarDelegate::didFinishRecoingVoiceAction));
    m_recordButton->addAction(ui::TouchUpOutside, forward(&GXMessageToolBarDelegate::didCancelRecordingVoiceAction));
    m_recordButton->addAction(ui::TouchDragExit, forward(&GXMessageToolBarDelegate::didDragOutsideAction));
    // Drag enter reaches the toolbar but nobody is told: the chat screen has no use for it.

    double faceX = m_msgTextView->frame().maxX() + 3;
    m_faceButton = makeToggle({ faceX, 8, 36, 36 }, kFaceTag, messenger ? "QYEmotion.png" : "QYPay_Emotion.png",
        messenger ? "QYKeyboard.png" : "QYPay_Keyboard.png");
    m_moreButton = makeToggle({ m_faceButton->frame().maxX(), 8, 36, 36 }, kMoreTag, messenger ? "QYAdd.png" : "QYPay_Add.png", nullptr);

    m_toolBarView->addSubview(m_moreButton);
    m_toolBarView->addSubview(m_msgTextView);
    m_toolBarView->addSubview(m_faceButton);
    m_toolBarView->addSubview(m_voiceButton);
    m_toolBarView->addSubview(m_recordButton);

    m_moreView = std::make_shared<GXMoreView>(ui::Rect { 0, kPanelTop, w, kPanelHeight });
    m_moreView->setDelegate(std::weak_ptr<GXMoreViewDelegate>(std::static_pointer_cast<GXMessageToolBar>(sharedView())));
    m_faceView = EMFaceBoard::make({ 0, kPanelTop, w, kPanelHeight }, m_type);
    m_faceView->setDelegate(std::weak_ptr<EMFaceBoardDelegate>(std::static_pointer_cast<GXMessageToolBar>(sharedView())));

    addSubview(m_moreView);
    addSubview(m_faceView);
    addSubview(m_toolBarView);
    m_isShowBottomView = false;
}

void GXMessageToolBar::setupTextView()
{
    auto textView = m_msgTextView;
    textView->scrollEnabled = true;
    textView->returnKeyType = ui::ReturnKeyType::Send;
    textView->enablesReturnKeyAutomatically = true;
    textView->setPlaceHolder("");
    textView->setBackgroundColor(ui::Color::whiteColor());
    textView->setBorderColor(appColor(AppColor::InputBorder));
    textView->setBorderWidth(0.65);
    textView->setCornerRadius(5);
    textView->setClipsToBounds(true);

    std::weak_ptr<GXMessageToolBar> weakSelf = std::static_pointer_cast<GXMessageToolBar>(sharedView());
    textView->shouldBeginEditing = [weakSelf](ui::TextView& view) {
        auto self = weakSelf.lock();
        if (!self)
            return true;
        if (auto delegate = self->delegate(); delegate && delegate->inputTextViewWillBeginEditing)
            delegate->inputTextViewWillBeginEditing(static_cast<GXMessageTextView&>(view));
        self->m_faceButton->setSelected(false);
        self->m_voiceButton->setSelected(false);
        self->m_moreButton->setSelected(false);
        return true;
    };
    textView->didBeginEditing = [weakSelf](ui::TextView& view) {
        auto self = weakSelf.lock();
        if (!self)
            return;
        if (auto delegate = self->delegate(); delegate && delegate->inputTextViewDidBeginEditing)
            delegate->inputTextViewDidBeginEditing(static_cast<GXMessageTextView&>(view));
    };
    textView->shouldChangeText = [weakSelf](ui::TextView& view, ui::Range, const std::u16string& replacement) {
        auto self = weakSelf.lock();
        if (!self)
            return true;
        if (replacement != u"\n")
            return true;
        // The return key sends: the text goes to the delegate, never into the field.
        auto delegate = self->delegate();
        if (delegate && delegate->didSendText) {
            delegate->didSendText(view.text());
            view.setText(u"");
            self->willInputTextViewChangHeight(self->getTextViewContentHeight(*self->m_msgTextView));
        }
        return false;
    };
    textView->didChange = [weakSelf](ui::TextView&) {
        if (auto self = weakSelf.lock())
            self->willInputTextViewChangHeight(self->getTextViewContentHeight(*self->m_msgTextView));
    };
}

void GXMessageToolBar::setupMoreItems()
{
    struct Item {
        MorePanelItem item;
        const char* image;
        const char* title;
    };
    static constexpr Item items[] = { { MorePanelItem::SpeakAsMe, "QYMyself.png", "我" },
        { MorePanelItem::SpeakAsOther, "QYOther.png", "对方" }, { MorePanelItem::Photo, "QYPicture.png", "照片" },
        { MorePanelItem::Camera, "QYCamera.png", "相机" }, { MorePanelItem::RedPacket, "QYBriberyMoney.png", "红包" },
        { MorePanelItem::Transfer, "QYTransfer_Accounts.png", "转账" },
        { MorePanelItem::ClearScreen, "QYDelete.png", "清屏" } };
    std::vector<GXMoreItemPtr> list;
    for (auto& item : items) {
        // The panel reports an item by its place, so the place is its name.
        assert(size_t(item.item) == list.size());
        list.push_back(GXMoreItem::initWithNormalImage(ui::Image::named(item.image), item.title));
    }
    m_moreView->setShareMenuItems(std::move(list));
    m_moreView->reloadData();
}

void GXMessageToolBar::observeKeyboard()
{
    std::weak_ptr<ui::View> weakSelf = sharedView();
    m_keyboardObserver = ui::NotificationCenter::shared().addObserver(sharedView(), ui::keyboard::WillChangeFrameNotification,
        [weakSelf](const ui::Notification& notification) {
            auto self = std::static_pointer_cast<GXMessageToolBar>(weakSelf.lock());
            if (!self)
                return;
            auto& info = notification.userInfo;
            auto begin = std::any_cast<ui::Rect>(info.at(ui::keyboard::FrameBeginKey));
            auto end = std::any_cast<ui::Rect>(info.at(ui::keyboard::FrameEndKey));
            double duration = std::any_cast<double>(info.at(ui::keyboard::AnimationDurationKey));
            // The strip moves a little ahead of the keyboard, on the keyboard's curve.
            ui::Animation::animate(std::max(0.0, duration - 0.2), 0, ui::AnimationCurve::EaseOut,
                [&] { self->willShowKeyboardFromFrame(begin, end); });
        });
}

double GXMessageToolBar::getTextViewContentHeight(const GXMessageTextView& textView) const
{
    ui::TextAttributes attributes;
    attributes.font = textView.font();
    ui::AttributedString text(textView.text(), attributes);
    double height = text.length() == 0 ? 0 : ui::TextLayout::measure(text, textView.frame().width()).height;
    platform::log::line("toolbar", "rect.size.height==>" + std::to_string(height));
    return height;
}

void GXMessageToolBar::sendFrameHeight(double height)
{
    if (auto d = delegate(); d && d->didChangeFrameToHeight)
        d->didChangeFrameToHeight(height);
}

void GXMessageToolBar::willInputTextViewChangHeight(double height)
{
    height = std::max(height, kTextRowHeight);
    if (height > m_maxTextInputViewHeight)
        height = m_maxTextInputViewHeight;
    if (height == m_previousTextViewContentHeight)
        return;
    renewTextViewHeight(height - m_previousTextViewContentHeight);
    m_previousTextViewContentHeight = height;
    sendFrameHeight(frame().height());
}

// A change of exactly 36 points is applied like any other, so that coming back
// from voice mode restores a two-line text row too.
void GXMessageToolBar::renewTextViewHeight(double delta)
{
    if (delta == 0)
        return;
    ui::Rect f = frame();
    setFrame({ f.x(), f.y() - delta, f.width(), f.height() + delta });
    ui::Rect strip = m_toolBarView->frame();
    m_toolBarView->setFrame({ strip.x(), strip.y(), strip.width(), strip.height() + delta });
    if (!m_faceView->isHidden())
        m_faceView->setY(m_msgTextView->frame().height() + 10);
}

void GXMessageToolBar::maintainTextViewHeight()
{
    ui::Rect strip = m_toolBarView->frame();
    m_toolBarView->setFrame({ strip.x(), 0, strip.width(), kStripHeight });
    m_msgTextView->setHeight(kTextRowHeight);
    double superHeight = superview() ? superview()->bounds().height() : ui::Screen::main().size().height;
    ui::Rect f = frame();
    setFrame({ f.x(), superHeight - kStripHeight, f.width(), kStripHeight });
    sendFrameHeight(frame().height());
}

void GXMessageToolBar::willShowKeyboardFromFrame(const ui::Rect& begin, const ui::Rect& end)
{
    double screenHeight = ui::Screen::main().size().height;
    if (begin.y() != screenHeight && end.y() == screenHeight)
        willShowBottomHeight(0);
    else
        willShowBottomHeight(end.height());
}

void GXMessageToolBar::willShowBottomHeight(double bottomHeight)
{
    double stripHeight = m_toolBarView->frame().height();
    double target = stripHeight + bottomHeight;
    ui::Rect f = frame();
    if (bottomHeight == 0 && f.height() == stripHeight)
        return;
    setFrame({ f.x(), f.maxY() - target, f.width(), target });
    sendFrameHeight(target);
}

void GXMessageToolBar::willShowBottomView(const std::shared_ptr<ui::View>& panel)
{
    renewTextViewHeight(m_previousTextViewContentHeight - kTextRowHeight);
    auto open = [this, panel] {
        willShowBottomHeight(panel->frame().height());
        panel->setY(m_msgTextView->frame().height() + 10);
    };
    if (m_isShowBottomView)
        open();
    else
        ui::Animation::animate(kPanelAnimation, open);
}

bool GXMessageToolBar::endEditing(bool force)
{
    bool ended = ui::View::endEditing(force);
    if (!m_isShowBottomView)
        return ended;
    m_faceButton->setSelected(false);
    double superHeight = superview() ? superview()->bounds().height() : ui::Screen::main().size().height;
    std::weak_ptr<ui::View> weakSelf = sharedView();
    ui::Animation::animate(kPanelAnimation, [&] { setY(superHeight - m_toolBarView->frame().height()); },
        [weakSelf](bool) {
            auto self = std::static_pointer_cast<GXMessageToolBar>(weakSelf.lock());
            if (!self)
                return;
            self->setHeight(self->m_toolBarView->frame().height());
            self->m_isShowBottomView = false;
            self->sendFrameHeight(self->frame().height());
        });
    return ended;
}

void GXMessageToolBar::buttonAction(ui::Button& sender)
{
    auto keep = sharedView();
    sender.setSelected(!sender.isSelected());
    bool selected = sender.isSelected();
    switch (sender.tag()) {
    case kVoiceTag:
        if (selected) {
            m_moreButton->setSelected(false);
            m_faceButton->setSelected(false);
            maintainTextViewHeight();
            m_msgTextView->resignFirstResponder();
            m_isShowBottomView = false;
            ui::Animation::animate(kButtonAnimation, [&] {
                m_recordButton->setHidden(false);
                m_msgTextView->setHidden(true);
            });
        } else {
            m_msgTextView->becomeFirstResponder();
            renewTextViewHeight(m_previousTextViewContentHeight - kTextRowHeight);
            m_isShowBottomView = false;
            ui::Animation::animate(kButtonAnimation, [&] {
                m_recordButton->setHidden(true);
                m_msgTextView->setHidden(false);
            });
        }
        break;
    case kFaceTag:
        if (selected) {
            m_voiceButton->setSelected(false);
            m_msgTextView->resignFirstResponder();
            maintainTextViewHeight();
            m_isShowBottomView = true;
            willShowBottomView(m_faceView);
            ui::Animation::animate(kButtonAnimation, [&] {
                m_faceView->setHidden(false);
                m_moreView->setHidden(true);
                m_recordButton->setHidden(true);
                m_msgTextView->setHidden(false);
            });
        } else {
            m_isShowBottomView = false;
            m_faceButton->setSelected(false);
            m_voiceButton->setSelected(false);
            m_msgTextView->becomeFirstResponder();
        }
        break;
    case kMoreTag:
        if (selected) {
            if (m_voiceButton->isSelected()) {
                m_voiceButton->setSelected(false);
            } else {
                maintainTextViewHeight();
                m_msgTextView->resignFirstResponder();
            }
            m_isShowBottomView = true;
            willShowBottomView(m_moreView);
            ui::Animation::animate(kButtonAnimation, [&] {
                m_moreView->setHidden(false);
                m_faceView->setHidden(true);
                m_recordButton->setHidden(true);
                m_msgTextView->setHidden(false);
            });
        } else {
            m_isShowBottomView = false;
            m_voiceButton->setSelected(false);
            m_faceButton->setSelected(false);
            m_msgTextView->becomeFirstResponder();
        }
        break;
    default:
        break;
    }
}

void GXMessageToolBar::didSelectItemWithIndex(int index, const GXMoreItemPtr& menuItem)
{
    if (auto d = delegate(); d && d->didSelectItemWithIndex)
        d->didSelectItemWithIndex(index, menuItem);
}

void GXMessageToolBar::SendTheFaceStr(const std::optional<std::u16string>& faceStr, bool isDelete)
{
    if (auto d = delegate(); d && d->didSelectFaceStr)
        d->didSelectFaceStr(faceStr, isDelete);
}

void GXMessageToolBar::sendFace()
{
    if (auto d = delegate(); d && d->sendFace)
        d->sendFace();
}
