#include "ui/ActionSheet.h"

#include <algorithm>

#include "ui/Application.h"
#include "ui/DialogButton.h"
#include "ui/DimmingWindow.h"
#include "ui/Label.h"
#include "ui/Screen.h"

namespace ui {

static constexpr double kTitlePadding = 14;
static constexpr double kMinimumTitleHeight = 44;
static constexpr double kTitleSideInset = 16;
static constexpr double kButtonFontSize = 20;

static Color panelColor() { return Color::rgb(248, 248, 248); }
static Color separatorColor() { return Color::rgb(0, 0, 0, 0.12); }

ActionSheet::ActionSheet(std::optional<std::string> title, std::optional<std::string> cancelButtonTitle,
    std::optional<std::string> destructiveButtonTitle, std::vector<std::string> otherButtonTitles)
    : m_title(std::move(title))
    , m_mainGroup(std::make_shared<View>())
    , m_cancelGroup(std::make_shared<View>())
    , m_titleLabel(std::make_shared<Label>())
{
    if (destructiveButtonTitle) {
        m_destructiveIndex = 0;
        m_buttonTitles.push_back(*destructiveButtonTitle);
    }
    for (auto& other : otherButtonTitles)
        m_buttonTitles.push_back(other);
    if (cancelButtonTitle) {
        m_cancelIndex = int(m_buttonTitles.size());
        m_buttonTitles.push_back(*cancelButtonTitle);
    }
    for (auto& group : { m_mainGroup, m_cancelGroup }) {
        group->setBackgroundColor(panelColor());
        group->setCornerRadius(kCornerRadius);
        group->setClipsToBounds(true);
        addSubview(group);
    }
    m_titleLabel->setFont(Font::boldSystem(13));
    m_titleLabel->setTextColor(Color::rgb(143, 143, 143));
    m_titleLabel->setTextAlignment(TextAlignment::Center);
    m_titleLabel->setNumberOfLines(0);
    m_titleLabel->setLineBreakMode(LineBreakMode::WordWrap);
    m_titleLabel->setText(m_title);
    m_mainGroup->addSubview(m_titleLabel);
}

std::shared_ptr<ActionSheet> ActionSheet::make(std::optional<std::string> title, std::optional<std::string> cancelButtonTitle,
    std::optional<std::string> destructiveButtonTitle, std::vector<std::string> otherButtonTitles)
{
    return std::make_shared<ActionSheet>(std::move(title), std::move(cancelButtonTitle), std::move(destructiveButtonTitle),
        std::move(otherButtonTitles));
}

ActionSheet::~ActionSheet() = default;

void ActionSheet::setTitle(std::optional<std::string> title)
{
    if (m_title == title)
        return;
    m_title = std::move(title);
    m_titleLabel->setText(m_title);
    if (!m_window.expired())
        setFrame(restingFrame());
    setNeedsLayout();
}

int ActionSheet::addButtonWithTitle(const std::string& title)
{
    m_buttonTitles.push_back(title);
    if (!m_window.expired()) {
        rebuild();
        setFrame(restingFrame());
    }
    return int(m_buttonTitles.size()) - 1;
}

std::optional<std::string> ActionSheet::buttonTitleAtIndex(int index) const
{
    if (index < 0 || index >= numberOfButtons())
        return std::nullopt;
    return m_buttonTitles[size_t(index)];
}

std::shared_ptr<DialogButton> ActionSheet::buttonAtIndex(int index) const
{
    if (index < 0 || size_t(index) >= m_buttons.size())
        return nullptr;
    return m_buttons[size_t(index)];
}

double ActionSheet::titleHeight() const
{
    if (!m_title || m_title->empty())
        return 0;
    double width = Screen::main().size().width - 2 * kMargin - 2 * kTitleSideInset;
    double text = m_titleLabel->sizeThatFits({ width, 10000 }).height;
    return std::max(kMinimumTitleHeight, text + 2 * kTitlePadding);
}

// FIXME: the phone scrolls the buttons when the sheet would pass the top of
// the screen; here the sheet grows past it.
double ActionSheet::mainGroupHeight() const
{
    int rows = numberOfButtons() - (m_cancelIndex >= 0 ? 1 : 0);
    return titleHeight() + rows * kRowHeight;
}

Size ActionSheet::sizeThatFits(Size) const
{
    double height = mainGroupHeight();
    if (m_cancelIndex >= 0)
        height += (height > 0 ? kGroupGap : 0) + kRowHeight;
    return { Screen::main().size().width - 2 * kMargin, height };
}

Rect ActionSheet::restingFrame() const
{
    Size screen = Screen::main().size();
    Size size = sizeThatFits(screen);
    return { kMargin, screen.height - kMargin - size.height, size.width, size.height };
}

void ActionSheet::rebuild()
{
    for (auto& button : m_buttons)
        button->removeFromSuperview();
    for (auto& line : m_separators)
        line->removeFromSuperview();
    m_buttons.clear();
    m_separators.clear();
    std::weak_ptr<ActionSheet> weak = std::static_pointer_cast<ActionSheet>(sharedView());
    for (int i = 0; i < numberOfButtons(); ++i) {
        auto style = i == m_cancelIndex ? DialogButton::Style::Cancel
            : i == m_destructiveIndex   ? DialogButton::Style::Destructive
                                        : DialogButton::Style::Default;
        auto button = std::make_shared<DialogButton>(m_buttonTitles[size_t(i)], style, kButtonFontSize);
        button->addAction(TouchUpInside, [weak, i](Control&) {
            if (auto sheet = weak.lock())
                sheet->buttonTapped(i);
        });
        (i == m_cancelIndex ? m_cancelGroup : m_mainGroup)->addSubview(button);
        m_buttons.push_back(button);
        if (i != m_cancelIndex) {
            auto line = std::make_shared<View>();
            line->setBackgroundColor(separatorColor());
            line->setUserInteractionEnabled(false);
            m_mainGroup->addSubview(line);
            m_separators.push_back(line);
        }
    }
    setNeedsLayout();
}

void ActionSheet::layoutSubviews()
{
    double width = bounds().width();
    double mainHeight = mainGroupHeight();
    m_mainGroup->setFrame({ 0, 0, width, mainHeight });
    m_mainGroup->setHidden(mainHeight <= 0);
    double title = titleHeight();
    m_titleLabel->setFrame({ kTitleSideInset, 0, width - 2 * kTitleSideInset, title });
    m_titleLabel->setHidden(title <= 0);
    double hairline = 1.0 / Screen::main().scale();
    double y = title;
    size_t line = 0;
    for (int i = 0; i < int(m_buttons.size()); ++i) {
        if (i == m_cancelIndex)
            continue;
        m_buttons[size_t(i)]->setFrame({ 0, y, width, kRowHeight });
        // A line above every row but a first row with no title over it.
        m_separators[line]->setFrame({ 0, y, width, hairline });
        m_separators[line]->setHidden(y <= 0);
        ++line;
        y += kRowHeight;
    }
    for (auto& separator : m_separators)
        m_mainGroup->bringSubviewToFront(separator.get());
    m_cancelGroup->setHidden(m_cancelIndex < 0);
    if (m_cancelIndex >= 0 && size_t(m_cancelIndex) < m_buttons.size()) {
        double top = mainHeight > 0 ? mainHeight + kGroupGap : 0;
        m_cancelGroup->setFrame({ 0, top, width, kRowHeight });
        m_buttons[size_t(m_cancelIndex)]->setFrame({ 0, 0, width, kRowHeight });
    }
}

void ActionSheet::showInView(View*)
{
    if (!m_window.expired())
        return;
    auto self = std::static_pointer_cast<ActionSheet>(sharedView());
    m_dismissing = false;
    rebuild();
    auto window = std::make_shared<DimmingWindow>();
    m_window = window;
    std::weak_ptr<ActionSheet> weak = self;
    window->tappedOutside = [weak] {
        auto sheet = weak.lock();
        if (sheet && sheet->m_cancelIndex >= 0)
            sheet->buttonTapped(sheet->m_cancelIndex);
    };
    window->addSubview(self);
    Rect resting = restingFrame();
    setFrame(resting.offsetBy(0, Screen::main().size().height - resting.y()));
    layoutIfNeeded();
    window->present(kShowDuration);
    Animation::animate(kShowDuration, 0, AnimationCurve::EaseOut, [&] { setFrame(resting); });
}

void ActionSheet::buttonTapped(int index)
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

void ActionSheet::dismissWithClickedButtonIndex(int index, bool animated)
{
    auto window = m_window.lock();
    if (!window || m_dismissing)
        return;
    m_dismissing = true;
    auto self = std::static_pointer_cast<ActionSheet>(sharedView());
    if (animated) {
        Rect away = frame().offsetBy(0, Screen::main().size().height - frame().y());
        Animation::animate(kDismissDuration, 0, AnimationCurve::EaseIn, [&] { setFrame(away); });
    }
    window->dismiss(animated ? kDismissDuration : 0, [self, index] {
        self->removeFromSuperview();
        self->setUserInteractionEnabled(true);
        self->m_window.reset();
        self->m_dismissing = false;
        if (self->didDismissWithButtonIndex) {
            auto callback = self->didDismissWithButtonIndex;
            callback(*self, index);
        }
    });
}

std::shared_ptr<ActionSheet> ActionSheet::visibleSheet()
{
    return DimmingWindow::frontmostDialog<ActionSheet>();
}

std::string ActionSheet::debugText() const { return m_title.value_or(""); }

} // namespace ui
