#include "ui/BarButtonItem.h"

namespace ui {

std::shared_ptr<BarButtonItem> BarButtonItem::withTitle(std::string title, std::function<void()> action)
{
    auto item = std::make_shared<BarButtonItem>();
    item->title = std::move(title);
    item->action = std::move(action);
    return item;
}

std::shared_ptr<BarButtonItem> BarButtonItem::withImage(ImagePtr image, std::function<void()> action)
{
    auto item = std::make_shared<BarButtonItem>();
    item->image = std::move(image);
    item->action = std::move(action);
    return item;
}

std::shared_ptr<BarButtonItem> BarButtonItem::withCustomView(std::shared_ptr<View> view)
{
    auto item = std::make_shared<BarButtonItem>();
    item->customView = std::move(view);
    return item;
}

} // namespace ui
