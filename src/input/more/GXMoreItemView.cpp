#include "input/more/GXMoreItemView.h"

#include "widgets/AppStyle.h"

GXMoreItemView::GXMoreItemView(const ui::Rect& frame)
    : ui::View(frame)
{
    setupUI();
}

void GXMoreItemView::setupUI()
{
    auto button = ui::Button::make(ui::Button::Type::Custom);
    button->setFrame({ 0, 0, kWidth, kHeight });
    button->setBackgroundColor(ui::Color::clearColor());
    addSubview(button);
    m_itemButton = button;

    auto title = std::make_shared<ui::Label>(ui::Rect { 0, kHeight, kWidth, 12 });
    title->setFont(appFont(AppFont::MoreItemTitle));
    title->setTextAlignment(ui::TextAlignment::Center);
    title->setTextColor(ui::Color::whiteColor());
    title->setBackgroundColor(ui::Color::clearColor());
    addSubview(title);
    m_itemTitleLabel = title;
}
