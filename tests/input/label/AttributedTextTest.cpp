#include <gtest/gtest.h>

#include "input/label/QYAttributedLabel.h"
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

std::shared_ptr<QYAttributedLabel> label(std::u16string text)
{
    auto made = std::make_shared<QYAttributedLabel>(ui::Rect{0, 0, 200, 100});
    made->setNumberOfLines(0);
    made->setText(std::move(text));
    return made;
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

TEST(QYAttributedStringBuilder, OverlaysMergeOverTheirRangesUnlessOutOfOrderOrPastTheText)
{
    ui::TextAttributes link;
    link.background = ui::Color::whiteColor();
    QYAttributedStringBuilder builder;
    // The second overlay starts inside the first, the fourth runs past the text.
    builder.append(threeRuns(), {{{1, 2}, link}, {{2, 1}, link}, {{5, 1}, link}, {{6, 5}, link}});
    ui::AttributedString built = builder.build();
    ASSERT_EQ(built.text(), u"aaBBBcc");
    for (std::size_t i = 0; i < built.length(); ++i) {
        EXPECT_EQ(built.attributesAt(i).background.has_value(), i == 1 || i == 2 || i == 5) << i;
        EXPECT_EQ(built.attributesAt(i).foreground, threeRuns().attributesAt(i).foreground) << i;
    }
    // What was built is gone; equal neighbours make one run.
    builder.append(u"ab", coloured(10));
    builder.append(u"", coloured(20));
    builder.append(u"cd", coloured(10));
    built = builder.build();
    EXPECT_EQ(built.text(), u"abcd");
    EXPECT_EQ(built.runs().size(), 1u);
}

TEST(QYAttributedLabel, InsetsWrappingWidthAndLineLimitBoundTheMeasuredText)
{
    auto plain = label(u"你好世界");
    auto inset = label(u"你好世界");
    inset->setTextInsets({4, 6, 8, 10});
    ui::Size bare = plain->sizeThatFits({200, 1e6});
    ui::Size padded = inset->sizeThatFits({200, 1e6});
    EXPECT_DOUBLE_EQ(padded.width, bare.width + 16);
    EXPECT_DOUBLE_EQ(padded.height, bare.height + 12);

    // The text rect sits inside the insets, centred vertically in what is left.
    ui::Rect rect = inset->textRectForBounds({0, 0, 200, 100}, 0);
    EXPECT_DOUBLE_EQ(rect.x(), 6);
    EXPECT_DOUBLE_EQ(rect.width(), 184);
    EXPECT_NEAR(rect.y() - 4, (88 - rect.height()) / 2, 1);

    // Wrapping width and line limit bound the measured size.
    auto wrapped = label(std::u16string(60, u'字'));
    ui::Size size = wrapped->sizeThatFits({100, 1e6});
    EXPECT_LE(size.width, 100);
    ui::Size one = QYAttributedLabel::sizeThatFitsAttributedString(*wrapped->attributedText(), {100, 1e6}, 1);
    ui::Size two = QYAttributedLabel::sizeThatFitsAttributedString(*wrapped->attributedText(), {100, 1e6}, 2);
    EXPECT_GT(size.height, two.height);
    EXPECT_NEAR(two.height, 2 * one.height, one.height * 0.5);
}

TEST(QYAttributedLabel, LinksOutsideTheTextAreDroppedAndNewTextDropsOldLinks)
{
    auto made = label(u"0123456789");
    made->addLinks({{{2, 3}, u"a"}, {{8, 5}, u"past the end"}, {{4, 0}, u"empty"}}, {});
    ASSERT_EQ(made->links().size(), 1u);
    EXPECT_EQ(made->links()[0].replacementString, u"a");
    made->setText(u"新的");
    EXPECT_TRUE(made->links().empty());
}
