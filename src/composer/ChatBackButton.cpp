#include "composer/ChatBackButton.h"

std::string ChatBackButton::title(ChatStyle style, const std::optional<std::string>& unReadNum)
{
    std::string name = isMessenger(style) ? "微信" : "朋友";
    return unReadNum ? name + "(" + *unReadNum + ")" : name;
}

std::shared_ptr<ui::Button> ChatBackButton::make(ChatStyle style, const std::optional<std::string>& unReadNum)
{
    auto button = ui::Button::make(ui::Button::Type::System);
    button->setFrame({ -10, 0, 87, 30 });
    button->setContentHorizontalAlignment(ui::ContentHorizontalAlignment::Left);
    button->setTitleEdgeInsets({ 0, -3, 0, 0 });
    button->setImageEdgeInsets({ 0, -6, 0, 0 });
    button->setImage(ui::Image::named(isMessenger(style) ? "QYArrow.png" : "QYPay_Arrow.png"));
    button->setTitle(title(style, unReadNum));
    button->setTintColor(ui::Color::whiteColor());
    return button;
}
