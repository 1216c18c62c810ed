#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/View.h"

namespace ui {

class DialogButton;
class DimmingWindow;
class Label;

// The phone's action sheet: a list of choices that slides up from the bottom
// of the screen over a dim, the cancel button apart in a panel of its own at
// the bottom. Button indexes are the phone's: the destructive button first
// (when given), then the other buttons in order, then the cancel button, then
// buttons added later. A tap on the dim counts as the cancel button. A shown
// sheet keeps itself alive until it has been dismissed.
class ActionSheet : public View {
public:
    static constexpr double kRowHeight = 57;
    static constexpr double kMargin = 10;
    static constexpr double kGroupGap = 8;
    static constexpr double kCornerRadius = 13;
    static constexpr double kShowDuration = 0.3;
    static constexpr double kDismissDuration = 0.25;

    ActionSheet(std::optional<std::string> title, std::optional<std::string> cancelButtonTitle,
        std::optional<std::string> destructiveButtonTitle, std::vector<std::string> otherButtonTitles = {});
    static std::shared_ptr<ActionSheet> make(std::optional<std::string> title, std::optional<std::string> cancelButtonTitle,
        std::optional<std::string> destructiveButtonTitle, std::vector<std::string> otherButtonTitles = {});
    ~ActionSheet() override;

    std::string className() const override { return "UIActionSheet"; }

    const std::optional<std::string>& title() const { return m_title; }
    void setTitle(std::optional<std::string> title);
    // Appends a button (shown above the cancel button) and returns its index.
    int addButtonWithTitle(const std::string& title);
    int numberOfButtons() const { return int(m_buttonTitles.size()); }
    std::optional<std::string> buttonTitleAtIndex(int index) const;
    // -1 when there is none.
    int cancelButtonIndex() const { return m_cancelIndex; }
    int destructiveButtonIndex() const { return m_destructiveIndex; }
    // The view a finger taps for the button (valid while shown).
    std::shared_ptr<DialogButton> buttonAtIndex(int index) const;

    // Slides the sheet up from the bottom of the screen; `view` is where the
    // caller shows it from (the phone shows it over the whole screen anyway).
    void showInView(View* view);
    // Takes the sheet away as if the button had been chosen, without calling
    // clickedButtonAtIndex.
    void dismissWithClickedButtonIndex(int index, bool animated);
    bool isVisible() const { return !m_window.expired() && !m_dismissing; }
    // The front-most sheet on screen that is not on its way out.
    static std::shared_ptr<ActionSheet> visibleSheet();

    // Called synchronously when a button is tapped (or the dim, as cancel),
    // before the sheet starts to slide away. The callee may present a screen,
    // show an alert, dismiss this sheet or drop its last reference to it.
    std::function<void(ActionSheet&, int buttonIndex)> clickedButtonAtIndex;
    // Called on the main queue once the sheet is gone (synchronously for a
    // dismissal without animation). The callee may release the sheet.
    std::function<void(ActionSheet&, int buttonIndex)> didDismissWithButtonIndex;

    void layoutSubviews() override;
    Size sizeThatFits(Size size) const override;
    std::string debugText() const override;

private:
    double mainGroupHeight() const;
    double titleHeight() const;
    void rebuild();
    void buttonTapped(int index);
    Rect restingFrame() const;

    std::optional<std::string> m_title;
    std::vector<std::string> m_buttonTitles;
    int m_cancelIndex = -1;
    int m_destructiveIndex = -1;

    std::shared_ptr<View> m_mainGroup;
    std::shared_ptr<View> m_cancelGroup;
    std::shared_ptr<Label> m_titleLabel;
    std::vector<std::shared_ptr<DialogButton>> m_buttons;
    std::vector<std::shared_ptr<View>> m_separators;

    // Held by the application while shown; the window holds this view.
    std::weak_ptr<DimmingWindow> m_window;
    bool m_dismissing = false;
};

} // namespace ui
