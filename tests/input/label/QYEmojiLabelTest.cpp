#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "input/emoji/EmojiTestSupport.h"
#include "input/label/QYEmojiLabel.h"
#include "support/PhoneTest.h"
#include "ui/MenuController.h"
#include "ui/Pasteboard.h"
#include "ui/Renderer.h"
#include "ui/Window.h"
#include "ui/graphics/TextLayout.h"

namespace {

// A label set up as the text bubble sets up its own.
std::shared_ptr<QYEmojiLabel> bubbleLabel(std::u16string text, const std::string& table = "Emotion")
{
    auto label = std::make_shared<QYEmojiLabel>(ui::Rect{0, 0, 200, 300});
    label->setCustomEmojiRegex(std::u16string(kBubbleEmojiRegex));
    label->setCustomEmojiPlistName(table);
    label->setIsNeedAtAndPoundSign(true);
    label->setFont(ui::Font::system(16));
    label->setLineBreakMode(ui::LineBreakMode::WordWrap);
    label->setNumberOfLines(0);
    label->setText(std::move(text));
    label->setFrame({0, 0, 200, label->sizeThatFits({200, 1e6}).height});
    return label;
}

// What a tap on each link would report, as "kind->text".
std::vector<std::u16string> linksOf(const QYEmojiLabel& label)
{
    std::vector<std::u16string> found;
    for (const QYTextLink& link : label.links())
        found.push_back(link.replacementString);
    return found;
}

// Red, green, blue and alpha (premultiplied) of the pixel under a point, at scale 2.
std::array<int, 4> pixelAt(const ui::Image& image, ui::Point point)
{
    const auto& buffer = image.pixels();
    int x = std::clamp(int(point.x * 2), 0, buffer.width - 1);
    int y = std::clamp(int(point.y * 2), 0, buffer.height - 1);
    std::uint32_t word;
    std::memcpy(&word, buffer.pixels.data() + std::size_t(y) * buffer.stride + std::size_t(x) * 4, 4);
    return {int((word >> 16) & 0xFF), int((word >> 8) & 0xFF), int(word & 0xFF), int(word >> 24)};
}

} // namespace

TEST(QYEmojiLabel, KnownCodeBecomesOneBoxOfTheLabelsLineHeight)
{
    auto label = bubbleLabel(u"abc[微笑]def");
    EXPECT_EQ(label->text(), std::u16string(u"abc") + kObject + u"def");
    const double L = ui::Font::system(16).lineHeight();
    auto box = label->attributedText()->attributesAt(3).inlineBox;
    ASSERT_TRUE(box.has_value());
    EXPECT_DOUBLE_EQ(box->width, 1.1 * L);
    EXPECT_DOUBLE_EQ(box->ascent, 0.88 * L);
    EXPECT_DOUBLE_EQ(box->descent, 0.22 * L);
    EXPECT_EQ(box->imageName, "Emotion_1@2x.png");
    ui::Size with = label->preferredSizeWithMaxWidth(1000);
    EXPECT_NEAR(with.width - bubbleLabel(u"abcdef")->preferredSizeWithMaxWidth(1000).width, 1.1 * L, 1.0);
    // Fitting leaves one point under the measured text.
    EXPECT_EQ(label->sizeThatFits({1000, 1e6}).height, with.height + 1);

    // The payment table names its pictures without an extension.
    auto pictures = bubbleLabel(u"[微笑]", "BaseEmotion")->inlinePictures();
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].imageName, "1");
}

TEST(QYEmojiLabel, AdjacentCodesAreDrawnSideBySideEachWithItsPicture)
{
    auto label = bubbleLabel(u"[微笑][爱心]");
    auto pictures = label->inlinePictures();
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[1].imageName, "Emotion_92@2x.png");
    const double L = label->font().lineHeight();
    EXPECT_NEAR(pictures[1].rect.x() - pictures[0].rect.x(), 1.1 * L, 0.01);
    EXPECT_DOUBLE_EQ(pictures[0].rect.width(), 1.1 * L - 1);

    // The pictures really are drawn: the face is yellow, the heart red.
    auto image = ui::Renderer::snapshotView(*label, 2);
    ASSERT_TRUE(image);
    auto face = pixelAt(*image, {pictures[0].rect.midX(), pictures[0].rect.y() + pictures[0].rect.height() * 0.25});
    auto heart = pixelAt(*image, {pictures[1].rect.midX(), pictures[1].rect.midY()});
    EXPECT_TRUE(face[0] > 180 && face[1] > 150 && face[2] < 120) << face[0] << "," << face[1] << "," << face[2];
    EXPECT_TRUE(heart[0] > 180 && heart[1] < 100) << heart[0] << "," << heart[1];
}

