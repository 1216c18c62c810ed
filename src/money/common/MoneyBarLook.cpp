#include "money/common/MoneyBarLook.h"

#include "ui/NavigationController.h"

void MoneyBarLook::applyTo(ui::ViewController& page) const
{
    auto* navigation = page.navigationController();
    if (!navigation)
        return;
    const auto& bar = navigation->navigationBar();
    if (backgroundImage)
        bar->setBackgroundImage(backgroundImage);
    if (tint)
        bar->setTintColor(*tint);
    if (emptyShadow) {
        // One clear pixel: a shadow picture that shows nothing.
        static const ui::ImagePtr clear = ui::Image::fromPixels({ 1, 1, 4, { 0, 0, 0, 0 } }, 1);
        bar->setShadowImage(clear);
    }
    // The page's own bar buttons of the system type draw in the bar's tint.
    for (const auto& item : { page.navigationItem().leftBarButtonItem, page.navigationItem().rightBarButtonItem }) {
        auto button = item ? std::dynamic_pointer_cast<ui::Button>(item->customView) : nullptr;
        if (button && button->buttonType() == ui::Button::Type::System)
            button->setTintColor(bar->tintColor());
    }
}
