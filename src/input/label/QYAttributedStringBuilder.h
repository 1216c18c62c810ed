#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "ui/graphics/AttributedString.h"

// Builds an attributed string from many pieces in one pass: the text and the
// runs grow at their ends, a piece with the attributes of the run before it
// extends that run, and the string is assembled once at the end. Appending
// piece by piece to an attributed string would copy its runs every time.
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

    // The string built so far; the builder starts over empty.
    ui::AttributedString build();

private:
    // Each piece of `source` within `range`, with its attributes (none where no
    // run covers it), handed to `piece`.
    template <typename Piece>
    static void forEachPiece(const ui::AttributedString& source, ui::Range range, Piece&& piece);

    std::u16string m_text;
    std::vector<ui::AttributedString::Run> m_runs;
};