TEST(QYEmojiLabel, UnknownCodesStayAsTypedAndSettingsRebuildTextAndLinks)
{
    auto unknown = bubbleLabel(u"好[没有这个]");
    EXPECT_EQ(unknown->text(), u"好[没有这个]");
    auto attributes = unknown->attributedText()->attributesAt(2);
    EXPECT_EQ(attributes.font, ui::Font::system(16));
    EXPECT_EQ(attributes.foreground, ui::Color::blackColor());
    EXPECT_TRUE(unknown->inlinePictures().empty());

    auto label = bubbleLabel(u"[微笑]");
    const double small = label->attributedText()->attributesAt(0).inlineBox->width;
    label->setFont(ui::Font::system(24));
    EXPECT_NEAR(label->attributedText()->attributesAt(0).inlineBox->width, small * 24 / 16, 0.5);
    label->setDisableEmoji(true);
    EXPECT_EQ(label->text(), u"[微笑]");
    label->setDisableEmoji(false);
    EXPECT_EQ(label->text(), std::u16string{kObject});
    label->setCustomEmojiRegex(u"[unclosed"); // an invalid pattern replaces nothing
    EXPECT_EQ(label->text(), u"[微笑]");

    // Links of every kind, counting each emoji as one character.
    label = bubbleLabel(u"[微笑]看www.qq.com/?to=ab@qq.com 或打13812345678 @小明 #周末#");
    EXPECT_EQ(linksOf(*label), (std::vector<std::u16string>{u"url->www.qq.com/?to=ab@qq.com", u"phoneNumber->13812345678",
                                                            u"at->@小明", u"poundSign->#周末#"}));
    EXPECT_EQ(label->links().front().range.location, 2u);
    label->setIsNeedAtAndPoundSign(false);
    EXPECT_EQ(linksOf(*label).size(), 2u);
    label->setDisableThreeCommon(true);
    EXPECT_TRUE(label->links().empty());
}

TEST(QYEmojiLabel, TruncatedEmojiAndPicturesUnderTheEllipsisAreNotDrawn)
{
    // The first line ends with the emoji and more text follows, so the emoji
    // sits where the ellipsis goes.
    auto label = bubbleLabel(u"ab[微笑]\ncd");
    label->setNumberOfLines(1);
    label->setLineBreakMode(ui::LineBreakMode::TruncateTail);
    label->setFrame({0, 0, 200, 40});
    EXPECT_TRUE(label->inlinePictures().empty());
    label->setNumberOfLines(0);
    label->setFrame({0, 0, 200, 80});
    EXPECT_EQ(label->inlinePictures().size(), 1u);

    std::u16string many;
    for (int i = 0; i < 12; ++i)
        many += u"[微笑]";
    auto row = bubbleLabel(many);
    row->setNumberOfLines(1);
    row->setLineBreakMode(ui::LineBreakMode::TruncateTail);
    row->setFrame({0, 0, 4.5 * 1.1 * row->font().lineHeight(), 40});
    auto pictures = row->inlinePictures();
    ASSERT_FALSE(pictures.empty());
    EXPECT_LT(pictures.size(), 5u);
    for (const auto& picture : pictures)
        EXPECT_LE(picture.rect.maxX(), row->bounds().width());
}

TEST(QYEmojiLabel, HundredThousandCharacterTextsAreLaidOut)
{
    std::u16string text;
    std::size_t codes = 0;
    for (; text.size() < 100000; ++codes)
        text += u"今天天气不错[微笑]打我电话13812345678或者ab@qq.com ";
    auto label = bubbleLabel(u"");
    label->setText(text);
    EXPECT_EQ(label->text().size(), text.size() - codes * 3);
    EXPECT_EQ(label->links().size(), codes * 2);
    EXPECT_GT(label->preferredSizeWithMaxWidth(200).height, 1000);

    // "a-a-a-…": the e-mail pattern would backtrack over the whole text from
    // every letter; the search stops at its work limit and the text still shows.
    std::u16string unlucky;
    while (unlucky.size() < 100000)
        unlucky += u"a-";
    label->setText(unlucky);
    EXPECT_EQ(label->text(), unlucky);
    EXPECT_GT(label->preferredSizeWithMaxWidth(200).height, 1000);
}

