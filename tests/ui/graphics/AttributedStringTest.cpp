#include "ui/graphics/AttributedString.h"

#include <gtest/gtest.h>

using ui::AttributedString;
using ui::Color;
using ui::Range;
using ui::TextAttributes;

namespace {

TextAttributes red()
{
    TextAttributes attributes;
    attributes.foreground = Color::redColor();
    return attributes;
}

TextAttributes sized(double size)
{
    TextAttributes attributes;
    attributes.font = ui::Font::system(size);
    return attributes;
}

// Runs must tile the text in order, with no empty or equal neighbours.
void expectNormalized(const AttributedString& string)
{
    std::size_t next = 0;
    const auto& runs = string.runs();
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].range.location, next);
        EXPECT_GT(runs[i].range.length, 0u);
        if (i > 0) {
            EXPECT_FALSE(runs[i].attributes == runs[i - 1].attributes) << "run " << i << " not merged";
        }
        next = runs[i].range.end();
    }
    EXPECT_EQ(next, string.length());
}

} // namespace

TEST(AttributedString, AddingMergesIntoExistingAttributes)
{
    AttributedString string(u"abcdef", sized(14));
    string.addAttributes(red(), { 2, 2 });
    expectNormalized(string);
    ASSERT_EQ(string.runs().size(), 3u);
    Range effective;
    TextAttributes middle = string.attributesAt(3, &effective);
    EXPECT_EQ(effective, (Range { 2, 2 }));
    EXPECT_EQ(middle.font, ui::Font::system(14));
    EXPECT_EQ(middle.foreground, Color::redColor());

    string.addAttributes(red(), { 0, 2 });
    string.addAttributes(red(), { 4, 100 }); // clamped to the text
    expectNormalized(string);
    EXPECT_EQ(string.runs().size(), 1u);
}

TEST(AttributedString, SettingReplacesAttributes)
{
    AttributedString string(u"abcdef", sized(14));
    string.setAttributes(red(), { 1, 3 });
    expectNormalized(string);
    EXPECT_FALSE(string.attributesAt(2).font);
    EXPECT_TRUE(string.attributesAt(0).font);
    string.setAttributes(red(), { 10, 3 });
    expectNormalized(string);
}

TEST(AttributedString, ReplaceShiftsTheRunsAfterIt)
{
    AttributedString string(u"abcdef", sized(14));
    string.addAttributes(red(), { 4, 2 });
    string.replace({ 1, 2 }, AttributedString(u"XYZW", sized(20)));
    EXPECT_EQ(string.text(), u"aXYZWdef");
    expectNormalized(string);
    EXPECT_EQ(string.attributesAt(2).font, ui::Font::system(20));
    EXPECT_EQ(string.attributesAt(5).font, ui::Font::system(14));
    EXPECT_EQ(string.attributesAt(6).foreground, Color::redColor());
    EXPECT_FALSE(string.attributesAt(5).foreground);

    string.replace({ 0, 100 }, AttributedString());
    EXPECT_EQ(string.length(), 0u);
    EXPECT_TRUE(string.runs().empty());
}

TEST(AttributedString, AppendAndSubstringKeepAttributes)
{
    AttributedString string(u"ab", sized(14));
    string.append(AttributedString(u"cd", red()));
    string.append(AttributedString(u"ef", red()));
    expectNormalized(string);
    EXPECT_EQ(string.runs().size(), 2u);
    AttributedString middle = string.substring({ 1, 4 });
    EXPECT_EQ(middle.text(), u"bcde");
    expectNormalized(middle);
    EXPECT_EQ(middle.attributesAt(0).font, ui::Font::system(14));
    EXPECT_EQ(middle.attributesAt(3).foreground, Color::redColor());
    EXPECT_EQ(string.substring({ 9, 3 }).length(), 0u);
}

TEST(AttributedString, OutOfRangeIndexGivesNoAttributes)
{
    AttributedString string(u"ab", red());
    Range effective { 7, 7 };
    EXPECT_EQ(string.attributesAt(5, &effective), TextAttributes {});
    EXPECT_EQ(effective.length, 0u);
}

TEST(AttributedString, ConvertsBetweenUtf8AndUtf16)
{
    AttributedString string = AttributedString::fromUtf8("中a😀");
    EXPECT_EQ(string.length(), 4u) << "the emoji is a surrogate pair";
    EXPECT_EQ(string.utf8(), "中a😀");
    EXPECT_EQ(ui::toUtf16("a\xFF" "b"), u"a\uFFFDb");
    std::u16string lone = u"x";
    lone += char16_t(0xD83D);
    EXPECT_EQ(ui::toUtf8(lone), "x\xEF\xBF\xBD");
}

TEST(AttributedString, FromRunsTilesTheTextWithMergedRuns)
{
    std::vector<AttributedString::Run> runs = {
        { { 0, 2 }, red() }, { { 2, 1 }, red() }, { { 3, 0 }, sized(20) }, { { 3, 2 }, sized(12) },
    };
    AttributedString string = AttributedString::fromRuns(u"abcde", runs);
    expectNormalized(string);
    ASSERT_EQ(string.runs().size(), 2u);
    EXPECT_EQ(string.runs()[0].range, (Range { 0, 3 }));
    EXPECT_EQ(string.attributesAt(4), sized(12));
    EXPECT_EQ(AttributedString::fromRuns(u"", {}).runs().size(), 0u);
}

TEST(AttributedString, FromRunsCoversGapsAndIgnoresRunsPastTheText)
{
    // Out of order, overlapping, past the end: the text stays tiled, each
    // character with the first run that reached it, or none.
    std::vector<AttributedString::Run> runs = {
        { { 1, 2 }, red() }, { { 0, 2 }, sized(20) }, { { 5, 10 }, sized(12) }, { { 40, 3 }, red() },
    };
    AttributedString string = AttributedString::fromRuns(u"abcdefg", runs);
    expectNormalized(string);
    EXPECT_EQ(string.text(), u"abcdefg");
    EXPECT_EQ(string.attributesAt(0), TextAttributes {});
    EXPECT_EQ(string.attributesAt(1), red());
    EXPECT_EQ(string.attributesAt(2), red());
    EXPECT_EQ(string.attributesAt(3), TextAttributes {});
    EXPECT_EQ(string.attributesAt(6), sized(12));
}
