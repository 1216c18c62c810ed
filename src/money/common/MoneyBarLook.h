#pragma once
#include <optional>

#include "ui/ViewController.h"
#include "ui/graphics/Color.h"
#include "ui/graphics/Image.h"

// What a money page puts on the navigation bar of its stack when it appears.
// The chat screen puts its own look back when it appears again. The page's own
// system-type bar buttons take the bar's tint, as on the phone.
struct MoneyBarLook {
    // nullptr keeps the bar's picture.
    ui::ImagePtr backgroundImage;
    std::optional<ui::Color> tint;
    // No hairline under the bar.
    bool emptyShadow = false;

    void applyTo(ui::ViewController& page) const;
};
