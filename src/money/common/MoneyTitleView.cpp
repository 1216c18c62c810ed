#include "money/common/MoneyTitleView.h"

#include "ui/NavigationBar.h"
#include "ui/Screen.h"

MoneyTitleView::MoneyTitleView(double width, const std::string& title, const std::string& subtitle, const ui::Color& color)
    : ui::View(ui::Rect { 0, 0, width, ui::NavigationBar::kHeight })
{
    setBackgroundColor(ui::Color::clearColor());
    double half = bounds().height() / 2;
    // The subtitle starts 3 points above the title's bottom, so the two lines sit close.
    m_title = std::make_shared<ui::Label>(ui::Rect { 0, 3, width, half });
    m_title->setFont(ui::Font::boldSystem(16));
    m_subtitle = std::make_shared<ui::Label>(ui::Rect { 0, m_title->frame().maxY() - 3, width, half });
    m_subtitle->setFont(ui::Font::system(10));
    for (const auto& [label, text] : { std::pair { m_title, title }, std::pair { m_subtitle, subtitle } }) {
        label->setText(text);
        label->setTextColor(color);
        label->setTextAlignment(ui::TextAlignment::Center);
        addSubview(label);
    }
}

double MoneyTitleView::widthForScreen(double narrow)
{
    double height = ui::Screen::main().size().height;
    return height == 480 || height == 568 ? narrow : 150;
}
