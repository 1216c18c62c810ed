#include <gtest/gtest.h>

#include <cmath>

#include "input/label/QYAttributedLabel.h"

namespace {

std::shared_ptr<QYAttributedLabel> label(std::u16string text, ui::Rect frame = {0, 0, 200, 100})
{
    auto made = std::make_shared<QYAttributedLabel>(frame);
    made->setNumberOfLines(0);
    made->setText(std::move(text));
    return made;
}

} // namespace

TEST(QYAttributedLabel, InsetsSurroundTheTextWhenMeasuringAndPlacing)
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
}

TEST(QYAttributedLabel, WrappingWidthAndLineLimitBoundTheMeasuredSize)
{
    std::u16string longText(60, u'字');
    auto wrapped = label(longText);
    ui::Size size = wrapped->sizeThatFits({100, 1e6});
    EXPECT_LE(size.width, 100);
    ui::Size one = QYAttributedLabel::sizeThatFitsAttributedString(*wrapped->attributedText(), {100, 1e6}, 1);
    ui::Size two = QYAttributedLabel::sizeThatFitsAttributedString(*wrapped->attributedText(), {100, 1e6}, 2);
    EXPECT_GT(size.height, two.height);
    EXPECT_NEAR(two.height, 2 * one.height, one.height * 0.5);
}

TEST(QYAttributedLabel, PlainTextTakesTheLabelsAttributesAndAttributedTextKeepsItsOwn)
{
    auto made = std::make_shared<QYAttributedLabel>();
    made->setFont(ui::Font::system(20));
    made->setTextColor(ui::Color::redColor());
    made->setText(u"字");
    EXPECT_EQ(made->attributedText()->attributesAt(0).font, ui::Font::system(20));
    EXPECT_EQ(made->attributedText()->attributesAt(0).foreground, ui::Color::redColor());

    ui::TextAttributes own;
    own.foreground = ui::Color::blackColor();
    own.inlineBox = ui::InlineBox{10, 8, 2, "x"};
    made->setAttributedText(ui::AttributedString(u"字", own));
    EXPECT_EQ(made->attributedText()->attributesAt(0).foreground, ui::Color::blackColor());
    EXPECT_FALSE(made->attributedText()->attributesAt(0).font);

    // Inheriting: the label's font and colour over the whole string, the box kept.
    made->setTextInheritingLabelAttributes(ui::AttributedString(u"字", own));
    auto inherited = made->attributedText()->attributesAt(0);
    EXPECT_EQ(inherited.foreground, ui::Color::redColor());
    EXPECT_EQ(inherited.font, ui::Font::system(20));
    EXPECT_EQ(inherited.inlineBox, own.inlineBox);
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
