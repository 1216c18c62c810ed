#include <gtest/gtest.h>

#include "input/label/QYAttributedStringBuilder.h"

namespace {

ui::TextAttributes coloured(int red)
{
    ui::TextAttributes attributes;
    attributes.foreground = ui::Color::rgb(red, 0, 0);
    return attributes;
}

// "aaBBBcc" with three runs: a red 10, B red 20, c without attributes.
ui::AttributedString threeRuns()
{
    ui::AttributedString text(u"aaBBBcc");
    text.setAttributes(coloured(10), {0, 2});
    text.setAttributes(coloured(20), {2, 3});
    return text;
}

} // namespace

TEST(QYAttributedStringBuilder, RangesAcrossRunsKeepEachCharactersAttributes)
{
    const ui::AttributedString source = threeRuns();
    for (std::size_t start = 0; start <= source.length(); ++start) {
        for (std::size_t end = start; end <= source.length(); ++end) {
            QYAttributedStringBuilder builder;
            builder.append(source, ui::Range{start, end - start});
            ui::AttributedString built = builder.build();
            ASSERT_EQ(built.text(), source.text().substr(start, end - start));
            for (std::size_t i = start; i < end; ++i)
                EXPECT_EQ(built.attributesAt(i - start), source.attributesAt(i)) << start << ".." << end << " at " << i;
        }
    }
}

TEST(QYAttributedStringBuilder, OverlaysMergeOverTheirRangesOnly)
{
    ui::TextAttributes link;
    link.background = ui::Color::whiteColor();
    QYAttributedStringBuilder builder;
    builder.append(threeRuns(), {{{1, 2}, link}, {{5, 1}, link}});
    ui::AttributedString built = builder.build();
    ASSERT_EQ(built.text(), u"aaBBBcc");
    for (std::size_t i = 0; i < built.length(); ++i) {
        bool inLink = (i >= 1 && i < 3) || i == 5;
        EXPECT_EQ(built.attributesAt(i).background.has_value(), inLink) << i;
        EXPECT_EQ(built.attributesAt(i).foreground, threeRuns().attributesAt(i).foreground) << i;
    }
}

TEST(QYAttributedStringBuilder, ManyPiecesJoinInOrder)
{
    QYAttributedStringBuilder builder;
    std::u16string expected;
    for (int i = 0; i < 1001; ++i) {
        std::u16string piece(1, char16_t(u'a' + i % 26));
        builder.append(piece, coloured(i % 2 ? 255 : 0));
        expected += piece;
    }
    ui::AttributedString built = builder.build();
    EXPECT_EQ(built.text(), expected);
    EXPECT_EQ(built.runs().size(), 1001u);
    EXPECT_EQ(built.attributesAt(1000).foreground, coloured(0).foreground);
}

TEST(QYAttributedStringBuilder, EqualNeighboursBecomeOneRunAndTheBuilderStartsOver)
{
    QYAttributedStringBuilder builder;
    builder.append(u"ab", coloured(10));
    builder.append(u"", coloured(20));
    builder.append(u"cd", coloured(10));
    builder.append(threeRuns(), ui::Range{0, 2});
    ui::AttributedString built = builder.build();
    EXPECT_EQ(built.text(), u"abcdaa");
    ASSERT_EQ(built.runs().size(), 1u);
    EXPECT_EQ(built.runs()[0].range, (ui::Range{0, 6}));

    // What was built is gone: the next string has only what comes after.
    builder.append(u"x", {});
    ui::AttributedString next = builder.build();
    EXPECT_EQ(next.text(), u"x");
    ASSERT_EQ(next.runs().size(), 1u);
    EXPECT_EQ(builder.build().length(), 0u);
}

TEST(QYAttributedStringBuilder, OverlaysOutOfOrderOrPastTheTextAreLeftOut)
{
    ui::TextAttributes link;
    link.underline = true;
    QYAttributedStringBuilder builder;
    // The second overlay starts inside the first, the third runs past the text.
    builder.append(threeRuns(), {{{2, 3}, link}, {{3, 1}, link}, {{6, 5}, link}});
    ui::AttributedString built = builder.build();
    ASSERT_EQ(built.text(), u"aaBBBcc");
    for (std::size_t i = 0; i < built.length(); ++i)
        EXPECT_EQ(built.attributesAt(i).underline, i >= 2 && i < 5) << i;
}
