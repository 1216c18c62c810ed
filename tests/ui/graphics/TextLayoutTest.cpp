#include "PixelCanvas.h"

#include "ui/graphics/TextLayout.h"
#include "ui/graphics/TextSystem.h"

#include <gtest/gtest.h>
#include <pango/pango.h>

using namespace testing_graphics;
using ui::AttributedString;
using ui::Font;
using ui::TextAttributes;
using ui::TextLayout;

namespace {

const Font kFont = Font::system(14);

AttributedString text(std::string_view utf8, const Font& font = kFont)
{
    TextAttributes attributes;
    attributes.font = font;
    return AttributedString::fromUtf8(utf8, attributes);
}

AttributedString styled(std::string_view utf8, ui::ParagraphStyle paragraph)
{
    TextAttributes attributes;
    attributes.font = kFont;
    attributes.paragraph = paragraph;
    return AttributedString::fromUtf8(utf8, attributes);
}

// The emoji label's box: 1.1 line heights wide, 0.88 above and 0.22 below the baseline.
ui::InlineBox emojiBox(const Font& font, const std::string& name = "Emotion_1")
{
    double L = font.lineHeight();
    return { 1.1 * L, 0.88 * L, 0.22 * L, name };
}

// Text with an emoji box in place of every "#".
AttributedString withBoxes(std::string_view utf8, const Font& font = kFont)
{
    AttributedString out = text(utf8, font);
    std::u16string units = out.text();
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (units[i] != u'#')
            continue;
        TextAttributes box;
        box.font = font;
        box.inlineBox = emojiBox(font, "Emotion_" + std::to_string(i));
        out.replace({ i, 1 }, AttributedString(u"\uFFFC", box));
    }
    return out;
}

TextLayout::Options within(double width, int maxLines = 0)
{
    TextLayout::Options options;
    options.width = width;
    options.maxLines = maxLines;
    return options;
}

const char* kLongChinese = "这是一段很长的中文文本，用来检查换行与省略号在各种宽度下的表现是否正确。";

} // namespace

TEST(Font, SizesArePoints)
{
    // A Han character is one em wide: 17 points at size 17 on any screen.
    EXPECT_NEAR(TextLayout::measure(text("中", Font::system(17)), 0).width, 17, 0.5);
    EXPECT_NEAR(TextLayout::measure(text("中", Font::system(34)), 0).width, 34, 1);
    Font font = Font::system(17);
    EXPECT_GT(font.ascender(), 12);
    EXPECT_LT(font.descender(), 0);
    EXPECT_GE(font.lineHeight(), font.ascender() - font.descender() - 0.01);
    // The font's own metrics are those of its Latin face, whose line of text is
    // exactly its line height; a line of Han takes the taller Chinese face's, as on the phone.
    for (const Font& latin : { Font::named("Helvetica-Light", 40), Font::named("Helvetica", 15), font })
        EXPECT_NEAR(TextLayout::measure(text("Ag", latin), 0).height, latin.lineHeight(), 0.05) << latin.name();
    EXPECT_GT(TextLayout::measure(text("中", font), 0).height, font.lineHeight());
    EXPECT_EQ(TextLayout::measure(text(""), 100), ui::Size {});
}

