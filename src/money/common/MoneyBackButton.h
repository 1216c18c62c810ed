#pragma once
#include <memory>
#include <optional>
#include <string>

#include "ui/Button.h"

namespace ui {
class ViewController;
}

// The money pages' back button: an arrow and "返回", pulled towards the screen
// edge. Pages that differ pass their own picture, title or tint.
struct MoneyBackButton {
    struct Look {
        std::string image = "QYArrow.png";
        std::string title = "返回";
        double width = 84;
        // The title's size; nullopt keeps the button's own (system 15).
        std::optional<double> titleFontSize;
    };
    static std::shared_ptr<ui::Button> make(const Look& look);
    static std::shared_ptr<ui::Button> make() { return make(Look {}); }
    // The button made, put on the left of `page`'s bar, leaving the page when tapped.
    static std::shared_ptr<ui::Button> installPopping(ui::ViewController& page, const Look& look);
    static std::shared_ptr<ui::Button> installPopping(ui::ViewController& page) { return installPopping(page, Look {}); }
};
