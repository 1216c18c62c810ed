#pragma once
#include <memory>

#include "ui/graphics/Image.h"

// A photo of the album with the time it was taken.
struct WJAsset {
    WJAsset(double creation, ui::ImagePtr picture)
        : creationTimeInterval(creation)
        , image(std::move(picture))
    {
    }
    double creationTimeInterval = 0; // seconds since 1970-01-01 00:00 UTC
    ui::ImagePtr image;
};

using WJAssetPtr = std::shared_ptr<WJAsset>;
