#include "ui/graphics/TextLayout.h"

#include "ui/graphics/GraphicsContext.h"
#include "ui/graphics/TextMeasure.h"
#include "ui/graphics/TextSystem.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr double kScale = PANGO_SCALE;
constexpr double kCaretWidth = 2;
constexpr char32_t kSpacer = 0x034F; // COMBINING GRAPHEME JOINER
constexpr std::size_t kSpacerBytes = 2;

int pangoUnits(double points)
{
    if (!std::isfinite(points))
        return 0;
    return static_cast<int>(std::lround(std::clamp(points, -1e6, 1e6) * kScale));
}

guint16 channel(double component) { return static_cast<guint16>(std::lround(std::clamp(component, 0.0, 1.0) * 65535)); }

// Pango reads an alpha of 0 as "unset"; the faintest it can show is 1.
guint16 alphaChannel(double alpha) { return std::max<guint16>(1, channel(alpha)); }

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void insert(PangoAttrList* list, PangoAttribute* attribute, unsigned start, unsigned end)
{
    attribute->start_index = start;
    attribute->end_index = end;
    pango_attr_list_insert(list, attribute);
}

PangoAlignment pangoAlignment(TextAlignment alignment)
{
    switch (alignment) {
    case TextAlignment::Center: return PANGO_ALIGN_CENTER;
    case TextAlignment::Right: return PANGO_ALIGN_RIGHT;
    default: return PANGO_ALIGN_LEFT;
    }
}

bool isTruncating(LineBreakMode mode)
{
    return mode == LineBreakMode::TruncateHead || mode == LineBreakMode::TruncateMiddle
        || mode == LineBreakMode::TruncateTail;
}

PangoEllipsizeMode pangoEllipsize(LineBreakMode mode)
{
    switch (mode) {
    case LineBreakMode::TruncateHead: return PANGO_ELLIPSIZE_START;
    case LineBreakMode::TruncateMiddle: return PANGO_ELLIPSIZE_MIDDLE;
    case LineBreakMode::TruncateTail: return PANGO_ELLIPSIZE_END;
    default: return PANGO_ELLIPSIZE_NONE;
    }
}

bool runHasShape(PangoGlyphItem* run)
{
    for (GSList* l = run->item->analysis.extra_attrs; l; l = l->next) {
        if (static_cast<PangoAttribute*>(l->data)->klass->type == PANGO_ATTR_SHAPE)
            return true;
    }
    return false;
}

// The kerning after one character: a shaped joiner at `byte`, after the
// character at `charByte`.
struct Spacer {
    std::size_t byte;
    std::size_t charByte;
    double kern;
};

// Pango's description of a font, made once for each of the few fonts the
// screens use; at most kDescriptions are kept, the table starting over when full.
const PangoFontDescription* fontDescription(const Font& font)
{
    constexpr std::size_t kDescriptions = 32;
    struct Entry {
        Font font;
        PangoFontDescription* description;
    };
    static std::vector<Entry> table;
    for (const Entry& entry : table) {
        if (entry.font == font)
            return entry.description;
    }
    if (table.size() >= kDescriptions) {
        for (Entry& entry : table)
            pango_font_description_free(entry.description);
        table.clear();
    }
    table.push_back({ font, font.makeDescription() });
    return table.back().description;
}

