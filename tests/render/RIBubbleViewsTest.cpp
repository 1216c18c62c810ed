#include "RenderFixtures.h"

#include <cmath>

#include "render/RIImageBubbleView.h"
#include "render/RIRouterEvents.h"
#include "render/RITextBubbleView.h"
#include "render/RIVoiceBubbleView.h"
#include "ui/Renderer.h"

using namespace fixtures;

namespace {

// A bubble placed as the cell places it, laid out.
template<typename Bubble>
std::shared_ptr<Bubble> bubbleFor(const std::shared_ptr<QYChatModel>& message)
{
    auto bubble = ui::View::make<Bubble>();
    bubble->setClock(message);
    ui::Size size = bubble->sizeThatFits({});
    bubble->setFrame({ 0, 0, size.width, size.height });
    bubble->layoutIfNeeded();
    return bubble;
}

// Receives the routed events that reach the end of a chain.
class Catcher : public ui::View {
public:
    void routerEventWithName(const std::string& name, const ui::UserInfo& info) override
    {
        names.push_back(name);
        clock = std::any_cast<std::shared_ptr<QYChatModel>>(info.at(KMESSAGEKEY));
    }
    std::vector<std::string> names;
    std::shared_ptr<QYChatModel> clock;
};

} // namespace

using BubbleTest = PhoneTest;

TEST_F(BubbleTest, BackgroundIsTheSidesPictureWithItsCaps)
{
    for (bool isSend : { true, false }) {
        auto bubble = bubbleFor<RITextBubbleView>(text("好", isSend));
        auto image = bubble->backImageView()->image();
        ASSERT_TRUE(image);
        EXPECT_TRUE(image->isStretchable());
        EXPECT_EQ(image->leftCapWidth(), isSend ? 5 : 25);
        EXPECT_EQ(image->topCapHeight(), 25);
        EXPECT_EQ(image->size(), (ui::Size { 30, 30 }));
        EXPECT_EQ(bubble->backImageView()->frame(), bubble->bounds());
        // The same picture as the resources hand out under the side's name.
        auto named = ui::Image::named(isSend ? "QYMessage_1" : "QYMessage_2");
        EXPECT_EQ(image->pixels().pixels, named->pixels().pixels);
    }
}

TEST_F(BubbleTest, OneLineTextIsMeasuredSixtyButDrawnAtItsLineHeight)
{
    auto message = text("你好[微笑]", true);
    EXPECT_EQ(RITextBubbleView::heightForBubbleWithObject(*message), 60);
    auto bubble = bubbleFor<RITextBubbleView>(message);
    ui::Size label = bubble->textLabel()->intrinsicContentSize();
    EXPECT_GT(label.height, 15);
    EXPECT_LT(label.height, 40);
    EXPECT_EQ(bubble->bounds().height(), label.height + 10);
    EXPECT_EQ(bubble->bounds().width(), label.width + 26);
    EXPECT_EQ(bubble->textLabel()->font(), ui::Font::system(16));
    EXPECT_EQ(bubble->textLabel()->customEmojiPlistName(), "Emotion");
    EXPECT_TRUE(bubble->textLabel()->isNeedAtAndPoundSign());
}

TEST_F(BubbleTest, TextLabelKeepsEightFromThePlainSideAndEighteenFromTheTail)
{
    auto own = bubbleFor<RITextBubbleView>(text("早上好", true));
    ui::Rect label = own->textLabel()->frame();
    EXPECT_EQ(label.x(), 8);
    EXPECT_EQ(own->bounds().width() - label.maxX(), 18);
    EXPECT_EQ(label.y(), 5);
    EXPECT_EQ(own->bounds().height() - label.maxY(), 5);

    auto other = bubbleFor<RITextBubbleView>(text("早上好", false));
    label = other->textLabel()->frame();
    EXPECT_EQ(label.x(), 18);
    EXPECT_EQ(other->bounds().width() - label.maxX(), 8);
}

