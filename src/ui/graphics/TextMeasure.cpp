#include "ui/graphics/TextMeasure.h"

#include <hb-ot.h>
#include <pango/pango.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "platform/Log.h"

namespace ui {

namespace {

// The attributes Pango's layout itemizes by, and those that change breaking
// or shaping; the same lists as the layout's own.
gboolean affectsItemization(PangoAttribute* attribute, gpointer)
{
    switch (static_cast<int>(attribute->klass->type)) {
    case PANGO_ATTR_LANGUAGE:
    case PANGO_ATTR_FAMILY:
    case PANGO_ATTR_STYLE:
    case PANGO_ATTR_WEIGHT:
    case PANGO_ATTR_VARIANT:
    case PANGO_ATTR_STRETCH:
    case PANGO_ATTR_SIZE:
    case PANGO_ATTR_FONT_DESC:
    case PANGO_ATTR_SCALE:
    case PANGO_ATTR_FALLBACK:
    case PANGO_ATTR_ABSOLUTE_SIZE:
    case PANGO_ATTR_GRAVITY:
    case PANGO_ATTR_GRAVITY_HINT:
    case PANGO_ATTR_FONT_SCALE:
    case PANGO_ATTR_LETTER_SPACING:
    case PANGO_ATTR_SHAPE:
    case PANGO_ATTR_RISE:
    case PANGO_ATTR_BASELINE_SHIFT:
    case PANGO_ATTR_LINE_HEIGHT:
    case PANGO_ATTR_ABSOLUTE_LINE_HEIGHT:
    case PANGO_ATTR_TEXT_TRANSFORM:
        return TRUE;
    default:
        return FALSE;
    }
}

gboolean affectsBreakOrShape(PangoAttribute* attribute, gpointer)
{
    switch (static_cast<int>(attribute->klass->type)) {
    case PANGO_ATTR_ALLOW_BREAKS:
    case PANGO_ATTR_WORD:
    case PANGO_ATTR_SENTENCE:
    case PANGO_ATTR_INSERT_HYPHENS:
    case PANGO_ATTR_FONT_FEATURES:
    case PANGO_ATTR_SHOW:
        return TRUE;
    default:
        return FALSE;
    }
}

// Of the attributes that change breaking, only turning hyphens off over the
// whole text is followed: the breaks stay where they are, without hyphens.
gboolean unfollowedBreaking(PangoAttribute* attribute, gpointer found)
{
    if (attribute->klass->type != PANGO_ATTR_INSERT_HYPHENS || reinterpret_cast<PangoAttrInt*>(attribute)->value
        || attribute->start_index != 0 || attribute->end_index != PANGO_ATTR_INDEX_TO_TEXT_END)
        *static_cast<bool*>(found) = true;
    return FALSE;
}

// Only fonts and inline boxes are followed: every other attribute Pango
// itemizes by changes the widths or the line heights.
gboolean unfollowed(PangoAttribute* attribute, gpointer found)
{
    auto type = attribute->klass->type;
    if (type != PANGO_ATTR_FONT_DESC && type != PANGO_ATTR_SHAPE)
        *static_cast<bool*>(found) = true;
    return FALSE;
}

struct AttrListDeleter {
    void operator()(PangoAttrList* list) const { pango_attr_list_unref(list); }
};
using AttrList = std::unique_ptr<PangoAttrList, AttrListDeleter>;

struct GlyphsDeleter {
    void operator()(PangoGlyphString* glyphs) const { pango_glyph_string_free(glyphs); }
};
using Glyphs = std::unique_ptr<PangoGlyphString, GlyphsDeleter>;

struct ItemsDeleter {
    void operator()(GList* items) const { g_list_free_full(items, reinterpret_cast<GDestroyNotify>(pango_item_free)); }
};
using Items = std::unique_ptr<GList, ItemsDeleter>;

// A character shaped on its own.
struct Shaped {
    PangoGlyph glyph = PANGO_GLYPH_EMPTY;
    int width = 0;
    int xOffset = 0;
    int yOffset = 0;
    bool single = false; // one glyph for the one character
    bool operator==(const Shaped&) const = default;
};

// Characters shaped on their own, by font, script, language, gravity and
// shaping flags. Bounded: at most kContexts such contexts (each holding its
// font) of at most kLimit characters each; a full table starts over.
class CharacterShapes {
public:
    class Context;
    ~CharacterShapes() { clear(); }

