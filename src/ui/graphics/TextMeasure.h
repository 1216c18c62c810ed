#pragma once
#include <optional>
#include <string_view>
#include <vector>

#include <pango/pango.h>

namespace ui {

// A line of a measured paragraph, in Pango units.
struct MeasuredLine {
    int width = 0;
    int height = 0;
};

// The lines a Pango layout would make of one paragraph of `text` within
// `width` (Pango units, wrapping as `wrap`), found by following Pango's own
// line breaking while shaping no part twice. Pango shapes an item again when
// it fits and shapes every prefix it might break at near the end of a line;
// when an item shapes exactly as its characters do one by one, the widths of
// its parts are known without shaping them at all. `attributes` are those the
// layout would use (its font description first, then the text's); they are
// sorted out in place. The layout's other settings are its defaults: no
// indent, ellipsis, justification or line height factor, its direction found
// from the text. nullopt when the text is outside what is followed here
// (several paragraphs, tabs, white space, a break that takes a hyphen,
// right-to-left text, letter spacing, line heights), and with a Pango other
// than the 1.50 series it follows: the caller lets Pango lay it out instead.
std::optional<std::vector<MeasuredLine>> measureWrappedParagraph(PangoContext* context, std::string_view text,
    PangoAttrList* attributes, int width, PangoWrapMode wrap);

} // namespace ui
