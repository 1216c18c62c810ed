#pragma once
#include <string_view>
#include <vector>

#include "ui/graphics/AttributedString.h"

// Builds an attributed string from many pieces in O(n log n): appending piece
// by piece to one string costs time in proportion to its runs each time, which
// grows quadratically for long messages with many emoji and links.
class QYAttributedStringBuilder {
public:
    void append(std::u16string_view text, const ui::TextAttributes& attributes);
    // A range of `source`, with its attributes.
    void append(const ui::AttributedString& source, ui::Range range);
    // The whole of `source`, with every range in `overlays` given the overlay's
    // attributes on top of its own. Overlays must be sorted and not overlap.
    struct Overlay {
        ui::Range range;
        ui::TextAttributes attributes;
    };
    void append(const ui::AttributedString& source, const std::vector<Overlay>& overlays);

    ui::AttributedString build();

private:
    std::vector<ui::AttributedString> m_parts;
};