TEST_F(BubbleTest, LongTextWrapsAtTwoHundredAndGrowsTheRow)
{
    auto message = text("This sentence is long enough to wrap over several lines of the bubble, "
                        "and then some more words so that it needs a fourth line too.",
        false);
    auto bubble = bubbleFor<RITextBubbleView>(message);
    EXPECT_EQ(bubble->bounds().width(), 226);
    double h = bubble->textLabel()->sizeThatFits({ 200, 1e9 }).height;
    EXPECT_GE(h, 60);
    EXPECT_EQ(RITextBubbleView::heightForBubbleWithObject(*message), h + 25);
}

TEST_F(BubbleTest, EmptyTextGivesAnEmptyLabelAndTheSmallestHeight)
{
    auto message = text("", true);
    EXPECT_EQ(RITextBubbleView::heightForBubbleWithObject(*message), 60);
    auto bubble = bubbleFor<RITextBubbleView>(message);
    EXPECT_EQ(bubble->textLabel()->text(), u"");
    EXPECT_EQ(bubble->bounds().width(), 26);
    EXPECT_LE(bubble->bounds().height(), 11);
}

TEST_F(BubbleTest, PaymentStyleTextLooksCodesUpInTheBaseTable)
{
    auto bubble = bubbleFor<RITextBubbleView>(text("[微笑]", true, false, 2));
    EXPECT_EQ(bubble->textLabel()->customEmojiPlistName(), "BaseEmotion");
    EXPECT_EQ(RITextBubbleView::emojiPlistName(1), "Emotion");
    EXPECT_EQ(RITextBubbleView::emojiPlistName(0), "BaseEmotion");
}

TEST_F(BubbleTest, TapsSendEachBubblesEventWithTheMessage)
{
    auto catcher = ui::View::make<Catcher>();
    auto textMessage = text("hi", true);
    auto voiceMessage = voice(3, false);
    auto pictureMessage = picture(20, 10, true);
    auto textBubble = bubbleFor<RITextBubbleView>(textMessage);
    auto voiceBubble = bubbleFor<RIVoiceBubbleView>(voiceMessage);
    auto imageBubble = bubbleFor<RIImageBubbleView>(pictureMessage);
    for (auto& bubble : std::vector<std::shared_ptr<RIBaseBubbleView>> { textBubble, voiceBubble, imageBubble })
        catcher->addSubview(bubble);

    textBubble->bubbleViewPressed();
    EXPECT_EQ(catcher->clock, textMessage);
    voiceBubble->bubbleViewPressed();
    EXPECT_EQ(catcher->clock, voiceMessage);
    imageBubble->bubbleViewPressed();
    EXPECT_EQ(catcher->clock, pictureMessage);
    EXPECT_EQ(catcher->names, (std::vector<std::string> { "kRITextBubbleViewTapTextEventName",
                                  "kRIVoiceBubbleViewTapVoiceEventName", "kRIBaseBubbleView" }));
}

