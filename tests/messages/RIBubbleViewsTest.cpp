#include "RenderFixtures.h"

#include "messages/RIBubbleRules.h"
#include "messages/RIImageBubbleView.h"
#include "messages/RITextBubbleView.h"
#include "messages/RIVoiceBubbleView.h"
#include "ui/Renderer.h"

using namespace fixtures;

using BubbleTest = PhoneTest;

// The background is the side's bubble picture, stretched around its tail. The
// label sits 8 from the plain side, 18 from the tail and 5 from top and bottom;
// it wraps at 200, and only a label of 60 or more makes the row taller.
TEST_F(BubbleTest, TextBubbleWrapsItsLabelWithTheTailTowardTheSpeaker)
{
    for (bool isSend : { true, false }) {
        auto bubble = bubbleFor<RITextBubbleView>(text("你好[微笑]", isSend));
        auto image = bubble->backImageView()->image();
        ASSERT_TRUE(image);
        EXPECT_EQ(image->leftCapWidth(), isSend ? 5 : 25);
        EXPECT_EQ(image->topCapHeight(), 25);
        EXPECT_EQ(image->pixels().pixels, ui::Image::named(isSend ? "QYMessage_1" : "QYMessage_2")->pixels().pixels);
        EXPECT_EQ(bubble->backImageView()->frame(), bubble->bounds());

        ui::Size fitted = bubble->textLabel()->intrinsicContentSize();
        EXPECT_EQ(bubble->bounds().size, (ui::Size { fitted.width + 26, fitted.height + 10 }));
        ui::Rect label = bubble->textLabel()->frame();
        EXPECT_EQ(label.x(), isSend ? 8 : 18);
        EXPECT_EQ(bubble->bounds().width() - label.maxX(), isSend ? 18 : 8);
        EXPECT_EQ(label.y(), 5);
        EXPECT_EQ(bubble->bounds().height() - label.maxY(), 5);
    }
    // A text that wraps takes the label's whole wrapping width, whatever its
    // longest line: every wrapped bubble is 226 wide. (The row heights are
    // pinned in the text bubble's height test.)
    for (const char* wrapping : { "This sentence is long enough to wrap over several lines of the bubble, "
                                  "and then some more words so that it needs a fourth line too.",
             "今天下午三点在公司楼下的咖啡店见面，记得带上合同和发票，我们一起把细节再过一遍好吗？",
             "Antidisestablishmentarianism", "好的[微笑]明天见[微笑]不见不散[微笑]一定要来[微笑]哦" }) {
        auto bubble = bubbleFor<RITextBubbleView>(text(wrapping, false));
        EXPECT_EQ(bubble->bounds().width(), 226) << wrapping;
        EXPECT_EQ(bubble->bounds().height(), bubble->textLabel()->sizeThatFits({ 200, 1e9 }).height + 10) << wrapping;
    }
    // @names and #topics show as links.
    EXPECT_EQ(bubbleFor<RITextBubbleView>(text("@Tony 你好 #周末#", true))->textLabel()->links().size(), 2u);
    EXPECT_EQ(RIBubbleRules::textBubbleHeight(59.99), 60);
    EXPECT_EQ(RIBubbleRules::textBubbleHeight(60), 85);
}

// The longer side becomes 141; the mask (half a point taller for landscape)
// is the side's bubble, and the picture is shifted against it by a fraction.
TEST_F(BubbleTest, PicturesAreScaledToTheLongerSideAndMaskedBySide)
{
    struct Case {
        int width, height;
        ui::Size shown;
        double maskHeight;
    };
    const Case cases[] = {
        { 1000, 500, { 141, 70.5 }, 71 },
        { 500, 1000, { 70.5, 141 }, 141 },
        { 300, 300, { 141, 141 }, 141 },
        { 100, 4000, { 3.525, 141 }, 141 },
        { 0, 0, { 141, 141 }, 141 }, // no picture: an empty square outline
    };
    // One bubble for all, as a reused cell keeps it: each picture brings its own size and side.
    auto bubble = ui::View::make<RIImageBubbleView>();
    for (const auto& c : cases) {
        for (bool isSend : { true, false }) {
            SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + (isSend ? " own" : " other"));
            bubbleFor(picture(c.width, c.height, isSend), bubble);
            EXPECT_NEAR(bubble->bounds().width(), c.shown.width, 1e-9);
            EXPECT_NEAR(bubble->bounds().height(), c.shown.height, 1e-9);
            EXPECT_EQ(bubble->imageView()->bounds().size, bubble->bounds().size);
            EXPECT_EQ(bool(bubble->imageView()->image()), c.width > 0);
            auto mask = bubble->maskLayer();
            ASSERT_TRUE(mask);
            EXPECT_EQ(bubble->imageView()->maskView(), mask);
            EXPECT_NEAR(mask->frame().width(), c.shown.width, 1e-9);
            EXPECT_NEAR(mask->frame().height(), c.maskHeight, 1e-9);
            EXPECT_EQ(mask->contents()->pixels().pixels, ui::Image::named(isSend ? "QYMessage_1" : "QYMessage_2")->pixels().pixels);
            EXPECT_EQ(bubble->imageView()->bounds().origin, isSend ? (ui::Point { 0.3, 0.1 }) : (ui::Point { -0.6, 0.7 }));
        }
    }
    auto broken = picture(0, 0, false);
    broken->setImage(coding::Data::make({ 1, 2, 3, 4 }));
    EXPECT_EQ(bubbleFor(broken, bubble)->bounds().size, (ui::Size { 141, 141 }));
}

