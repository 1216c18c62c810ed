#pragma once
#include <cstddef>
#include <memory>
#include <vector>

#include "coding/Data.h"
#include "ui/graphics/Image.h"

// JPEG data of the participants' avatars as records carry them. A picture is
// encoded once per quality and every record made with it shares that data,
// so a conversation stores each avatar once instead of once per message.
class ChatPictureData {
public:
    static constexpr std::size_t kCapacity = 8;

    // nullptr for no picture (the JPEG of a missing image is nil).
    coding::DataPtr jpeg(const ui::ImagePtr& image, double quality);

private:
    struct Entry {
        ui::ImagePtr image;
        double quality = 0;
        coding::DataPtr data;
    };
    // Most recently used last; a replaced avatar's entries age out.
    std::vector<Entry> m_entries;
};
