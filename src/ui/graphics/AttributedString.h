#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/graphics/Color.h"
#include "ui/graphics/Font.h"
#include "ui/graphics/Range.h"

namespace ui {

enum class TextAlignment { Left, Center, Right, Justified, Natural };
enum class LineBreakMode { WordWrap, CharWrap, Clip, TruncateHead, TruncateTail, TruncateMiddle };

struct ParagraphStyle {
    TextAlignment alignment = TextAlignment::Natural;
    LineBreakMode lineBreakMode = LineBreakMode::WordWrap;
    double lineSpacing = 0;        // extra points between lines
    double lineHeightMultiple = 0; // 0 = the font's own line height
    double paragraphSpacing = 0;
    bool operator==(const ParagraphStyle&) const = default;
};

// A box laid out in the line like a glyph (an inline emoji picture): width,
// ascent above and descent below the baseline, and what to draw there.
struct InlineBox {
    double width = 0;
    double ascent = 0;
    double descent = 0;
    std::string imageName;
    bool operator==(const InlineBox&) const = default;
};

struct TextAttributes {
    std::optional<Font> font;
    std::optional<Color> foreground;
    std::optional<Color> background;
    std::optional<double> kern; // extra points between characters
    std::optional<ParagraphStyle> paragraph;
    std::optional<InlineBox> inlineBox;
    std::optional<std::string> link;
    bool underline = false;
    bool operator==(const TextAttributes&) const = default;
    // Fills in every attribute `other` sets, keeping the rest.
    void merge(const TextAttributes& other);
};

// Text with attributes over ranges of UTF-16 units.
class AttributedString {
public:
    struct Run {
        Range range;
        TextAttributes attributes;
    };

    AttributedString() = default;
    explicit AttributedString(std::u16string text, const TextAttributes& attributes = {});
    static AttributedString fromUtf8(std::string_view text, const TextAttributes& attributes = {});
    // Text and its runs in one step, for builders that assemble both: the runs
    // are taken in order and clamped to the text, adjacent equal ones merged and
    // empty ones dropped; text that no run covers has no attributes.
    static AttributedString fromRuns(std::u16string text, std::vector<Run> runs);

    const std::u16string& text() const { return m_text; }
    std::string utf8() const;
    std::size_t length() const { return m_text.size(); }

    // Merges into the attributes over the range (clamped to the text).
    void addAttributes(const TextAttributes& attributes, Range range);
    // Replaces the attributes over the range.
    void setAttributes(const TextAttributes& attributes, Range range);
    void append(const AttributedString& other);
    void replace(Range range, const AttributedString& replacement);
    AttributedString substring(Range range) const;

    TextAttributes attributesAt(std::size_t index, Range* effectiveRange = nullptr) const;
    // Maximal runs of equal attributes, covering the text in order.
    const std::vector<Run>& runs() const { return m_runs; }

private:
    void normalize();
    std::u16string m_text;
    std::vector<Run> m_runs;
};

// UTF-8 ↔ UTF-16 and the phone's string helpers.
std::u16string toUtf16(std::string_view utf8);
std::string toUtf8(std::u16string_view utf16);

} // namespace ui
