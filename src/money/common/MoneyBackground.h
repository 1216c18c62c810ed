#pragma once
#include <memory>
#include <string>

#include "ui/ImageView.h"

// A money page's background picture: it fills the page's view and follows its
// size. Most of what the page shows is drawn in it; the labels lie on top.
struct MoneyBackground {
    static std::shared_ptr<ui::ImageView> fill(ui::View& page, const std::string& pictureName);
};