    // The characters of one item's font and analysis.
    Context& context(const PangoAnalysis& analysis, PangoShapeFlags flags)
    {
        for (Context& context : m_contexts) {
            if (context.m_font == analysis.font && context.m_script == analysis.script
                && context.m_language == analysis.language && context.m_gravity == analysis.gravity
                && context.m_flags == flags)
                return context;
        }
        if (m_contexts.size() >= kContexts)
            clear();
        m_contexts.emplace_back(analysis, flags);
        return m_contexts.back();
    }

    class Context {
    public:
        Context(const PangoAnalysis& analysis, PangoShapeFlags flags)
            : m_analysis(analysis)
            , m_font(PANGO_FONT(g_object_ref(analysis.font)))
            , m_script(analysis.script)
            , m_language(analysis.language)
            , m_gravity(analysis.gravity)
            , m_flags(flags)
        {
            m_analysis.extra_attrs = nullptr;
        }
        Context(Context&& other) noexcept
            : m_analysis(other.m_analysis)
            , m_font(std::exchange(other.m_font, nullptr))
            , m_script(other.m_script)
            , m_language(other.m_language)
            , m_gravity(other.m_gravity)
            , m_flags(other.m_flags)
            , m_shapes(std::move(other.m_shapes))
        {
        }
        Context(const Context&) = delete;
        Context& operator=(const Context&) = delete;
        ~Context()
        {
            if (m_font)
                g_object_unref(m_font);
        }

        const Shaped& get(gunichar c)
        {
            if (auto found = m_shapes.find(c); found != m_shapes.end())
                return found->second;
            if (m_shapes.size() >= kLimit)
                m_shapes.clear();
            char utf8[6];
            int length = g_unichar_to_utf8(c, utf8);
            PangoItem item {};
            item.offset = 0;
            item.length = length;
            item.num_chars = 1;
            item.analysis = m_analysis;
            Glyphs glyphs(pango_glyph_string_new());
            pango_shape_item(&item, utf8, length, nullptr, glyphs.get(), m_flags);
            Shaped shaped;
            if (glyphs->num_glyphs == 1) {
                const PangoGlyphInfo& info = glyphs->glyphs[0];
                shaped = { info.glyph, info.geometry.width, info.geometry.x_offset, info.geometry.y_offset, true };
            }
            return m_shapes.emplace(c, shaped).first->second;
        }

    private:
        friend class CharacterShapes;
        PangoAnalysis m_analysis;
        // Held while this context stands for it, so that no other font takes its address.
        PangoFont* m_font;
        guint8 m_script;
        PangoLanguage* m_language;
        guint8 m_gravity;
        PangoShapeFlags m_flags;
        std::unordered_map<gunichar, Shaped> m_shapes;
    };

private:
    static constexpr std::size_t kContexts = 16;
    static constexpr std::size_t kLimit = 4096;

    void clear() { m_contexts.clear(); }

