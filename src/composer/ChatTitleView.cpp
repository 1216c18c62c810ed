#include "composer/ChatTitleView.h"

#include "ui/NavigationBar.h"
#include "ui/Screen.h"
#include "widgets/AppStyle.h"

ChatTitleView::ChatTitleView()
    : ui::View(ui::Rect { 0, 0, widthForScreenHeight(ui::Screen::main().size().height), ui::NavigationBar::kHeight })
{
    setBackgroundColor(ui::Color::clearColor());
    double width = bounds().width();
    m_nickText = std::make_shared<ui::TextField>(
        ui::Rect { 0, (bounds().height() - kFieldHeight) / 2, width, kFieldHeight });
    m_nickText->setFont(appFont(AppFont::ChatTitle));
    m_nickText->setTextColor(ui::Color::whiteColor());
    m_nickText->setTextAlignment(ui::TextAlignment::Center);
    m_nickText->returnKeyType = ui::ReturnKeyType::Done;
    m_nickText->setText(std::string_view(kInitialText));
    addSubview(m_nickText);
}

double ChatTitleView::widthForScreenHeight(double height)
{
    if (height == 480 || height == 568)
        return 106;
    if (height == 667)
        return 153;
    return 180;
}