void addAttributes(PangoAttrList* list, const AttributedString& text, const std::vector<std::size_t>& unitToByte,
    const std::vector<Spacer>& spacers, double lineHeightMultiple)
{
    for (const auto& run : text.runs()) {
        unsigned start = static_cast<unsigned>(unitToByte[run.range.location]);
        unsigned end = static_cast<unsigned>(unitToByte[std::min(run.range.end(), text.length())]);
        if (end <= start)
            continue;
        const TextAttributes& a = run.attributes;
        if (a.font)
            insert(list, pango_attr_font_desc_new(fontDescription(*a.font)), start, end);
        if (a.foreground) {
            insert(list, pango_attr_foreground_new(channel(a.foreground->red), channel(a.foreground->green),
                             channel(a.foreground->blue)),
                start, end);
            if (a.foreground->alpha < 1)
                insert(list, pango_attr_foreground_alpha_new(alphaChannel(a.foreground->alpha)), start, end);
        }
        if (a.background && !a.background->isClear()) {
            insert(list, pango_attr_background_new(channel(a.background->red), channel(a.background->green),
                             channel(a.background->blue)),
                start, end);
            if (a.background->alpha < 1)
                insert(list, pango_attr_background_alpha_new(alphaChannel(a.background->alpha)), start, end);
        }
        if (a.underline)
            insert(list, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), start, end);
        if (a.inlineBox) {
            // One box per character, leaving out any kerning spacer between them.
            const InlineBox& box = *a.inlineBox;
            PangoRectangle rect { 0, -pangoUnits(box.ascent), pangoUnits(std::max(0.0, box.width)),
                pangoUnits(std::max(0.0, box.ascent + box.descent)) };
            const std::u16string& units = text.text();
            for (std::size_t i = run.range.location; i < run.range.end();) {
                bool pair = units[i] >= 0xD800 && units[i] <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00
                    && units[i + 1] <= 0xDFFF;
                char16_t c = units[i];
                std::size_t bytes = pair ? 4 : c < 0x80 && c != 0 ? 1 : c < 0x800 && c != 0 ? 2 : 3;
                insert(list, pango_attr_shape_new(&rect, &rect), static_cast<unsigned>(unitToByte[i]),
                    static_cast<unsigned>(unitToByte[i] + bytes));
                i += pair ? 2 : 1;
            }
        }
    }

    for (const Spacer& spacer : spacers) {
        PangoRectangle logical { 0, 0, pangoUnits(spacer.kern), 0 };
        PangoRectangle ink { 0, 0, 0, 0 };
        insert(list, pango_attr_shape_new(&ink, &logical), static_cast<unsigned>(spacer.byte),
            static_cast<unsigned>(spacer.byte + kSpacerBytes));
    }
    if (lineHeightMultiple > 0 && lineHeightMultiple != 1)
        insert(list, pango_attr_line_height_new(lineHeightMultiple), 0, PANGO_ATTR_INDEX_TO_TEXT_END);
    // The phone breaks a word too long for its line without adding a hyphen.
    insert(list, pango_attr_insert_hyphens_new(FALSE), 0, PANGO_ATTR_INDEX_TO_TEXT_END);
}

PangoAttrList* makeAttributes(const AttributedString& text, const std::vector<std::size_t>& unitToByte,
    const std::vector<Spacer>& spacers, double lineHeightMultiple)
{
    PangoAttrList* list = pango_attr_list_new();
    addAttributes(list, text, unitToByte, spacers, lineHeightMultiple);
    return list;
}

// The layout's default font (the toolkit's default), made once.
const PangoFontDescription* defaultFontDescription()
{
    static const PangoFontDescription* description = Font().makeDescription();
    return description;
}

// Pango's layout of prepared text, with the layout's settings.
PangoLayout* newLayout(const AttributedString& text, const std::string& utf8, const std::vector<std::size_t>& unitToByte,
    std::vector<Spacer> spacers, const ParagraphStyle& paragraph, TextAlignment alignment, LineBreakMode mode,
    const TextLayout::Options& options, bool clipsLine)
{
    PangoLayout* layout = pango_layout_new(TextSystem::context());
    pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
    pango_layout_set_font_description(layout, defaultFontDescription());

    if (paragraph.lineSpacing > 0)
        pango_layout_set_spacing(layout, pangoUnits(paragraph.lineSpacing));
    // FIXME: paragraphSpacing is not applied; no screen sets it yet.

    PangoAttrList* list = makeAttributes(text, unitToByte, spacers, paragraph.lineHeightMultiple);
    pango_layout_set_attributes(layout, list);
    pango_attr_list_unref(list);

    pango_layout_set_alignment(layout, pangoAlignment(alignment));
    pango_layout_set_justify(layout, alignment == TextAlignment::Justified);
    if (options.width > 0 && std::isfinite(options.width) && !clipsLine)
        pango_layout_set_width(layout, pangoUnits(options.width));
    // Word wrapping still breaks a word longer than the line, as the phone does.
    pango_layout_set_wrap(layout, mode == LineBreakMode::CharWrap ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD_CHAR);
    // Truncation needs a line limit: an unlimited multi-line label wraps instead.
    // FIXME: Pango limits lines per paragraph, so text with several paragraphs
    // is cut after maxLines lines without an ellipsis on the last one.
    if (isTruncating(mode) && (options.maxLines > 0 || options.width <= 0)) {
        pango_layout_set_ellipsize(layout, pangoEllipsize(mode));
        pango_layout_set_height(layout, -std::max(1, options.maxLines));
    }

    // A negative kern larger than its character would move the pen back past
    // the character's start, and Pango then measures the line from there; the
    // next character may touch its predecessor but not overlap it.
    bool clamped = false;
    for (Spacer& spacer : spacers) {
        if (spacer.kern >= 0)
            continue;
        PangoRectangle position;
        pango_layout_index_to_pos(layout, static_cast<int>(spacer.charByte), &position);
        double advance = std::abs(position.width) / kScale;
        if (spacer.kern < -advance) {
            spacer.kern = -advance;
            clamped = true;
        }
    }
    if (clamped) {
        PangoAttrList* list = makeAttributes(text, unitToByte, spacers, paragraph.lineHeightMultiple);
        pango_layout_set_attributes(layout, list);
        pango_attr_list_unref(list);
    }
    return layout;
}

} // namespace