    std::deque<Context> m_contexts;
};

CharacterShapes& characterShapes()
{
    static CharacterShapes shapes;
    return shapes;
}

// An item of the paragraph. When its characters shape as they do one by one
// (or it is an inline box), the width of each is known and every part of it
// measures their sum; otherwise each part is shaped as Pango would shape it.
struct Piece {
    PangoItem* item = nullptr;
    int charOffset = 0; // of its first character in the paragraph
    bool boxed = false; // an inline box (a shape attribute)
    PangoRectangle box {};
    bool additive = false;
    Glyphs glyphs;               // the whole item shaped (none for a box)
    std::vector<int> advances;   // each character's width, when additive
    std::vector<int> byteOffsets; // of each character and the end, in the item
    // The baseline kind of its script, and its baseline for the last kind
    // asked about.
    mutable hb_ot_layout_baseline_tag_t ownTag = hb_ot_layout_baseline_tag_t(0);
    mutable hb_ot_layout_baseline_tag_t baselineTag = hb_ot_layout_baseline_tag_t(0);
    mutable hb_position_t baseline = 0;
    int characters() const { return item->num_chars; }
};

struct ItemDeleter {
    void operator()(PangoItem* item) const { pango_item_free(item); }
};

// Part of an item shaped on its own, as Pango shapes the parts it measures.
struct PartShape {
    std::unique_ptr<PangoItem, ItemDeleter> item;
    Glyphs glyphs;
    int width = 0;
    std::vector<int> logicalWidths; // each character's share
};

// Part of a piece: characters [start, end) of it.
struct Span {
    std::size_t piece = 0;
    int start = 0;
    int end = 0;
    int length() const { return end - start; }
};

// Pango's outcomes for an item, and Unfollowed where it would hyphenate.
enum class Break { NoneFit, SomeFit, AllFit, EmptyFit, Unfollowed };

class Breaker {
public:
    Breaker(const std::vector<Piece>& pieces, std::string_view text, const std::vector<PangoLogAttr>& logAttrs,
        int characters, PangoWrapMode wrap, PangoShapeFlags flags)
        : m_pieces(pieces)
        , m_text(text)
        , m_logAttrs(logAttrs)
        , m_characters(characters)
        , m_wrap(wrap)
        , m_flags(flags)
    {
    }

    // A part shaped on its own; the same part is shaped once.
    const PartShape& shape(const Span& span)
    {
        auto key = std::make_tuple(span.piece, span.start, span.end);
        if (auto found = m_shapes.find(key); found != m_shapes.end())
            return found->second;
        const Piece& piece = m_pieces[span.piece];
        PartShape part;
        part.item.reset(pango_item_copy(piece.item));
        part.item->offset = piece.item->offset + piece.byteOffsets[std::size_t(span.start)];
        part.item->length = piece.byteOffsets[std::size_t(span.end)] - piece.byteOffsets[std::size_t(span.start)];
        part.item->num_chars = span.length();
        if (span.start == 0 && span.end == piece.characters() && piece.glyphs) {
            // The whole item, as it was shaped to find out whether it adds up.
            part.glyphs.reset(pango_glyph_string_copy(piece.glyphs.get()));
        } else {
            part.glyphs.reset(pango_glyph_string_new());
            pango_shape_item(part.item.get(), m_text.data(), int(m_text.size()),
                const_cast<PangoLogAttr*>(m_logAttrs.data()) + offsetOf(span), part.glyphs.get(), m_flags);
        }
        part.width = pango_glyph_string_get_width(part.glyphs.get());
        part.logicalWidths.resize(std::size_t(span.length()));
        PangoGlyphItem glyphItem { part.item.get(), part.glyphs.get(), 0, 0, 0 };
        pango_glyph_item_get_logical_widths(&glyphItem, m_text.data(), part.logicalWidths.data());
        return m_shapes.emplace(key, std::move(part)).first->second;
    }

    // The runs of each line, as Pango fills lines of `width`; nullopt where
    // Pango would do what is not followed here.
    std::optional<std::vector<std::vector<Span>>> lines(int width)
    {
        std::deque<Span> pending;
        for (std::size_t i = 0; i < m_pieces.size(); ++i)
            pending.push_back({ i, 0, m_pieces[i].characters() });
        std::vector<std::vector<Span>> lines;
        while (!pending.empty()) {
            std::vector<Span> runs;
            bool haveBreak = false;
            int breakRemaining = 0;
            std::size_t runsBeforeBreak = 0;
            int remaining = width;
            bool done = false;
            while (!pending.empty() && !done) {
                Span& item = pending.front();
                const int oldLength = item.length();
                const int oldStart = offsetOf(item);
                const int oldRemaining = remaining;
                const bool first = runs.empty();
                switch (process(item, runs, remaining, !haveBreak, false)) {
                case Break::Unfollowed:
                    return std::nullopt;
                case Break::AllFit:
                    if (canBreakIn(oldStart, oldLength, !first)) {
                        haveBreak = true;
                        breakRemaining = oldRemaining;
                        runsBeforeBreak = runs.size() - 1;
                    }
                    pending.pop_front();
                    break;
                case Break::EmptyFit:
                case Break::SomeFit:
                    done = true;
                    break;
                case Break::NoneFit: {
                    // Back to the run after which the line could break, and
                    // break inside it.
                    while (runs.size() > runsBeforeBreak) {
                        pending.push_front(runs.back());
                        runs.pop_back();
                    }
                    remaining = breakRemaining;
                    Break again = process(pending.front(), runs, remaining, true, true);
                    if (again != Break::SomeFit && again != Break::EmptyFit)
                        return std::nullopt;
                    done = true;
                    break;
                }
                }
            }
            if (runs.empty())
                return std::nullopt;
            // A line that ends where a hyphen goes gets one.
            if (hyphenates(offsetOf(runs.back()) + runs.back().length()))
                return std::nullopt;
            lines.push_back(std::move(runs));
        }
        return lines;
    }

private:
    int offsetOf(const Span& span) const { return m_pieces[span.piece].charOffset + span.start; }