TEST_F(BubbleTest, PicturesAreScaledToTheLongerSideAndMaskedBySide)
{
    struct Case {
        int width, height;
        ui::Size shown;
        ui::Size mask;
    };
    const Case cases[] = {
        { 1000, 500, { 141, 70.5 }, { 141, 71 } },
        { 500, 1000, { 70.5, 141 }, { 70.5, 141 } },
        { 300, 300, { 141, 141 }, { 141, 141 } },
        { 100, 4000, { 3.525, 141 }, { 3.525, 141 } },
    };
    for (const auto& c : cases) {
        for (bool isSend : { true, false }) {
            SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + (isSend ? " own" : " other"));
            auto bubble = bubbleFor<RIImageBubbleView>(picture(c.width, c.height, isSend));
            EXPECT_NEAR(bubble->bounds().width(), c.shown.width, 1e-9);
            EXPECT_NEAR(bubble->bounds().height(), c.shown.height, 1e-9);
            EXPECT_NEAR(bubble->imageView()->bounds().width(), c.shown.width, 1e-9);
            EXPECT_NEAR(bubble->imageView()->bounds().height(), c.shown.height, 1e-9);
            auto mask = bubble->maskLayer();
            ASSERT_TRUE(mask);
            EXPECT_EQ(bubble->imageView()->maskView(), mask);
            EXPECT_NEAR(mask->frame().width(), c.mask.width, 1e-9);
            EXPECT_NEAR(mask->frame().height(), c.mask.height, 1e-9);
            EXPECT_EQ(mask->contentsCenter(), (ui::Rect { 0.4, 0.6, 0.1, 0.2 }));
            EXPECT_EQ(mask->contents()->pixels().pixels,
                ui::Image::named(isSend ? "QYMessage_1" : "QYMessage_2")->pixels().pixels);
            // The picture is shifted against its mask by a fraction of a point.
            ui::Point origin = bubble->imageView()->bounds().origin;
            EXPECT_EQ(origin, isSend ? (ui::Point { 0.3, 0.1 }) : (ui::Point { -0.6, 0.7 }));
            EXPECT_EQ(bubble->imageView()->borderWidth(), 0.5);
            EXPECT_TRUE(bubble->imageView()->clipsToBounds());
        }
    }
}

TEST_F(BubbleTest, MissingOrUnreadablePictureLeavesAnEmptySquareOutline)
{
    auto missing = bubbleFor<RIImageBubbleView>(picture(0, 0, true));
    EXPECT_EQ(missing->bounds().size, (ui::Size { 141, 141 }));
    EXPECT_FALSE(missing->imageView()->image());

    auto broken = picture(0, 0, false);
    broken->setImage(coding::Data::make({ 1, 2, 3, 4 }));
    auto bubble = bubbleFor<RIImageBubbleView>(broken);
    EXPECT_EQ(bubble->bounds().size, (ui::Size { 141, 141 }));
    EXPECT_TRUE(bubble->maskLayer());
}

TEST_F(BubbleTest, ReboundImageBubbleTakesTheNewPicturesSize)
{
    auto bubble = bubbleFor<RIImageBubbleView>(picture(1000, 500, true));
    bubble->setClock(picture(500, 1000, false));
    ui::Size size = bubble->sizeThatFits({});
    bubble->setFrame({ 0, 0, size.width, size.height });
    bubble->layoutIfNeeded();
    EXPECT_EQ(bubble->imageView()->bounds(), (ui::Rect { -0.6, 0.7, 70.5, 141 }));
    EXPECT_EQ(bubble->maskLayer()->frame(), (ui::Rect { 0, 0, 70.5, 141 }));
}

TEST_F(BubbleTest, MaskStretchKeepsCornersAndTailAtTheirSize)
{
    // 30 points across: 12 before the stretch, 15 after; 18 above, 6 below.
    auto columns = RIBubbleMaskView::slices(30, 0.4, 0.1, 141);
    EXPECT_DOUBLE_EQ(columns.source[1], 12);
    EXPECT_DOUBLE_EQ(columns.source[2], 15);
    EXPECT_DOUBLE_EQ(columns.destination[1], 12);
    EXPECT_DOUBLE_EQ(columns.destination[2], 126);
    auto rows = RIBubbleMaskView::slices(30, 0.6, 0.2, 70.5);
    EXPECT_DOUBLE_EQ(rows.destination[1], 18);
    EXPECT_DOUBLE_EQ(rows.destination[2], 64.5);
    // Narrower than the fixed parts: they shrink in proportion.
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
            int ix = int(x * 2), iy = int(y * 2);
            return px.pixels[size_t(iy) * size_t(px.stride) + size_t(ix) * 4 + 3];
        };
        // The middle is picture; the corners are cut round.
        EXPECT_EQ(alphaAt(70, 70), 255);
        EXPECT_EQ(alphaAt(0.1, 0.1), 0);
        EXPECT_EQ(alphaAt(140.9, 140.9), 0);
        // Beside the tail the picture shows on the speaker's side only.
        double tailSideX = isSend ? 137 : 4;
        double plainSideX = isSend ? 1 : 140;
        EXPECT_GT(alphaAt(tailSideX, 13.5), 200) << "tail";
        EXPECT_EQ(alphaAt(tailSideX, 40), 0) << "beside the body, next to the tail";
        EXPECT_GT(alphaAt(plainSideX, 40), 200) << "plain side";
    }
}

