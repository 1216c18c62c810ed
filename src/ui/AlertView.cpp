#include "ui/AlertView.h"

#include <algorithm>
#include <any>

#include "ui/Application.h"
#include "ui/DialogButton.h"
#include "ui/DimmingWindow.h"
#include "ui/Keyboard.h"
#include "ui/Label.h"
#include "ui/NotificationCenter.h"
#include "ui/Screen.h"
#include "ui/TextField.h"

namespace ui {

static constexpr double kSidePadding = 16;
static constexpr double kTopPadding = 20;
static constexpr double kTextBottomPadding = 20;
static constexpr double kFieldBottomPadding = 14;
static constexpr double kTitleMessageGap = 4;
static constexpr double kTextFieldGap = 14;
static constexpr double kFieldBoxHeight = 25;

static Color panelColor() { return Color::rgb(248, 248, 248); }
static Color separatorColor() { return Color::rgb(0, 0, 0, 0.12); }

struct AlertView::Metrics {
    Rect title;
    Rect message;
    Rect fieldBox;
    double buttonsTop = 0;
    double height = 0;
};

AlertView::AlertView(std::optional<std::string> title, std::optional<std::string> message,
    std::optional<std::string> cancelButtonTitle, std::vector<std::string> otherButtonTitles)
    : View(Rect { 0, 0, kWidth, 100 })
    , m_title(std::move(title))
    , m_message(std::move(message))
    , m_titleLabel(std::make_shared<Label>())
    , m_messageLabel(std::make_shared<Label>())
{
    if (cancelButtonTitle) {
        m_cancelIndex = 0;
        m_buttonTitles.push_back(*cancelButtonTitle);
    }
    for (auto& other : otherButtonTitles)
        m_buttonTitles.push_back(other);

    setBackgroundColor(panelColor());
    setCornerRadius(kCornerRadius);
    setClipsToBounds(true);
    for (auto& label : { m_titleLabel, m_messageLabel }) {
        label->setNumberOfLines(0);
        label->setLineBreakMode(LineBreakMode::WordWrap);
        label->setTextAlignment(TextAlignment::Center);
        addSubview(label);
    }
    m_titleLabel->setFont(Font::boldSystem(17));
    m_messageLabel->setFont(Font::system(13));
    m_titleLabel->setText(m_title);
    m_messageLabel->setText(m_message);
}

std::shared_ptr<AlertView> AlertView::make(std::optional<std::string> title, std::optional<std::string> message,
    std::optional<std::string> cancelButtonTitle, std::vector<std::string> otherButtonTitles)
{
    return std::make_shared<AlertView>(std::move(title), std::move(message), std::move(cancelButtonTitle),
        std::move(otherButtonTitles));
}

AlertView::~AlertView() = default;

void AlertView::setTitle(std::optional<std::string> title)
{
    if (m_title == title)
        return;
    m_title = std::move(title);
    m_titleLabel->setText(m_title);
    placeInScreen();
}

void AlertView::setMessage(std::optional<std::string> message)
{
    if (m_message == message)
        return;
    m_message = std::move(message);
    m_messageLabel->setText(m_message);
    placeInScreen();
}

void AlertView::setAlertViewStyle(Style style)
{
    if (m_style == style)
        return;
    m_style = style;
    if (style == Style::PlainTextInput && !m_textField) {
        m_fieldBox = std::make_shared<View>();
        m_fieldBox->setBackgroundColor(Color::whiteColor());
        m_fieldBox->setBorderWidth(1.0 / Screen::main().scale());
        m_fieldBox->setBorderColor(Color::rgb(0, 0, 0, 0.25));
        m_textField = std::make_shared<TextField>();
        m_textField->setFont(Font::system(13));
        m_fieldBox->addSubview(m_textField);
    }
    if (m_fieldBox) {
        if (style == Style::PlainTextInput)
            addSubview(m_fieldBox);
        else
            m_fieldBox->removeFromSuperview();
    }
    placeInScreen();
}

std::shared_ptr<TextField> AlertView::textFieldAtIndex(int index) const
{
    if (index != 0 || m_style != Style::PlainTextInput)
        return nullptr;
    return m_textField;
}

int AlertView::addButtonWithTitle(const std::string& title)
{
    m_buttonTitles.push_back(title);
    if (!m_window.expired())
        rebuildButtons();
    placeInScreen();
    return int(m_buttonTitles.size()) - 1;
}

std::optional<std::string> AlertView::buttonTitleAtIndex(int index) const
{
    if (index < 0 || index >= numberOfButtons())
        return std::nullopt;
    return m_buttonTitles[size_t(index)];
}

std::shared_ptr<DialogButton> AlertView::buttonAtIndex(int index) const
{
    if (index < 0 || size_t(index) >= m_buttons.size())
        return nullptr;
    return m_buttons[size_t(index)];
}

AlertView::Metrics AlertView::measure() const
{
    Metrics metrics;
    double textWidth = kWidth - 2 * kSidePadding;
    double y = kTopPadding;
    bool hasText = false;
    if (m_title && !m_title->empty()) {
        double h = m_titleLabel->sizeThatFits({ textWidth, 10000 }).height;
        metrics.title = { kSidePadding, y, textWidth, h };
        y += h;
        hasText = true;
    }
    if (m_message && !m_message->empty()) {
        if (hasText)
            y += kTitleMessageGap;
        double h = m_messageLabel->sizeThatFits({ textWidth, 10000 }).height;
        metrics.message = { kSidePadding, y, textWidth, h };
        y += h;
        hasText = true;
    }
    if (m_style == Style::PlainTextInput) {
        if (hasText)
            y += kTextFieldGap;
        metrics.fieldBox = { kSidePadding, y, textWidth, kFieldBoxHeight };
        y += kFieldBoxHeight + kFieldBottomPadding;
    } else {
        y += kTextBottomPadding;
    }
    metrics.buttonsTop = y;
    // FIXME: the phone scrolls a message taller than the screen; here the
    // panel simply grows past the screen's edges.
    int rows = numberOfButtons() == 2 ? 1 : numberOfButtons();
    metrics.height = y + rows * kButtonHeight;
    return metrics;
}

Size AlertView::sizeThatFits(Size) const
{
    return { kWidth, measure().height };
}

void AlertView::rebuildButtons()
{
    for (auto& button : m_buttons)
        button->removeFromSuperview();
    for (auto& line : m_separators)
        line->removeFromSuperview();
    m_buttons.clear();
    m_separators.clear();
    for (int i = 0; i < numberOfButtons(); ++i) {
        auto style = i == m_cancelIndex ? DialogButton::Style::Cancel : DialogButton::Style::Default;
        auto button = std::make_shared<DialogButton>(m_buttonTitles[size_t(i)], style, 17);
        std::weak_ptr<AlertView> weak = std::static_pointer_cast<AlertView>(sharedView());
        button->addAction(TouchUpInside, [weak, i](Control&) {
            if (auto alert = weak.lock())
                alert->buttonTapped(i);
        });
        addSubview(button);
        m_buttons.push_back(button);
    }
    int lines = numberOfButtons() == 0 ? 0 : std::max(1, numberOfButtons());
    for (int i = 0; i < lines; ++i) {
        auto line = std::make_shared<View>();
        line->setBackgroundColor(separatorColor());
        line->setUserInteractionEnabled(false);
        addSubview(line);
        m_separators.push_back(line);
    }
    setNeedsLayout();
}

void AlertView::layoutSubviews()
{
    Metrics metrics = measure();
    m_titleLabel->setFrame(metrics.title);
    m_messageLabel->setFrame(metrics.message);
    if (m_fieldBox) {
        m_fieldBox->setFrame(metrics.fieldBox);
        m_textField->setFrame(Rect { 0, 0, metrics.fieldBox.width(), metrics.fieldBox.height() }.insetBy(5, 0));
    }
    double hairline = 1.0 / Screen::main().scale();
    int count = numberOfButtons();
    if (count == 0 || m_buttons.size() != size_t(count))
        return;
    // Display order: others in index order, then cancel (at the bottom, or on
    // the left when two share a row).
    std::vector<int> order;
    for (int i = 0; i < count; ++i) {
        if (i != m_cancelIndex)
            order.push_back(i);
    }
    if (m_cancelIndex >= 0)
        order.insert(count == 2 ? order.begin() : order.end(), m_cancelIndex);
    double top = metrics.buttonsTop;
    m_separators[0]->setFrame({ 0, top, kWidth, hairline });
    if (count == 2) {
        double half = kWidth / 2;
        m_buttons[size_t(order[0])]->setFrame({ 0, top, half, kButtonHeight });
        m_buttons[size_t(order[1])]->setFrame({ half, top, kWidth - half, kButtonHeight });
        m_separators[1]->setFrame({ half, top, hairline, kButtonHeight });
        return;
    }
    for (size_t row = 0; row < order.size(); ++row) {
        double y = top + double(row) * kButtonHeight;
        m_buttons[size_t(order[row])]->setFrame({ 0, y, kWidth, kButtonHeight });
        if (row > 0)
            m_separators[row]->setFrame({ 0, y, kWidth, hairline });
    }
    // Separators stay above the pressed fill of the button below them.
    for (auto& line : m_separators)
        bringSubviewToFront(line.get());
}

void AlertView::placeInScreen()
{
    Size screen = Screen::main().size();
    double available = m_keyboardTop > 0 ? m_keyboardTop : screen.height;
    double height = measure().height;
    setBounds({ 0, 0, kWidth, height });
    setCenter({ screen.width / 2, available / 2 });
    setNeedsLayout();
}

void AlertView::keyboardWillChangeFrame(const Rect& endFrame)
{
    double screenHeight = Screen::main().size().height;
    double top = endFrame.y() < screenHeight ? endFrame.y() : 0;
    if (top == m_keyboardTop)
        return;
    m_keyboardTop = top;
    Animation::animate(0.25, [&] { placeInScreen(); });
}

void AlertView::show()
{
    if (!m_window.expired())
        return;
    auto self = std::static_pointer_cast<AlertView>(sharedView());
    m_dismissing = false;
    rebuildButtons();
    auto window = std::make_shared<DimmingWindow>();
    m_window = window;
    window->addSubview(self);
    std::weak_ptr<AlertView> weak = self;
    NotificationCenter::shared().addObserver(self, keyboard::WillChangeFrameNotification, [weak](const Notification& note) {
        auto alert = weak.lock();
        auto it = note.userInfo.find(keyboard::FrameEndKey);
        if (!alert || it == note.userInfo.end())
            return;
        if (auto* frame = std::any_cast<Rect>(&it->second))
            alert->keyboardWillChangeFrame(*frame);
    });
    // A keyboard already up stays up (the field takes it over): keep clear of it.
    auto& keyboard = Keyboard::shared();
    m_keyboardTop = keyboard.isVisible() ? keyboard.frame().y() : 0;
    placeInScreen();
    layoutIfNeeded();
    window->present(kShowDuration);
    // It pops in: from a little larger and transparent to its place.
    Animation::performWithoutAnimation([&] {
        setTransform(AffineTransform::scale(1.2, 1.2));
        setAlpha(0);
    });
    Animation::animate(kShowDuration, 0, AnimationCurve::EaseOut, [&] {
        setTransform(AffineTransform::identity());
        setAlpha(1);
    });
    if (m_style == Style::PlainTextInput)
        m_textField->becomeFirstResponder();
}

void AlertView::buttonTapped(int index)
{
    if (m_window.expired() || m_dismissing)
        return;
    auto keep = sharedView();
    if (clickedButtonAtIndex) {
        auto callback = clickedButtonAtIndex;
        callback(*this, index);
    }
    dismissWithClickedButtonIndex(index, true);
}

void AlertView::dismissWithClickedButtonIndex(int index, bool animated)
{
    auto window = m_window.lock();
    if (!window || m_dismissing)
        return;
    m_dismissing = true;
    auto self = std::static_pointer_cast<AlertView>(sharedView());
    endEditing(true);
    NotificationCenter::shared().removeObserversOf(this);
    if (animated)
        Animation::animate(kDismissDuration, 0, AnimationCurve::EaseIn, [&] { setAlpha(0); });
    window->dismiss(animated ? kDismissDuration : 0, [self, index] {
        self->removeFromSuperview();
        self->setUserInteractionEnabled(true);
        self->m_window.reset();
        self->m_dismissing = false;
        self->m_keyboardTop = 0;
        Animation::performWithoutAnimation([&] { self->setAlpha(1); });
        if (self->didDismissWithButtonIndex) {
            auto callback = self->didDismissWithButtonIndex;
            callback(*self, index);
        }
    });
}

std::shared_ptr<AlertView> AlertView::visibleAlert()
{
    return DimmingWindow::frontmostDialog<AlertView>();
}

std::string AlertView::debugText() const
{
    std::string text = m_title.value_or("");
    if (m_message && !m_message->empty())
        text += (text.empty() ? "" : " — ") + *m_message;
    return text;
}

} // namespace ui