    // The width Pango gets from shaping a part: for an additive item the sum
    // of its characters' widths.
    int shapedWidth(const Span& span)
    {
        const Piece& piece = m_pieces[span.piece];
        if (!piece.additive)
            return shape(span).width;
        int width = 0;
        for (int i = span.start; i < span.end; ++i)
            width += piece.advances[std::size_t(i)];
        return width;
    }

    // The safety margin Pango allows around the line's end, within which it
    // measures a break by shaping rather than by adding up widths.
    int safeDistance(const Piece& piece)
    {
        if (piece.additive)
            return 0; // exact sums: the margin changes which breaks are measured, not which is taken
        PangoFontMetrics* metrics = pango_font_get_metrics(piece.item->analysis.font, piece.item->analysis.language);
        int distance = pango_font_metrics_get_approximate_char_width(metrics) * 3;
        pango_font_metrics_unref(metrics);
        return distance;
    }

    bool canBreakAt(int offset, PangoWrapMode wrap) const
    {
        if (offset == m_characters)
            return true;
        const PangoLogAttr& attr = m_logAttrs[std::size_t(offset)];
        return wrap == PANGO_WRAP_CHAR ? attr.is_char_break : attr.is_line_break;
    }

    bool hyphenates(int offset) const { return m_logAttrs[std::size_t(offset)].break_inserts_hyphen; }

    bool canBreakIn(int start, int count, bool allowBreakAtStart) const
    {
        for (int i = allowBreakAtStart ? 0 : 1; i < count; ++i) {
            if (canBreakAt(start + i, m_wrap))
                return true;
        }
        return false;
    }

    // Pango's handling of one item at the end of a line, with the widths it
    // would get: the item shaped when Pango first takes it up (its
    // characters' shares then stand for the widths of its parts), shaped
    // again when it seems to fit, and each prefix shaped that it measures as
    // a break near the line's end.
    Break process(Span& item, std::vector<Span>& runs, int& remaining, bool forceFit, bool noBreakAtEnd)
    {
        const Piece& piece = m_pieces[item.piece];
        const int length = item.length();
        const int start = offsetOf(item);
        int width;
        if (!m_state) {
            // A new item: shaped whole; its characters' shares kept.
            m_state = State { item.start, {} };
            if (piece.additive) {
                m_state->widths.assign(piece.advances.begin() + item.start, piece.advances.begin() + item.end);
            } else {
                m_state->widths = shape(item).logicalWidths;
            }
            width = shapedWidth(item);
        } else {
            width = 0;
            for (int i = 0; i < length; ++i)
                width += share(item.start + i);
        }
        if (!noBreakAtEnd && canBreakAt(start + length, m_wrap) && hyphenates(start + length))
            return Break::Unfollowed;
        if (!noBreakAtEnd && (width <= remaining || (length == 1 && runs.empty()))) {
            width = shapedWidth(item);
            if (width <= remaining || (length == 1 && runs.empty())) {
                runs.push_back(item);
                remaining = std::max(remaining - width, 0);
                m_state.reset();
                return Break::AllFit;
            }
        }

        const int safe = safeDistance(piece);
        const int originalWidth = width;
        PangoWrapMode wrap = m_wrap;
        int breakChars = length;
        int breakWidth = width;
        for (;;) {
            int sum = 0;
            for (int k = 0; k < (noBreakAtEnd ? length : length + 1); ++k) {
                if (sum > remaining + safe && breakChars < length)
                    break;
                if (canBreakAt(start + k, wrap) && (k > 0 || !runs.empty())) {
                    if (hyphenates(start + k))
                        return Break::Unfollowed;
                    if (k == 0 || sum < remaining - safe) {
                        breakChars = k;
                        breakWidth = sum;
                    } else {
                        int measured = shapedWidth({ item.piece, item.start, item.start + k });
                        if (breakChars == length || measured <= remaining || measured < breakWidth) {
                            breakChars = k;
                            breakWidth = measured;
                        }
                    }
                }
                if (k < length)
                    sum += share(item.start + k);
            }
            if (wrap == PANGO_WRAP_WORD_CHAR && forceFit && breakWidth > remaining) {
                wrap = PANGO_WRAP_CHAR;
                breakChars = length;
                breakWidth = originalWidth;
                continue;
            }
            break;
        }

        if (!forceFit && breakWidth > remaining) {
            m_state.reset();
            return Break::NoneFit;
        }
        remaining = std::max(remaining - breakWidth, 0);
        if (breakChars == length) {
            runs.push_back(item);
            m_state.reset();
            return Break::AllFit;
        }
        if (breakChars == 0)
            return Break::EmptyFit;
        runs.push_back({ item.piece, item.start, item.start + breakChars });
        item.start += breakChars;
        return Break::SomeFit;
    }