// The system face: Latin letters, digits and punctuation from Inter, Han from
// Noto Sans CJK SC, in every weight the screens ask for.
TEST(Font, SystemFaceTakesLatinAndHanFromTheirOwnFaces)
{
    struct Case {
        const char* text;
        const char* family;
    };
    const Case cases[] = { { "09:41", "Inter" }, { "Hello, 3'45\"!", "Inter" }, { "微信安全支付", "Noto Sans CJK SC" },
        { "，。？", "Noto Sans CJK SC" } };
    for (const Font& font : { Font::system(17), Font::boldSystem(17), Font::named("PingFangSC-Medium", 15),
             Font::named(".SFUIText-Light", 12) }) {
        for (const Case& c : cases) {
            PangoLayout* layout = pango_layout_new(ui::TextSystem::context());
            PangoFontDescription* description = font.makeDescription();
            pango_layout_set_font_description(layout, description);
            PangoWeight weight = pango_font_description_get_weight(description);
            pango_font_description_free(description);
            pango_layout_set_text(layout, c.text, -1);
            PangoLayoutIter* iter = pango_layout_get_iter(layout);
            do {
                PangoGlyphItem* run = pango_layout_iter_get_run_readonly(iter);
                if (!run)
                    continue;
                PangoFontDescription* used = pango_font_describe(run->item->analysis.font);
                EXPECT_STREQ(pango_font_description_get_family(used), c.family) << c.text << " in " << font.name();
                // Noto Sans CJK SC comes in regular and bold only.
                if (std::string_view(c.family) == "Inter" || weight == PANGO_WEIGHT_BOLD) {
                    EXPECT_EQ(pango_font_description_get_weight(used), weight) << c.text << " in " << font.name();
                }
                pango_font_description_free(used);
            } while (pango_layout_iter_next_run(iter));
            pango_layout_iter_free(iter);
            g_object_unref(layout);
        }
    }
}

TEST(Font, NamedFacesMapToInstalledOnes)
{
    EXPECT_EQ(Font::named("Helvetica-Light", 12).family(), "Roboto");
    EXPECT_EQ(Font::named("Helvetica-Light", 12).weight(), Font::Weight::Light);
    EXPECT_EQ(Font::named("Helvetica-Bold", 12).weight(), Font::Weight::Bold);
    EXPECT_EQ(Font::named("PingFangSC-Medium", 12).family(), Font::system(12).family());
    EXPECT_EQ(Font::named("PingFangSC-Medium", 12).weight(), Font::Weight::Medium);
    EXPECT_EQ(Font::named("NoSuchFace", 12).family(), Font::system(12).family());
    EXPECT_EQ(Font::boldSystem(12).weight(), Font::Weight::Bold);
    // A light Latin face draws narrower than the bold system face.
    EXPECT_LT(TextLayout::measure(text("Hello 123", Font::named("Helvetica-Light", 20)), 0).width,
        TextLayout::measure(text("Hello 123", Font::boldSystem(20)), 0).width);
}

TEST(TextLayout, WrapsWithinTheWidthAndHonoursLineLimits)
{
    double lineHeight = TextLayout::measure(text("中"), 0).height;
    ui::Size unlimited = TextLayout::measure(text(kLongChinese), 100);
    EXPECT_LE(unlimited.width, 100);
    EXPECT_GT(unlimited.height, 3 * lineHeight);
    ui::Size twoLines = TextLayout::measure(text(kLongChinese), 100, 2);
    EXPECT_NEAR(twoLines.height, 2 * lineHeight, 0.5);

    TextLayout layout(text(kLongChinese), within(100, 2));
    ASSERT_EQ(layout.lineCount(), 2);
    auto lines = layout.lines();
    EXPECT_EQ(lines[0].range.location, 0u);
    EXPECT_EQ(lines[1].range.location, lines[0].range.end());
    EXPECT_GT(lines[1].baseline, lines[0].baseline);
}

TEST(TextLayout, CharWrapBreaksInsideWordsWordWrapDoesNot)
{
    ui::ParagraphStyle word, chars;
    chars.lineBreakMode = ui::LineBreakMode::CharWrap;
    double width = TextLayout::measure(text("aaaa bbbbbb"), 0).width * 0.75;
    TextLayout byWord(styled("aaaa bbbbbb", word), within(width));
    TextLayout byChar(styled("aaaa bbbbbb", chars), within(width));
    EXPECT_EQ(byWord.lines()[0].range.length, 5u) << "breaks after the space";
    EXPECT_GT(byChar.lines()[0].range.length, 5u);
    // A word longer than the line still breaks rather than overflowing, and
    // without a hyphen: each line is exactly as wide as its own letters.
    EXPECT_LE(TextLayout::measure(text("abcdefghijklmnopqrstuvwxyz"), 40).width, 40);
    for (const char* letters : { "abcdefghijklmnopqrstuvwxyz", "好Pneumonoultramicroscopicsilicovolcanoconiosis" }) {
        AttributedString longWord = styled(letters, word);
        TextLayout layout(longWord, within(40));
        ASSERT_GT(layout.lineCount(), 2) << letters;
        for (const auto& line : layout.lines()) {
            AttributedString part = longWord.substring(line.range);
            EXPECT_NEAR(line.rect.width(), TextLayout::measure(part, 0).width, 0.01) << part.utf8();
        }
    }
}

