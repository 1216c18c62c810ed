#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/View.h"
#include "ui/graphics/Image.h"

namespace ui {

// An item of a navigation bar: a title, a picture or a custom view, with an
// action run when tapped (custom views handle their own taps).
class BarButtonItem {
public:
    BarButtonItem() = default;
    static std::shared_ptr<BarButtonItem> withTitle(std::string title, std::function<void()> action = {});
    static std::shared_ptr<BarButtonItem> withImage(ImagePtr image, std::function<void()> action = {});
    static std::shared_ptr<BarButtonItem> withCustomView(std::shared_ptr<View> view);

    std::optional<std::string> title;
    ImagePtr image;
    std::shared_ptr<View> customView;
    std::function<void()> action;
    std::optional<Color> tintColor;
    bool enabled = true;
};

using BarButtonItemPtr = std::shared_ptr<BarButtonItem>;

// What a screen shows in the navigation bar while it is on top.
class NavigationItem {
public:
    std::optional<std::string> title;
    std::shared_ptr<View> titleView;
    BarButtonItemPtr leftBarButtonItem;
    BarButtonItemPtr rightBarButtonItem;
    // Shown on the next screen's back button instead of this screen's title.
    BarButtonItemPtr backBarButtonItem;
    bool hidesBackButton = false;
};

} // namespace ui
