#include "ui/DialogButton.h"

namespace ui {

DialogButton::DialogButton(const std::string& title, Style style, double fontSize)
    : Button(Type::Custom)
    , m_style(style)
{
    setTitle(title);
    Color color = style == Style::Destructive ? red() : blue();
    setTitleColor(color);
    setTitleColor(color, StateHighlighted);
    titleLabel()->setFont(style == Style::Cancel ? Font::boldSystem(fontSize) : Font::system(fontSize));
    titleLabel()->setLineBreakMode(LineBreakMode::TruncateMiddle);
}

void DialogButton::stateDidChange()
{
    Button::stateDidChange();
    if (isHighlighted())
        setBackgroundColor(pressedFill());
    else
        setBackgroundColor(std::nullopt);
}

} // namespace ui
