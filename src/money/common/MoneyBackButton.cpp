#include "money/common/MoneyBackButton.h"

#include "ui/BarButtonItem.h"
#include "ui/NavigationController.h"
#include "ui/ViewController.h"
#include "ui/graphics/Image.h"

std::shared_ptr<ui::Button> MoneyBackButton::make(const Look& look)
{
    auto button = ui::Button::make(ui::Button::Type::System);
    button->setFrame({ -10, 0, look.width, 30 });
    button->setContentHorizontalAlignment(ui::ContentHorizontalAlignment::Left);
    button->setTitleEdgeInsets({ 0, -3, 0, 0 });
    button->setImageEdgeInsets({ 0, -6, 0, 0 });
    button->setImage(ui::Image::named(look.image));
    button->setTitle(look.title);
    if (look.titleFontSize)
        button->titleLabel()->setFont(ui::Font::system(*look.titleFontSize));
    return button;
}

std::shared_ptr<ui::Button> MoneyBackButton::installPopping(ui::ViewController& page, const Look& look)
{
    auto button = make(look);
    std::weak_ptr<ui::ViewController> weak = page.sharedController();
    button->addAction(ui::TouchUpInside, [weak](ui::Control&) {
        auto self = weak.lock();
        if (auto* navigation = self ? self->navigationController() : nullptr)
            navigation->popViewController(true);
    });
    page.navigationItem().leftBarButtonItem = ui::BarButtonItem::withCustomView(button);
    return button;
}