TEST(TextLayout, ClippedSingleLineRunsOnToTheEdge)
{
    TextLayout::Options clip = within(60, 1);
    clip.lineBreakMode = ui::LineBreakMode::Clip;
    TextLayout layout(text("hello wonderful world"), clip);
    EXPECT_EQ(layout.lineCount(), 1);
    EXPECT_EQ(layout.lines()[0].range.length, 21u) << "not wrapped after \"hello \"";
    EXPECT_DOUBLE_EQ(layout.size().width, 60);
}

TEST(TextLayout, LineSpacingAddsBetweenLinesAndHeightMultipleWidensThem)
{
    ui::ParagraphStyle spaced, doubled;
    spaced.lineSpacing = 10;
    doubled.lineHeightMultiple = 2;
    double plain = TextLayout(styled("一\n二\n三", {}), {}).size().height;
    EXPECT_NEAR(TextLayout(styled("一\n二\n三", spaced), {}).size().height - plain, 20, 0.5);
    EXPECT_NEAR(TextLayout(styled("一\n二\n三", doubled), {}).size().height, 2 * plain, 1);
}

TEST(TextLayout, InlineBoxSitsOnTheBaseline)
{
    AttributedString string = withBoxes("abc#def");
    ASSERT_EQ(string.length(), 7u);
    TextLayout layout(string, {});
    auto boxes = layout.inlineBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    const auto& placed = boxes[0];
    double L = kFont.lineHeight();
    EXPECT_TRUE(placed.visible);
    EXPECT_EQ(placed.range, (ui::Range { 3, 1 }));
    EXPECT_EQ(placed.box.imageName, "Emotion_3");
    EXPECT_NEAR(placed.rect.width(), 1.1 * L, 1e-6);
    EXPECT_NEAR(placed.rect.y() + placed.box.ascent, layout.lines()[0].baseline, 1e-3);
    EXPECT_NEAR(placed.rect.x(), TextLayout::measure(text("abc"), 0).width, 0.5);
    EXPECT_NEAR(layout.size().width, TextLayout::measure(text("abcdef"), 0).width + 1.1 * L, 0.5);
}

// Adjacent boxes are each placed, one box width apart plus any kerning.
TEST(TextLayout, AdjacentAndKernedBoxesKeepTheirWidth)
{
    for (double kerning : { 0.0, 4.0 }) {
        AttributedString string = withBoxes("a##b");
        TextAttributes kern;
        kern.kern = kerning;
        string.addAttributes(kern, { 0, string.length() });
        TextLayout layout(string, {});
        auto boxes = layout.inlineBoxes();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_NE(boxes[0].box.imageName, boxes[1].box.imageName);
        EXPECT_NEAR(boxes[1].rect.x() - boxes[0].rect.x(), boxes[0].rect.width() + kerning, 1e-3);
        EXPECT_NEAR(layout.size().width, TextLayout(withBoxes("a##b"), {}).size().width + 4 * kerning, 0.5);
    }
}

// Boxes cut off by the ellipsis, or on lines past the limit, are not drawn.
TEST(TextLayout, BoxesPastTheEllipsisOrTheLineLimitAreHidden)
{
    AttributedString truncated = withBoxes("#一二三四五六七八九十一二三四五六七八九十#");
    ui::ParagraphStyle tail;
    tail.lineBreakMode = ui::LineBreakMode::TruncateTail;
    TextAttributes truncating;
    truncating.paragraph = tail;
    truncated.addAttributes(truncating, { 0, truncated.length() });
    TextLayout ellipsis(truncated, within(120, 1));
    EXPECT_EQ(ellipsis.lineCount(), 1);
    EXPECT_LE(ellipsis.size().width, 120);
    auto boxes = ellipsis.inlineBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[0].visible);
    EXPECT_FALSE(boxes[1].visible);

    boxes = TextLayout(withBoxes("一二三四五六七八九十一二三四五六七八九十#"), within(100, 1)).inlineBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(boxes[0].visible);
}

