#pragma once
#include <optional>
#include <string_view>
#include <vector>

#include <pango/pango.h>

namespace ui {

// The Pango series whose line breaking the measuring shortcut follows.
inline constexpr int kFollowedPangoMajor = 1;
inline constexpr int kFollowedPangoMinor = 50;

// Whether measuring takes the shortcut below: only with the Pango series it
// follows, since another series may break lines differently. When off, every
// text is laid out by Pango (right, but slower: each item is shaped again
// for every break it might take); the first call says so in the log, and the
// text measuring tests fail unless QY_ACCEPT_UNFOLLOWED_PANGO=1 acknowledges it.
bool measuringShortcutOn();

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
// right-to-left text, letter spacing, line heights), and whenever the
// shortcut is off: the caller lets Pango lay it out instead.
std::optional<std::vector<MeasuredLine>> measureWrappedParagraph(PangoContext* context, std::string_view text,
    PangoAttrList* attributes, int width, PangoWrapMode wrap);

} // namespace ui
