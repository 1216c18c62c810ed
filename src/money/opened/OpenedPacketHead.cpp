#include "money/opened/OpenedPacketHead.h"

#include "money/common/MoneyLabel.h"

namespace {

constexpr double kNameWidth = 150;

} // namespace

std::shared_ptr<ui::ImageView> OpenedPacketHead::roundAvatar(ui::View& page, double top, double diameter, ui::ImagePtr picture)
{
    double middle = page.bounds().width() / 2;
    auto avatar = std::make_shared<ui::ImageView>(ui::Rect { middle - diameter / 2, top, diameter, diameter });
    avatar->setCornerRadius(diameter / 2);
    avatar->setClipsToBounds(true);
    avatar->setContentMode(ui::ContentMode::ScaleAspectFill);
    avatar->setBackgroundColor(ui::Color::grayColor());
    avatar->setImage(std::move(picture));
    page.addSubview(avatar);
    return avatar;
}

std::shared_ptr<ui::Label> OpenedPacketHead::nameUnder(ui::View& page, const ui::View& avatar, const std::string& text,
    const ui::Font& font, std::optional<ui::Color> color)
{
    double middle = page.bounds().width() / 2;
    auto name = MoneyLabel::make(text, font, color);
    name->setTextAlignment(ui::TextAlignment::Center);
    name->setLineBreakMode(ui::LineBreakMode::TruncateMiddle);
    double height = name->sizeThatFits({ kNameWidth, 1e6 }).height;
    name->setFrame({ middle - kNameWidth / 2, avatar.frame().maxY() + 10, kNameWidth, height });
    page.addSubview(name);
    return name;
}

std::shared_ptr<ui::Label> OpenedPacketHead::greetingUnder(ui::View& page, const ui::View& name, const std::optional<std::string>& text)
{
    double width = page.bounds().width();
    auto greeting = MoneyLabel::make(text, ui::Font::system(14), ui::Color::rgb(178, 178, 178));
    greeting->setTextAlignment(ui::TextAlignment::Center);
    MoneyLabel::placeCentered(*greeting, width / 2, name.frame().maxY() + 8, width);
    page.addSubview(greeting);
    return greeting;
}