TextLayout::TextLayout(const AttributedString& text, const Options& options)
    : m_text(text)
    , m_options(options)
{
    build(m_text, false);
}

TextLayout::TextLayout(const AttributedString& text, const Options& options, MeasureOnly)
    : m_options(options)
{
    build(text, true);
}

void TextLayout::build(const AttributedString& text, bool deferLayout)
{
    m_length = text.length();

    // UTF-16 → UTF-8 with maps both ways; unpaired surrogates and NUL (which
    // Pango cannot take) become U+FFFD of the same unit length.
    const std::u16string& units = text.text();
    std::vector<double> kernAt;
    for (const auto& run : text.runs()) {
        if (run.attributes.kern && *run.attributes.kern != 0 && std::isfinite(*run.attributes.kern)) {
            kernAt.resize(units.size(), 0);
            std::fill_n(kernAt.begin() + static_cast<std::ptrdiff_t>(run.range.location), run.range.length, *run.attributes.kern);
        }
    }
    // Kerning adds its points after each character, as the phone's does. Pango's
    // letter spacing splits it around characters and drops it at line ends, so
    // each kerned character is followed instead by a combining grapheme joiner
    // (invisible, never a break point) shaped as a box that wide.
    std::vector<Spacer> spacers;
    std::string utf8;
    utf8.reserve(units.size() * 3);
    m_unitToByte.assign(units.size() + 1, 0);
    for (std::size_t i = 0; i < units.size();) {
        char32_t c = units[i];
        std::size_t width = 1;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            width = 2;
        } else if ((c >= 0xD800 && c <= 0xDFFF) || c == 0) {
            c = 0xFFFD;
        }
        for (std::size_t k = 0; k < width; ++k)
            m_unitToByte[i + k] = utf8.size();
        appendUtf8(utf8, c);
        m_byteToUnit.resize(utf8.size(), i);
        bool breaksLine = c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
        if (!kernAt.empty() && kernAt[i] != 0 && !breaksLine) {
            spacers.push_back({ utf8.size(), m_unitToByte[i], kernAt[i] });
            appendUtf8(utf8, kSpacer);
            m_byteToUnit.resize(utf8.size(), i + width);
        }
        i += width;
    }
    m_unitToByte[units.size()] = utf8.size();
    m_hasSpacers = !spacers.empty();
    m_byteToUnit.push_back(units.size());
    m_utf8 = std::move(utf8);

    m_paragraph = text.length() ? text.attributesAt(0).paragraph.value_or(ParagraphStyle {}) : ParagraphStyle {};
    m_alignment = m_options.alignment.value_or(m_paragraph.alignment);
    m_mode = m_options.lineBreakMode.value_or(m_paragraph.lineBreakMode);
    // A clipping single line runs on past the width and is cut there when drawn.
    m_clipsLine = m_mode == LineBreakMode::Clip && m_options.maxLines == 1;
    // Measuring may not need Pango's layout at all (see quickSize()).
    if (deferLayout && !m_hasSpacers)
        return;
    m_layout = newLayout(text, m_utf8, m_unitToByte, std::move(spacers), m_paragraph, m_alignment, m_mode, m_options,
        m_clipsLine);
}

void TextLayout::makeLayout(const AttributedString& text)
{
    m_layout = newLayout(text, m_utf8, m_unitToByte, {}, m_paragraph, m_alignment, m_mode, m_options, m_clipsLine);
}

TextLayout::~TextLayout()
{
    if (m_layout)
        g_object_unref(m_layout);
}

int TextLayout::lineCount() const
{
    int count = pango_layout_get_line_count(m_layout);
    return m_options.maxLines > 0 ? std::min(count, m_options.maxLines) : count;
}