// The label on a phone's screen, driven by touches and a virtual clock.
class QYEmojiLabelOnScreen : public PhoneTest {
protected:
    class Delegate : public QYEmojiLabelDelegate {
    public:
        void emojiLabel(QYEmojiLabel&, const std::u16string& link, QYEmojiLinkType type) override { selected.push_back({link, type}); }
        void copyLable(QYEmojiLabel*) override { ++copyRequests; }
        std::vector<std::pair<std::u16string, QYEmojiLinkType>> selected;
        int copyRequests = 0;
    };
    void SetUp() override
    {
        PhoneTest::SetUp();
        window = std::make_shared<ui::Window>();
        window->makeKeyAndVisible();
        label = bubbleLabel(u"你好[微笑]电话13812345678");
        label->setFrame({20, 100, 200, label->height()});
        label->setEmojiDelegate(delegate);
        window->addSubview(label);
        ui::Application::shared().layoutIfNeeded();
    }
    // A point inside the character at `index`, in the label and on the screen.
    ui::Point inLabel(std::size_t index) const
    {
        ui::Rect textRect = label->textRectForBounds(label->bounds(), 0);
        ui::TextLayout layout(*label->attributedText(), {});
        return {textRect.x() + layout.caretRect(index).x() + 3, textRect.midY()};
    }
    ui::Point onScreen(std::size_t index) const { return inLabel(index) + ui::Point{label->x(), label->y()}; }
    std::shared_ptr<ui::Window> window;
    std::shared_ptr<QYEmojiLabel> label;
    std::shared_ptr<Delegate> delegate = std::make_shared<Delegate>();
};

TEST_F(QYEmojiLabelOnScreen, PressedLinksFillTappedLinksAloneReachTheDelegate)
{
    auto& app = ui::Application::shared();
    ASSERT_EQ(label->links().size(), 1u);
    // While pressed, the link's background is filled (white level 0.631).
    app.touchDown(onScreen(6));
    auto pressed = ui::Renderer::snapshotView(*label, 2);
    ASSERT_TRUE(pressed);
    auto fill = pixelAt(*pressed, {inLabel(6).x, label->textRectForBounds(label->bounds(), 0).y() + 2});
    EXPECT_NEAR(fill[0], 161, 3);
    EXPECT_NEAR(fill[2], 161, 3);
    app.touchCancel();
    EXPECT_TRUE(delegate->selected.empty()) << "a cancelled press selects nothing";

    tap(onScreen(1));
    EXPECT_TRUE(delegate->selected.empty());
    tap(onScreen(6));
    EXPECT_EQ(delegate->selected, (decltype(delegate->selected){{u"13812345678", QYEmojiLinkType::PhoneNumber}}));

    // The link's digits are drawn in the link colour (85, 190, 255).
    auto image = ui::Renderer::snapshotView(*label, 2);
    ASSERT_TRUE(image);
    bool sawLinkColour = false;
    for (double y = 0; y < label->height(); y += 0.5) {
        for (double x = inLabel(5).x; x < label->width(); x += 0.5) {
            auto p = pixelAt(*image, {x, y});
            sawLinkColour |= p[3] > 200 && p[2] > 200 && p[0] < 150;
        }
    }
    EXPECT_TRUE(sawLinkColour);
}

TEST_F(QYEmojiLabelOnScreen, OneSecondPressAsksTheDelegateThenCopiesTheCodesAsTyped)
{
    auto& app = ui::Application::shared();
    app.touchDown(onScreen(0));
    advance(0.9);
    EXPECT_EQ(delegate->copyRequests, 0);
    advance(0.2);
    EXPECT_EQ(delegate->copyRequests, 1);
    EXPECT_TRUE(label->isFirstResponder());
    auto& menu = ui::MenuController::shared();
    EXPECT_TRUE(menu.isMenuVisible());
    ASSERT_EQ(menu.visibleItems().size(), 1u);
    EXPECT_EQ(menu.visibleItems()[0].action, "copy");
    app.touchUp(onScreen(0));
    EXPECT_FALSE(bubbleLabel(u"")->copyText());
    label->copy();
    EXPECT_EQ(ui::Pasteboard::general().string(), "你好[微笑]电话13812345678");
    menu.setMenuVisible(false, false);
}