    // The share of a character of the item Pango is working through, from
    // the shaping it took the item up with.
    int share(int index) const { return m_state->widths[std::size_t(index - m_state->start)]; }

    const std::vector<Piece>& m_pieces;
    std::string_view m_text;
    const std::vector<PangoLogAttr>& m_logAttrs;
    int m_characters;
    PangoWrapMode m_wrap;
    PangoShapeFlags m_flags;
    std::map<std::tuple<std::size_t, int, int>, PartShape> m_shapes;
    // The item Pango is working through: where its shaping starts in the
    // piece, and each character's share of it.
    struct State {
        int start = 0;
        std::vector<int> widths;
    };
    std::optional<State> m_state;
};

// Where a run's baseline sits for a baseline kind: its font's own position
// for the run's script and language, as the layout asks HarfBuzz for it.
std::optional<hb_position_t> runBaseline(const Piece& piece, hb_ot_layout_baseline_tag_t* tag)
{
    const PangoItem* item = piece.item;
    auto script = static_cast<hb_script_t>(g_unicode_script_to_iso15924(static_cast<GUnicodeScript>(item->analysis.script)));
    // The line's first run names the kind, after its script.
    if (*tag == 0) {
        if (piece.ownTag == 0)
            piece.ownTag = hb_ot_layout_get_horizontal_baseline_tag_for_script(script);
        *tag = piece.ownTag;
        if (*tag == 0)
            return std::nullopt;
    }
    if (piece.baselineTag == *tag)
        return piece.baseline;
    hb_font_t* font = pango_font_get_hb_font(item->analysis.font);
    hb_language_t language = hb_language_from_string(pango_language_to_string(item->analysis.language), -1);
    hb_tag_t scriptTags[HB_OT_MAX_TAGS_PER_SCRIPT];
    hb_tag_t languageTags[HB_OT_MAX_TAGS_PER_LANGUAGE];
    unsigned scriptCount = HB_OT_MAX_TAGS_PER_SCRIPT;
    unsigned languageCount = HB_OT_MAX_TAGS_PER_LANGUAGE;
    hb_ot_tags_from_script_and_language(script, language, &scriptCount, scriptTags, &languageCount, languageTags);
    if (scriptCount == 0)
        return std::nullopt;
    hb_position_t position = 0;
    hb_ot_layout_get_baseline_with_fallback(font, *tag, HB_DIRECTION_LTR, scriptTags[scriptCount - 1],
        languageCount ? languageTags[languageCount - 1] : HB_TAG_NONE, &position);
    piece.baselineTag = *tag;
    piece.baseline = position;
    return position;
}

// A line's logical extents as Pango's layout adds up its runs': each run
// raised or lowered onto the baseline of the line's first run, then united.
std::optional<MeasuredLine> lineExtents(const std::vector<Piece>& pieces, const std::vector<Span>& runs, Breaker& breaker)
{
    PangoRectangle line { 0, 0, 0, 0 };
    int x = 0;
    hb_ot_layout_baseline_tag_t tag = hb_ot_layout_baseline_tag_t(0);
    hb_position_t baseline = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Span& span = runs[i];
        const Piece& piece = pieces[span.piece];
        PangoRectangle run {};
        if (piece.boxed) {
            const int n = span.length();
            run.x = std::min(piece.box.x, piece.box.x + piece.box.width * (n - 1));
            run.width = std::max(piece.box.width, piece.box.width + piece.box.width * (n - 1));
            run.y = piece.box.y;
            run.height = piece.box.height;
        } else if (piece.additive) {
            pango_glyph_string_extents_range(piece.glyphs.get(), span.start, span.end, piece.item->analysis.font, nullptr,
                &run);
        } else {
            // The run holds the part as Pango shaped it on its own.
            pango_glyph_string_extents(breaker.shape(span).glyphs.get(), piece.item->analysis.font, nullptr, &run);
        }
        auto own = runBaseline(piece, &tag);
        if (!own)
            return std::nullopt;
        if (i == 0)
            baseline = *own;
        run.y -= baseline - *own;

        int left = std::min(line.x, x + run.x);
        line.width = std::max(line.x + line.width, x + run.x + run.width) - left;
        line.x = left;
        int top = std::min(line.y, run.y);
        line.height = std::max(line.y + line.height, run.y + run.height) - top;
        line.y = top;
        x += run.width;
    }
    return MeasuredLine { line.width, line.height };
}

// The layout calls these deprecated entry points itself; the same calls give
// the same directions and breaks.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

// The number of characters of one paragraph of valid UTF-8 without NULs, tabs,
// controls or line separators; nullopt for any other text.
std::optional<int> plainParagraphCharacters(std::string_view text)
{
    if (text.empty() || text.size() > std::size_t(INT_MAX / 2) || text.find('\0') != std::string_view::npos)
        return std::nullopt;
    const int length = int(text.size());
    if (!g_utf8_validate(text.data(), length, nullptr))
        return std::nullopt;
    int characters = 0;
    for (const char* p = text.data(); p < text.data() + length; p = g_utf8_next_char(p), ++characters) {
        gunichar c = g_utf8_get_char(p);
        if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x2028 || c == 0x2029)
            return std::nullopt;
    }
    return characters;
}