TEST(TextLayout, IndexesAndCaretsCountUtf16Units)
{
    AttributedString string = text("a😀b");
    ASSERT_EQ(string.length(), 4u);
    TextLayout layout(string, {});
    double aWidth = TextLayout::measure(text("a"), 0).width;
    EXPECT_EQ(layout.indexAt({ aWidth / 2, 5 }), 0u);
    EXPECT_EQ(layout.indexAt({ aWidth + 2, 5 }), 1u);
    EXPECT_EQ(layout.indexAt({ layout.size().width - 1, 5 }), 3u);
    EXPECT_EQ(layout.indexAt({ 5, -3 }), std::nullopt);
    EXPECT_EQ(layout.indexAt({ 5, 500 }), std::nullopt);
    EXPECT_NEAR(layout.caretRect(1).x(), aWidth, 0.5);
    EXPECT_NEAR(layout.caretRect(4).x(), layout.size().width, 0.5);
    EXPECT_GT(layout.caretRect(0).height(), 10);
    EXPECT_EQ(layout.caretRect(99), layout.caretRect(4));
}

TEST(TextLayout, TapsPutTheCaretAtTheNearestBoundary)
{
    TextLayout layout(text("a😀b\n中文"), {});
    double aWidth = TextLayout::measure(text("a"), 0).width;
    double lineHeight = layout.lines()[0].rect.height();
    EXPECT_EQ(layout.caretIndexAt({ aWidth * 0.3, 5 }), 0u);
    EXPECT_EQ(layout.caretIndexAt({ aWidth * 0.7, 5 }), 1u);
    EXPECT_EQ(layout.caretIndexAt({ aWidth + 1, 5 }), 1u) << "never between the halves of a surrogate pair";
    EXPECT_EQ(layout.caretIndexAt({ 500, 5 }), 4u) << "end of the first line, before its line break";
    EXPECT_EQ(layout.caretIndexAt({ -20, lineHeight + 2 }), 5u);
    EXPECT_EQ(layout.caretIndexAt({ 500, 900 }), 7u);
    EXPECT_EQ(layout.caretIndexAt({ -5, -900 }), 0u);
    EXPECT_EQ(TextLayout(AttributedString(), {}).caretIndexAt({ 3, 3 }), 0u);
}

TEST(TextLayout, MalformedUnitsAreLaidOutSafely)
{
    std::u16string broken = u"a";
    broken += char16_t(0xD800);
    broken += u"b";
    broken += char16_t(0);
    broken += char16_t(0xDC00);
    TextLayout layout(AttributedString(broken), {});
    EXPECT_GT(layout.size().width, 0);
    EXPECT_EQ(layout.lines()[0].range.length, broken.size());
}

TEST(TextLayout, DrawsTextAndColourEmoji)
{
    PixelCanvas canvas(120, 60, 2);
    TextAttributes attributes;
    attributes.font = Font::system(24);
    TextLayout layout(AttributedString::fromUtf8("中😀", attributes), {});
    layout.draw(canvas.context(), { 0, 0 });
    bool ink = false, colour = false;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x) {
            std::uint32_t p = canvas.pixel(x, y);
            ink = ink || alphaOf(p) > 200;
            colour = colour || (alphaOf(p) > 200 && std::abs(redOf(p) - blueOf(p)) > 80);
        }
    EXPECT_TRUE(ink);
    EXPECT_TRUE(colour) << "the emoji glyph is drawn in colour";
}

