#pragma once
#include "ui/Button.h"

namespace ui {

// A button row of an alert or an action sheet: the title in the phone's blue,
// red when destructive, bold when it cancels; a grey fill while pressed.
class DialogButton : public Button {
public:
    enum class Style { Default, Cancel, Destructive };

    static Color blue() { return Color::rgb(0, 122, 255); }
    static Color red() { return Color::rgb(255, 59, 48); }
    static Color pressedFill() { return Color::rgb(217, 217, 217); }

    DialogButton(const std::string& title, Style style, double fontSize);
    std::string className() const override { return "_UIAlertControllerActionView"; }
    Style style() const { return m_style; }

protected:
    void stateDidChange() override;

private:
    Style m_style;
};

} // namespace ui