// The attributes the layout itemizes by (null when there are none), or
// nullopt when any of them is one not followed here; `hyphens` says whether
// breaks may insert hyphens (the toolkit turns them off).
std::optional<AttrList> itemizingAttributes(PangoAttrList* attributes, bool& hyphens)
{
    AttrList shaping(pango_attr_list_filter(attributes, affectsBreakOrShape, nullptr));
    // Of the attributes that change breaking, only hyphens turned off over
    // the whole text are followed.
    hyphens = true;
    if (shaping) {
        bool found = false;
        AttrList ignored(pango_attr_list_filter(shaping.get(), unfollowedBreaking, &found));
        if (found)
            return std::nullopt;
        hyphens = false;
    }
    AttrList itemizing(pango_attr_list_filter(attributes, affectsItemization, nullptr));
    if (itemizing) {
        bool found = false;
        AttrList ignored(pango_attr_list_filter(itemizing.get(), unfollowed, &found));
        if (found)
            return std::nullopt;
    }
    return itemizing;
}

// The items of a left-to-right paragraph, as the layout itemizes it; null
// for right-to-left text.
Items itemizeLeftToRight(PangoContext* context, std::string_view text, PangoAttrList* itemizing)
{
    const int length = int(text.size());
    PangoDirection direction = pango_find_base_dir(text.data(), length);
    if (direction == PANGO_DIRECTION_NEUTRAL)
        direction = pango_context_get_base_dir(context);
    if (direction != PANGO_DIRECTION_LTR && direction != PANGO_DIRECTION_WEAK_LTR)
        return nullptr;
    return Items(pango_itemize_with_base_dir(context, direction, text.data(), 0, length, itemizing, nullptr));
}