std::vector<TextLayout::Line> TextLayout::lines() const
{
    std::vector<Line> out;
    int visible = lineCount();
    PangoLayoutIter* iter = pango_layout_get_iter(m_layout);
    do {
        if (static_cast<int>(out.size()) >= visible)
            break;
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iter, nullptr, &logical);
        std::size_t first = m_byteToUnit[std::min<std::size_t>(line->start_index, m_byteToUnit.size() - 1)];
        std::size_t last = m_byteToUnit[std::min<std::size_t>(line->start_index + line->length, m_byteToUnit.size() - 1)];
        Line entry;
        entry.range = { first, last - first };
        entry.rect = { logical.x / kScale, logical.y / kScale, logical.width / kScale, logical.height / kScale };
        entry.baseline = pango_layout_iter_get_baseline(iter) / kScale;
        out.push_back(entry);
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    return out;
}

Size TextLayout::size() const
{
    if (m_length == 0)
        return {};
    double width = 0, bottom = 0;
    for (const Line& line : lines()) {
        width = std::max(width, line.rect.width());
        bottom = std::max(bottom, line.rect.maxY());
    }
    if (m_clipsLine && m_options.width > 0)
        width = std::min(width, m_options.width);
    return { width, bottom };
}

std::vector<TextLayout::PlacedBox> TextLayout::inlineBoxes() const
{
    std::vector<PlacedBox> placed;
    // Every box in the text, in order; the layout marks the ones it shows.
    for (const auto& run : m_text.runs()) {
        if (!run.attributes.inlineBox)
            continue;
        const std::u16string& units = m_text.text();
        for (std::size_t i = run.range.location; i < run.range.end();) {
            std::size_t width = (units[i] >= 0xD800 && units[i] <= 0xDBFF && i + 1 < run.range.end()) ? 2 : 1;
            placed.push_back({ *run.attributes.inlineBox, { i, width }, {}, false });
            i += width;
        }
    }
    if (placed.empty())
        return placed;

    int visible = lineCount();
    int lineIndex = 0;
    PangoLayoutIter* iter = pango_layout_get_iter(m_layout);
    PangoLayoutLine* currentLine = pango_layout_iter_get_line_readonly(iter);
    do {
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        if (line != currentLine) {
            currentLine = line;
            ++lineIndex;
        }
        if (lineIndex >= visible)
            break;
        PangoGlyphItem* run = pango_layout_iter_get_run_readonly(iter);
        if (!run || !runHasShape(run))
            continue;
        // The ellipsis run stands for the characters it hides; their boxes stay invisible.
        if (run->item->analysis.flags & PANGO_ANALYSIS_FLAG_IS_ELLIPSIS)
            continue;
        PangoRectangle logical;
        pango_layout_iter_get_run_extents(iter, nullptr, &logical);
        double baseline = pango_layout_iter_get_baseline(iter) / kScale;
        double x = logical.x / kScale;
        for (int g = 0; g < run->glyphs->num_glyphs; ++g) {
            std::size_t byte = run->item->offset + run->glyphs->log_clusters[g];
            double advance = run->glyphs->glyphs[g].geometry.width / kScale;
            // Kerning spacers are shaped too; only a character's own byte counts.
            if (byte < m_byteToUnit.size() && m_unitToByte[m_byteToUnit[byte]] == byte) {
                std::size_t unit = m_byteToUnit[byte];
                auto found = std::find_if(placed.begin(), placed.end(), [&](const PlacedBox& p) { return p.range.location == unit; });
                if (found != placed.end()) {
                    found->rect = { x, baseline - found->box.ascent, found->box.width, found->box.ascent + found->box.descent };
                    found->visible = true;
                }
            }
            x += advance;
        }
    } while (pango_layout_iter_next_run(iter));
    pango_layout_iter_free(iter);
    return placed;
}

std::optional<std::size_t> TextLayout::indexAt(Point point) const
{
    if (m_text.length() == 0 || !std::isfinite(point.x) || !std::isfinite(point.y))
        return std::nullopt;
    if (point.y < 0 || point.y >= size().height)
        return std::nullopt;
    int index = 0, trailing = 0;
    if (!pango_layout_xy_to_index(m_layout, pangoUnits(point.x), pangoUnits(point.y), &index, &trailing))
        return std::nullopt;
    return m_byteToUnit[std::clamp<std::size_t>(index, 0, m_byteToUnit.size() - 1)];
}

