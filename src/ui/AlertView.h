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
class TextField;

// The phone's alert: a 270-point rounded panel centred over a dimmed screen,
// with a title, a message, an optional one-line text input and its buttons.
// Button indexes are the phone's: the cancel button is 0 when there is one,
// then the other buttons in the order given, then those added later. Two
// buttons sit side by side (cancel on the left); one or three and more are
// stacked with cancel at the bottom. While it is up nothing below it can be
// touched. A shown alert keeps itself alive until it has been dismissed.
class AlertView : public View {
public:
    enum class Style { Default, PlainTextInput };

    static constexpr double kWidth = 270;
    static constexpr double kButtonHeight = 44;
    static constexpr double kCornerRadius = 13;
    static constexpr double kShowDuration = 0.25;
    static constexpr double kDismissDuration = 0.2;

    AlertView(std::optional<std::string> title, std::optional<std::string> message,
        std::optional<std::string> cancelButtonTitle, std::vector<std::string> otherButtonTitles = {});
    static std::shared_ptr<AlertView> make(std::optional<std::string> title, std::optional<std::string> message,
        std::optional<std::string> cancelButtonTitle, std::vector<std::string> otherButtonTitles = {});
    ~AlertView() override;

    std::string className() const override { return "UIAlertView"; }

    const std::optional<std::string>& title() const { return m_title; }
    void setTitle(std::optional<std::string> title);
    const std::optional<std::string>& message() const { return m_message; }
    void setMessage(std::optional<std::string> message);
    Style alertViewStyle() const { return m_style; }
    void setAlertViewStyle(Style style);
    // The input of the plain-text style (index 0), nullptr otherwise.
    std::shared_ptr<TextField> textFieldAtIndex(int index) const;

    // Appends a button and returns its index.
    int addButtonWithTitle(const std::string& title);
    int numberOfButtons() const { return int(m_buttonTitles.size()); }
    std::optional<std::string> buttonTitleAtIndex(int index) const;
    // -1 without a cancel button.
    int cancelButtonIndex() const { return m_cancelIndex; }
    // The view a finger taps for the button (valid while shown).
    std::shared_ptr<DialogButton> buttonAtIndex(int index) const;

    // Shows the alert above everything. The text input, if any, becomes first
    // responder. Showing a shown alert does nothing.
    void show();
    // Takes the alert away as if the button had been chosen, without calling
    // clickedButtonAtIndex (the phone's programmatic dismissal).
    void dismissWithClickedButtonIndex(int index, bool animated);
    bool isVisible() const { return !m_window.expired() && !m_dismissing; }
    // The front-most alert on screen that is not on its way out.
    static std::shared_ptr<AlertView> visibleAlert();

    // Called synchronously when the user taps a button, before the alert starts
    // to go away. The callee may show another alert, dismiss this one or drop
    // its last reference to it.
    std::function<void(AlertView&, int buttonIndex)> clickedButtonAtIndex;
    // Called on the main queue once the alert has gone (synchronously for a
    // dismissal without animation). The callee may release the alert.
    std::function<void(AlertView&, int buttonIndex)> didDismissWithButtonIndex;

    void layoutSubviews() override;
    Size sizeThatFits(Size size) const override;
    std::string debugText() const override;

private:
    struct Metrics;
    Metrics measure() const;
    void rebuildButtons();
    void buttonTapped(int index);
    void placeInScreen();
    void keyboardWillChangeFrame(const Rect& endFrame);

    std::optional<std::string> m_title;
    std::optional<std::string> m_message;
    std::vector<std::string> m_buttonTitles;
    int m_cancelIndex = -1;
    Style m_style = Style::Default;

    std::shared_ptr<Label> m_titleLabel;
    std::shared_ptr<Label> m_messageLabel;
    std::shared_ptr<View> m_fieldBox;
    std::shared_ptr<TextField> m_textField;
    std::vector<std::shared_ptr<DialogButton>> m_buttons;
    std::vector<std::shared_ptr<View>> m_separators;

    // Held by the application while shown; the window holds this view.
    std::weak_ptr<DimmingWindow> m_window;
    bool m_dismissing = false;
    double m_keyboardTop = 0; // 0: no keyboard on screen
};

} // namespace ui