// A mask narrower than the bitmap's fixed parts (12 points before the stretch,
// 15 after) shrinks them in proportion.
TEST_F(BubbleTest, MaskTooNarrowForItsCornersShrinksThemInProportion)
{
    auto narrow = RIBubbleMaskView::slices(30, 0.4, 0.1, 3.525);
    EXPECT_NEAR(narrow.destination[1], 12 * 3.525 / 27, 1e-12);
    EXPECT_DOUBLE_EQ(narrow.destination[1], narrow.destination[2]);
    EXPECT_DOUBLE_EQ(narrow.destination[3], 3.525);
}

TEST_F(BubbleTest, MaskedPictureTakesTheBubbleShapeWithTheTailTowardTheSpeaker)
{
    for (bool isSend : { true, false }) {
        auto bubble = bubbleFor<RIImageBubbleView>(picture(400, 400, isSend));
        auto snapshot = ui::Renderer::snapshotView(*bubble, 2);
        const auto& px = snapshot->pixels();
        auto alphaAt = [&](double x, double y) {
            return px.pixels[size_t(y * 2) * size_t(px.stride) + size_t(x * 2) * 4 + 3];
        };
        // The middle is picture; the corners are cut round.
        EXPECT_EQ(alphaAt(70, 70), 255);
        EXPECT_EQ(alphaAt(0.1, 0.1), 0);
        EXPECT_EQ(alphaAt(140.9, 140.9), 0);
        // Beside the tail the picture shows on the speaker's side only.
        double tailSideX = isSend ? 137 : 4, plainSideX = isSend ? 1 : 140;
        EXPECT_GT(alphaAt(tailSideX, 13.5), 200) << "tail";
        EXPECT_EQ(alphaAt(tailSideX, 40), 0) << "beside the body, next to the tail";
        EXPECT_GT(alphaAt(plainSideX, 40), 200) << "plain side";
    }
}

// The width steps with the clip's length, shown rounded half to even. It
// stands outside the bubble away from the avatar, 22 points out or further
// when two digits would run into it; the horn is 15 in from the tail.
TEST_F(BubbleTest, VoiceBubbleGrowsWithTheClipAndKeepsItsLengthOutside)
{
    struct Case {
        std::shared_ptr<QYChatModel> record;
        double width;
        std::string length;
    };
    auto reserved = message(QYChatModel::Reserved, false);
    reserved->setDuration(9.5); // a reserved clip always says three seconds
    const Case cases[] = {
        { voice(1.98, true), 70, "2''" }, { voice(2, false), 80, "2''" }, { voice(2.5, true), 80, "2''" },
        { voice(3.5, false), 80, "4''" }, { voice(4.99, true), 80, "5''" }, { voice(5, false), 90, "5''" },
        { voice(6.9, true), 90, "7''" }, { voice(7, false), 110, "7''" }, { voice(10.99, true), 130, "11''" },
        { voice(11, false), 150, "11''" }, { voice(60, true), 150, "60''" },
        { message(QYChatModel::Reserved, true), 70, "3''" }, { reserved, 130, "3''" },
    };
    auto reused = ui::View::make<RIVoiceBubbleView>(); // as a reused cell keeps it
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        bool isSend = c.record->isSend();
        auto bubble = bubbleFor<RIVoiceBubbleView>(c.record, reused);
        EXPECT_EQ(bubble->bounds().width(), c.width);
        auto label = bubble->timeLengthLabel();
        EXPECT_EQ(label->text(), c.length);
        EXPECT_EQ(label->textColor(), isSend ? ui::Color::rgb(178, 178, 178) : ui::Color::rgb(140, 140, 140));
        ui::Rect frame = label->frame();
        if (c.length.size() == 3)
            EXPECT_EQ(isSend ? frame.x() : frame.maxX(), isSend ? -22 : c.width + 22);
        else
            EXPECT_TRUE(isSend ? frame.maxX() <= -4 : frame.x() >= c.width + 4) << frame.x() << " " << frame.maxX();

        auto horn = bubble->animationView();
        EXPECT_EQ(horn->image(), ui::Image::named(isSend ? "QYHorn.png" : "QYHorn_2.png"));
        EXPECT_EQ(isSend ? c.width - horn->frame().maxX() : horn->frame().x(), 15);
        EXPECT_EQ(bubble->bounds().height(), std::max(label->sizeThatFits({}).height + 17, horn->image()->size().height));
    }
}