TEST(TextLayout, DrawsOnlyTheLinesWithinTheLimit)
{
    PixelCanvas canvas(200, 200, 1);
    TextLayout layout(text(kLongChinese), within(100, 1));
    layout.draw(canvas.context(), { 0, 0 });
    double bottom = layout.size().height;
    for (int y = static_cast<int>(bottom) + 2; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(canvas.pixel(x, y), 0u) << "ink below the first line at " << x << "," << y;
}

TEST(TextLayout, KernWidensAfterEachKernedCharacter)
{
    AttributedString kerned = text("abcd");
    TextAttributes kern;
    kern.kern = 3;
    kerned.addAttributes(kern, { 0, 4 });
    // Kerning follows each kerned character, the last one included (and
    // replaces the font's own pair kerning, as on the phone).
    EXPECT_NEAR(TextLayout::measure(kerned, 0).width - TextLayout::measure(text("abcd"), 0).width, 12, 0.5);
    // A sign drawn close to the digits: only the gap after it shrinks.
    Font large = Font::system(40);
    AttributedString amount = text("¥12.00", large);
    TextAttributes tight;
    tight.kern = -10;
    amount.addAttributes(tight, { 0, 1 });
    TextLayout plainAmount(text("¥12.00", large), {}), tightAmount(amount, {});
    EXPECT_NEAR(tightAmount.size().width, plainAmount.size().width - 10, 0.01);
    EXPECT_NEAR(tightAmount.caretRect(1).x(), plainAmount.caretRect(1).x() - 10, 0.01);
    EXPECT_NEAR(tightAmount.caretRect(2).x() - tightAmount.caretRect(1).x(),
        plainAmount.caretRect(2).x() - plainAmount.caretRect(1).x(), 0.01);
    EXPECT_EQ(tightAmount.indexAt({ tightAmount.size().width - 1, 5 }), 5u);
    EXPECT_EQ(tightAmount.lines()[0].range, (ui::Range { 0, 6 }));
    // Lines begin where they would without kerning.
    AttributedString twoLines = text("ab\ncd");
    kern.kern = 6;
    twoLines.addAttributes(kern, { 0, twoLines.length() });
    EXPECT_NEAR(TextLayout(twoLines, {}).caretRect(3).x(), 0, 0.01);
    // Pulled back no further than the sign's own start.
    AttributedString small = text("¥1");
    tight.kern = -100;
    small.addAttributes(tight, { 0, 1 });
    EXPECT_NEAR(TextLayout::measure(small, 0).width,
        std::max(TextLayout::measure(text("¥"), 0).width, TextLayout::measure(text("1"), 0).width), 0.01);

}

// Measuring lays the text out without keeping it; it must agree with a layout
// that keeps it, whatever the text, width, line limit and break mode.
TEST(TextLayout, MeasureAgreesWithAKeptLayout)
{
    std::vector<AttributedString> texts = { text(""), text("中"), text(kLongChinese), withBoxes("今晚#一起吃饭吗？#好的"),
        withBoxes("##########"), text("Long English words wrap at word boundaries inside the bubble."),
        text("第一行\n第二行\n\n第四行"), text(std::string(300, '1')) };
    for (auto mode : { ui::LineBreakMode::WordWrap, ui::LineBreakMode::CharWrap, ui::LineBreakMode::Clip,
             ui::LineBreakMode::TruncateTail, ui::LineBreakMode::TruncateMiddle }) {
        ui::ParagraphStyle paragraph;
        paragraph.lineBreakMode = mode;
        paragraph.lineSpacing = 2;
        TextAttributes style;
        style.paragraph = paragraph;
        texts.push_back(withBoxes("这是一段#很长的中文文本，用来检查换行#与省略号"));
        texts.back().addAttributes(style, { 0, texts.back().length() });
    }
    for (const AttributedString& string : texts) {
        for (double width : { 0.0, 37.0, 100.0, 200.0 }) {
            for (int lines : { 0, 1, 2 }) {
                EXPECT_EQ(TextLayout::measure(string, width, lines), TextLayout(string, within(width, lines)).size())
                    << string.utf8() << " in " << width << ", " << lines << " lines";
            }
        }
    }
}