// The break attributes of every character and of the end, as the layout
// finds them: the default breaks tailored item by item. nullopt where white
// space shrinks at line ends, or a character that becomes a hyphen changes
// the width before a break (the end of the text counts as white, but no
// line ends after it).
std::optional<std::vector<PangoLogAttr>> breakAttributes(std::string_view text, int characters, GList* items, bool hyphens)
{
    const int length = int(text.size());
    std::vector<PangoLogAttr> logAttrs(std::size_t(characters) + 1);
    pango_default_break(text.data(), length, nullptr, logAttrs.data(), characters + 1);
    int offset = 0;
    for (GList* l = items; l; l = l->next) {
        auto* item = static_cast<PangoItem*>(l->data);
        if (offset + item->num_chars > characters)
            return std::nullopt;
        pango_tailor_break(text.data() + item->offset, item->length, &item->analysis, -1, logAttrs.data() + offset,
            item->num_chars + 1);
        offset += item->num_chars;
    }
    if (offset != characters)
        return std::nullopt;
    // The layout then applies the breaking attributes: hyphens turned off.
    if (!hyphens) {
        AttrList breaking(pango_attr_list_new());
        pango_attr_list_insert(breaking.get(), pango_attr_insert_hyphens_new(FALSE));
        pango_attr_break(text.data(), length, breaking.get(), 0, logAttrs.data(), characters + 1);
    }
    for (int i = 0; i <= characters; ++i) {
        const PangoLogAttr& attr = logAttrs[std::size_t(i)];
        if ((attr.is_white && i < characters) || attr.break_removes_preceding)
            return std::nullopt;
    }
    return logAttrs;
}

// Whether a shaped item shapes as its characters do one by one: one glyph
// each, in order, with their own glyphs, advances and offsets. Then no part
// of it shapes differently either, and each character's advance is kept.
bool shapesCharacterByCharacter(Piece& piece, std::string_view text, PangoShapeFlags flags)
{
    const PangoItem* item = piece.item;
    const PangoGlyphString* glyphs = piece.glyphs.get();
    if (glyphs->num_glyphs != item->num_chars)
        return false;
    CharacterShapes::Context& alone = characterShapes().context(item->analysis, flags);
    const char* p = text.data() + item->offset;
    for (int i = 0; i < item->num_chars; ++i, p = g_utf8_next_char(p)) {
        const PangoGlyphInfo& info = glyphs->glyphs[i];
        const Shaped& own = alone.get(g_utf8_get_char(p));
        Shaped here { info.glyph, info.geometry.width, info.geometry.x_offset, info.geometry.y_offset, true };
        if (glyphs->log_clusters[i] != piece.byteOffsets[std::size_t(i)] || !own.single || here != own || here.width < 0)
            return false;
        piece.advances.push_back(here.width);
    }
    return true;
}

// One item made ready for breaking: an inline box, or the item shaped whole.
// nullopt for what is not followed (right-to-left levels, items without a
// font, boxes of negative width).
std::optional<Piece> makePiece(PangoItem* item, int charOffset, std::string_view text,
    const std::vector<PangoLogAttr>& logAttrs, PangoShapeFlags flags)
{
    if (item->analysis.level % 2 || item->num_chars <= 0 || !item->analysis.font)
        return std::nullopt;
    Piece piece;
    piece.item = item;
    piece.charOffset = charOffset;
    for (GSList* a = item->analysis.extra_attrs; a; a = a->next) {
        auto* attribute = static_cast<PangoAttribute*>(a->data);
        if (attribute->klass->type == PANGO_ATTR_SHAPE) {
            piece.boxed = true;
            piece.box = reinterpret_cast<PangoAttrShape*>(attribute)->logical_rect;
        }
    }
    for (const char* p = text.data() + item->offset;; p = g_utf8_next_char(p)) {
        piece.byteOffsets.push_back(int(p - (text.data() + item->offset)));
        if (int(piece.byteOffsets.size()) > item->num_chars)
            break;
    }
    if (piece.boxed) {
        if (piece.box.width < 0)
            return std::nullopt;
        piece.additive = true;
        piece.advances.assign(std::size_t(item->num_chars), piece.box.width);
        return piece;
    }
    piece.glyphs.reset(pango_glyph_string_new());
    pango_shape_item(item, text.data(), int(text.size()), const_cast<PangoLogAttr*>(logAttrs.data()) + charOffset,
        piece.glyphs.get(), flags);
    piece.additive = shapesCharacterByCharacter(piece, text, flags);
    if (!piece.additive)
        piece.advances.clear();
    return piece;
}

