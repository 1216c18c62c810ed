#include "money/common/MoneyBackground.h"

#include "ui/graphics/Image.h"

std::shared_ptr<ui::ImageView> MoneyBackground::fill(ui::View& page, const std::string& pictureName)
{
    auto background = std::make_shared<ui::ImageView>(page.bounds());
    background->setImage(ui::Image::named(pictureName));
    background->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    page.addSubview(background);
    return background;
}
