#pragma once
#include <memory>
#include <string>

#include "ui/graphics/Image.h"

// One item of the more panel: its picture and the title under it.
class GXMoreItem {
public:
    GXMoreItem(ui::ImagePtr normalImage, std::string title)
        : menuImage(std::move(normalImage))
        , title(std::move(title))
    {
    }
    static std::shared_ptr<GXMoreItem> initWithNormalImage(ui::ImagePtr image, std::string title)
    {
        return std::make_shared<GXMoreItem>(std::move(image), std::move(title));
    }

    ui::ImagePtr menuImage;
    std::string title;
};

using GXMoreItemPtr = std::shared_ptr<GXMoreItem>;