std::size_t TextLayout::caretIndexAt(Point point) const
{
    if (m_text.length() == 0)
        return 0;
    auto lines = this->lines();
    double x = std::isfinite(point.x) ? point.x : 0;
    double y = std::isfinite(point.y) ? point.y : 0;
    y = std::clamp(y, lines.front().rect.minY(), lines.back().rect.maxY() - 0.01);
    int index = 0, trailing = 0;
    pango_layout_xy_to_index(m_layout, pangoUnits(x), pangoUnits(y), &index, &trailing);
    // `trailing` counts characters past the grapheme's start: the far side of it.
    const char* text = pango_layout_get_text(m_layout);
    std::size_t byte = static_cast<std::size_t>(g_utf8_offset_to_pointer(text + index, trailing) - text);
    std::size_t unit = m_byteToUnit[std::min(byte, m_byteToUnit.size() - 1)];
    // Past the last visible line the caret goes no further than its end.
    return std::min(unit, lines.back().range.end());
}

Rect TextLayout::caretRect(std::size_t index) const
{
    index = std::min(index, m_text.length());
    PangoRectangle strong;
    pango_layout_get_cursor_pos(m_layout, static_cast<int>(m_unitToByte[index]), &strong, nullptr);
    return { strong.x / kScale, strong.y / kScale, kCaretWidth, strong.height / kScale };
}

void TextLayout::draw(GraphicsContext& context, Point origin) const
{
    if (m_text.length() == 0)
        return;
    cairo_t* cr = context.cairo();
    cairo_save(cr);
    // Text without a colour of its own is black, as on the phone.
    cairo_set_source_rgb(cr, 0, 0, 0);
    if (lineCount() == pango_layout_get_line_count(m_layout)) {
        cairo_move_to(cr, origin.x, origin.y);
        pango_cairo_show_layout(cr, m_layout);
    } else {
        // Only the first maxLines lines show; Pango has no line limit of its own
        // unless it ellipsizes.
        int index = 0;
        for (const Line& line : lines()) {
            cairo_move_to(cr, origin.x + line.rect.x(), origin.y + line.baseline);
            pango_cairo_show_layout_line(cr, pango_layout_get_line_readonly(m_layout, index++));
        }
    }
    cairo_restore(cr);
}

std::optional<Size> TextLayout::quickSize(const AttributedString& text) const
{
    // Wrapped lines without ellipsis, justification or kerning spacers.
    const bool ellipsized = isTruncating(m_mode) && (m_options.maxLines > 0 || m_options.width <= 0);
    if (m_length == 0 || m_hasSpacers || m_clipsLine || ellipsized || m_alignment == TextAlignment::Justified
        || !(m_options.width > 0) || !std::isfinite(m_options.width))
        return std::nullopt;
    // The attributes the layout would lay out with: its font first, then the text's.
    PangoAttrList* list = pango_attr_list_new();
    pango_attr_list_insert(list, pango_attr_font_desc_new(defaultFontDescription()));
    addAttributes(list, text, m_unitToByte, {}, m_paragraph.lineHeightMultiple);
    auto measured = measureWrappedParagraph(TextSystem::context(), m_utf8, list, pangoUnits(m_options.width),
        m_mode == LineBreakMode::CharWrap ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD_CHAR);
    pango_attr_list_unref(list);
    if (!measured)
        return std::nullopt;
    // The lines as lines() reports them, stacked with the layout's spacing.
    const int spacing = m_paragraph.lineSpacing > 0 ? pangoUnits(m_paragraph.lineSpacing) : 0;
    const std::size_t visible = m_options.maxLines > 0 ? std::min(measured->size(), std::size_t(m_options.maxLines))
                                                       : measured->size();
    double width = 0, bottom = 0;
    int y = 0;
    for (std::size_t i = 0; i < visible; ++i) {
        const MeasuredLine& line = (*measured)[i];
        Rect rect { 0, y / kScale, line.width / kScale, line.height / kScale };
        width = std::max(width, rect.width());
        bottom = std::max(bottom, rect.maxY());
        y += line.height + spacing;
    }
    return Size { width, bottom };
}

Size TextLayout::measure(const AttributedString& text, double width, int maxLines)
{
    Options options;
    options.width = width;
    options.maxLines = maxLines;
    TextLayout layout(text, options, MeasureOnly {});
    if (auto quick = layout.quickSize(text))
        return *quick;
    if (!layout.m_layout)
        layout.makeLayout(text);
    return layout.size();
}

} // namespace ui
