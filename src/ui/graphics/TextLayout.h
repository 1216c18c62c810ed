#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/graphics/AttributedString.h"
#include "ui/graphics/Geometry.h"

typedef struct _PangoLayout PangoLayout;

namespace ui {

class GraphicsContext;

// Lays attributed text out with Pango: within a width (0 = unlimited), at most
// `maxLines` lines (0 = unlimited), with the paragraph style of the text's first
// character unless overridden. Sizes are points.
class TextLayout {
public:
    struct Options {
        Options() = default;
        Options(double width, int maxLines = 0)
            : width(width)
            , maxLines(maxLines)
        {
        }
        double width = 0;
        int maxLines = 0;
        std::optional<TextAlignment> alignment;
        std::optional<LineBreakMode> lineBreakMode;
    };
    struct Line {
        Range range;   // UTF-16 units the line holds (with any hidden under its ellipsis)
        Rect rect;     // relative to the layout's origin
        double baseline = 0;
    };
    struct PlacedBox {
        InlineBox box;
        Range range;   // the unit that carries the box
        Rect rect;     // x, baseline − ascent, width, ascent + descent
        bool visible = true; // false when the line was truncated before it
    };

    TextLayout(const AttributedString& text, const Options& options);
    ~TextLayout();
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    // The bounding size of the laid-out text (not rounded).
    Size size() const;
    int lineCount() const;
    std::vector<Line> lines() const;
    std::vector<PlacedBox> inlineBoxes() const;
    // The UTF-16 index under a point, or nullopt outside the text.
    std::optional<std::size_t> indexAt(Point point) const;
    // Where a tap puts the caret: the character boundary nearest the point on
    // the line at its height (points above or below the text take the first or
    // last line). Always a valid UTF-16 index, never inside a character.
    std::size_t caretIndexAt(Point point) const;
    // The caret at a UTF-16 index: a thin rect the height of its line.
    Rect caretRect(std::size_t index) const;
    // Draws with the top-left corner at `origin`; inline boxes are drawn by the caller.
    void draw(GraphicsContext& context, Point origin) const;

    // The phone's boundingRect: the size of the text laid out within `width`
    // (0 = unlimited) and `maxLines` (0 = unlimited).
    static Size measure(const AttributedString& text, double width, int maxLines = 0);

private:
    struct MeasureOnly { };
    // Prepares `text` without keeping a copy of it, and makes Pango's layout
    // only when measuring needs it.
    TextLayout(const AttributedString& text, const Options& options, MeasureOnly);
    void build(const AttributedString& text, bool deferLayout);
    void makeLayout(const AttributedString& text);
    // size() found without Pango's own line breaking, when the text allows.
    std::optional<Size> quickSize(const AttributedString& text) const;

    PangoLayout* m_layout = nullptr;
    AttributedString m_text; // empty in a layout made only to measure
    std::size_t m_length = 0;
    bool m_hasSpacers = false;
    std::string m_utf8;
    ParagraphStyle m_paragraph;
    TextAlignment m_alignment = TextAlignment::Natural;
    LineBreakMode m_mode = LineBreakMode::WordWrap;
    Options m_options;
    std::vector<std::size_t> m_byteToUnit;
    std::vector<std::size_t> m_unitToByte;
    bool m_clipsLine = false;
};

} // namespace ui