TEST_F(BubbleTest, VoiceBubbleWidthTextAndSideLook)
{
    auto own = bubbleFor<RIVoiceBubbleView>(voice(2.5, true));
    EXPECT_EQ(own->bounds().width(), 80);
    EXPECT_EQ(own->timeLengthLabel()->text(), "2''");
    EXPECT_EQ(own->timeLengthLabel()->textColor(), ui::Color::rgb(178, 178, 178));
    EXPECT_EQ(own->timeLengthLabel()->frame().x(), -22);
    EXPECT_EQ(own->animationView()->image(), ui::Image::named("QYHorn.png"));
    EXPECT_EQ(own->animationView()->frame().maxX(), 80 - 15);

    auto other = bubbleFor<RIVoiceBubbleView>(voice(3.5, false));
    EXPECT_EQ(other->bounds().width(), 80);
    EXPECT_EQ(other->timeLengthLabel()->text(), "4''");
    EXPECT_EQ(other->timeLengthLabel()->textColor(), ui::Color::rgb(140, 140, 140));
    EXPECT_EQ(other->timeLengthLabel()->frame().maxX(), 80 + 22);
    EXPECT_EQ(other->animationView()->image(), ui::Image::named("QYHorn_2.png"));
    EXPECT_EQ(other->animationView()->frame().x(), 15);

    for (auto& bubble : { own, other }) {
        ui::Rect label = bubble->timeLengthLabel()->frame();
        EXPECT_EQ(label.y(), 12);
        EXPECT_EQ(bubble->bounds().height() - label.maxY(), 5);
        EXPECT_EQ(bubble->animationView()->frame().height(), bubble->bounds().height());
        EXPECT_EQ(bubble->timeLengthLabel()->font(), ui::Font::system(15));
    }
}

TEST_F(BubbleTest, VoiceBubbleAnswersFortyOneAndIsAsTallAsItsHorn)
{
    auto bubble = bubbleFor<RIVoiceBubbleView>(voice(60, true));
    EXPECT_EQ(RIVoiceBubbleView::heightForBubbleWithObject(*voice(60, true)), 41);
    EXPECT_EQ(bubble->bounds().width(), 150);
    EXPECT_EQ(bubble->timeLengthLabel()->text(), "60''");
    // Two digits do not fit in the 22 points outside the bubble: they move
    // out instead of running into it, on either side.
    EXPECT_LE(bubble->timeLengthLabel()->frame().maxX(), -4);
    auto other = bubbleFor<RIVoiceBubbleView>(voice(12, false));
    EXPECT_GE(other->timeLengthLabel()->frame().x(), other->bounds().width() + 4);
    double label = bubble->timeLengthLabel()->sizeThatFits({}).height + 17;
    EXPECT_EQ(bubble->bounds().height(), std::max(label, ui::Image::named("QYHorn.png")->size().height));
}

TEST_F(BubbleTest, ReservedKindAlwaysSaysThreeSeconds)
{
    auto reserved = message(QYChatModel::Reserved, true);
    auto bubble = bubbleFor<RIVoiceBubbleView>(reserved);
    EXPECT_EQ(bubble->timeLengthLabel()->text(), "3''");
    EXPECT_EQ(bubble->bounds().width(), 70);
    reserved->setDuration(9.5);
    bubble->setClock(reserved);
    EXPECT_EQ(bubble->timeLengthLabel()->text(), "3''");
    EXPECT_EQ(bubble->bubbleWidth(), 130);
}
