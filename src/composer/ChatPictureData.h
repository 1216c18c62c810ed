#pragma once
#include <cstddef>
#include <memory>
#include <vector>

#include "coding/Data.h"
#include "ui/graphics/Image.h"

// JPEG data of the participants' avatars as records carry them. A picture is
// encoded once per quality and every record made with it shares that data,
// so a conversation stores each avatar once instead of once per message. Data
// the stored records already hold is shared too: an unchanged picture encodes
// to the very bytes it was loaded from (ui::Image::jpegData), and then to the
// loaded object itself, which the store writes once.
class ChatPictureData {
public:
    static constexpr std::size_t kCapacity = 8;

    // nullptr for no picture (the JPEG of a missing image is nil).
    coding::DataPtr jpeg(const ui::ImagePtr& image, double quality);
    // Data of loaded records, handed back for pictures that encode to the same bytes.
    void adopt(const coding::DataPtr& data);

private:
    struct Entry {
        ui::ImagePtr image;
        double quality = 0;
        coding::DataPtr data;
    };
    coding::DataPtr known(const std::vector<std::uint8_t>& bytes) const;
    // Whether `data` is one of the objects already held; rows of one speaker
    // share one object, so most of a loaded chat is settled without reading bytes.
    bool holds(const coding::Data* data) const;

    // Most recently used last; a replaced avatar's entries age out.
    std::vector<Entry> m_entries;
    // Distinct loaded data, oldest first.
    std::vector<coding::DataPtr> m_adopted;
};