// Every item made ready for breaking; nullopt when one is not followed, or
// when the paragraph is so wide that sums of widths could overflow.
std::optional<std::vector<Piece>> makePieces(GList* items, std::string_view text,
    const std::vector<PangoLogAttr>& logAttrs, PangoShapeFlags flags)
{
    std::vector<Piece> pieces;
    long long total = 0;
    int offset = 0;
    for (GList* l = items; l; l = l->next) {
        auto* item = static_cast<PangoItem*>(l->data);
        auto piece = makePiece(item, offset, text, logAttrs, flags);
        if (!piece)
            return std::nullopt;
        if (piece->additive) {
            for (int advance : piece->advances)
                total += advance;
        } else {
            total += pango_glyph_string_get_width(piece->glyphs.get());
        }
        if (total > INT_MAX / 2)
            return std::nullopt;
        offset += item->num_chars;
        pieces.push_back(std::move(*piece));
    }
    return pieces;
}

// The extents of every line Pango would fill within `width`.
std::optional<std::vector<MeasuredLine>> breakIntoLines(const std::vector<Piece>& pieces, std::string_view text,
    const std::vector<PangoLogAttr>& logAttrs, int characters, int width, PangoWrapMode wrap, PangoShapeFlags flags)
{
    Breaker breaker(pieces, text, logAttrs, characters, wrap, flags);
    auto lines = breaker.lines(width);
    if (!lines)
        return std::nullopt;
    std::vector<MeasuredLine> measured;
    measured.reserve(lines->size());
    for (const auto& runs : *lines) {
        auto line = lineExtents(pieces, runs, breaker);
        if (!line)
            return std::nullopt;
        measured.push_back(*line);
    }
    return measured;
}

} // namespace

bool measuringShortcutOn()
{
    static const bool on = [] {
        const bool followed = pango_version() >= PANGO_VERSION_ENCODE(kFollowedPangoMajor, kFollowedPangoMinor, 0)
            && pango_version() < PANGO_VERSION_ENCODE(kFollowedPangoMajor, kFollowedPangoMinor + 1, 0);
        if (!followed) {
            platform::log::line("text", std::string("measuring shortcut off: Pango ") + pango_version_string()
                    + " is not the series its line breaking follows; Pango lays out every text");
        }
        return followed;
    }();
    return on;
}

std::optional<std::vector<MeasuredLine>> measureWrappedParagraph(PangoContext* context, std::string_view text,
    PangoAttrList* attributes, int width, PangoWrapMode wrap)
{
    if (!measuringShortcutOn() || width <= 0)
        return std::nullopt;
    auto characters = plainParagraphCharacters(text);
    if (!characters)
        return std::nullopt;
    bool hyphens = true;
    auto itemizing = itemizingAttributes(attributes, hyphens);
    if (!itemizing)
        return std::nullopt;
    Items items = itemizeLeftToRight(context, text, itemizing->get());
    if (!items)
        return std::nullopt;
    auto logAttrs = breakAttributes(text, *characters, items.get(), hyphens);
    if (!logAttrs)
        return std::nullopt;
    const PangoShapeFlags flags
        = pango_context_get_round_glyph_positions(context) ? PANGO_SHAPE_ROUND_POSITIONS : PANGO_SHAPE_NONE;
    auto pieces = makePieces(items.get(), text, *logAttrs, flags);
    if (!pieces)
        return std::nullopt;
    return breakIntoLines(*pieces, text, *logAttrs, *characters, width, wrap, flags);
}

#pragma GCC diagnostic pop

} // namespace ui
