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
