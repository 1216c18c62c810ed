#include <gtest/gtest.h>

#include "EmojiTestSupport.h"
#include "input/emoji/QYEmojiLinkDetector.h"

namespace {

struct Found {
    QYEmojiLinkType type;
    std::u16string text;
    ui::Range range;
    bool operator==(const Found&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Found& found)
{
    return out << int(found.type) << " at " << found.range.location << "+" << found.range.length;
}

std::vector<Found> links(std::u16string_view text, bool atAndPound = false, bool disableThreeCommon = false)
{
    std::vector<Found> found;
    for (const QYEmojiLink& link : QYEmojiLinkDetector::detect(text, {disableThreeCommon, atAndPound})) {
        auto selection = QYEmojiLinkDetector::parse(link.replacementString);
        EXPECT_TRUE(selection.has_value());
        if (!selection)
            continue;
        // The link text is the displayed text under the link's range.
        EXPECT_EQ(selection->text, text.substr(link.range.location, link.range.length));
        found.push_back({selection->type, selection->text, link.range});
    }
    return found;
}

} // namespace

TEST(QYEmojiLinkDetector, WebAddressSwallowsTheEmailInsideIt)
{
    std::u16string text = u"看www.example.com/?mail=ab@qq.com吧";
    EXPECT_EQ(links(text), (std::vector<Found>{{QYEmojiLinkType::Url, u"www.example.com/?mail=ab@qq.com", {1, 31}}}));
}

TEST(QYEmojiLinkDetector, EachKindOnItsOwn)
{
    EXPECT_EQ(links(u"HTTPS://qq.com"), (std::vector<Found>{{QYEmojiLinkType::Url, u"HTTPS://qq.com", {0, 14}}}));
    EXPECT_EQ(links(u"写信 Ab.C@Mail.qq.com"),
              (std::vector<Found>{{QYEmojiLinkType::Email, u"Ab.C@Mail.qq.com", {3, 16}}}));
    EXPECT_EQ(links(u"电话13812345678"),
              (std::vector<Found>{{QYEmojiLinkType::PhoneNumber, u"13812345678", {2, 11}}}));
    EXPECT_EQ(links(u"0571-88886666 转"),
              (std::vector<Found>{{QYEmojiLinkType::PhoneNumber, u"0571-88886666", {0, 13}}}));
    EXPECT_TRUE(links(u"123456 和 12-34").empty()) << "too short for a phone number";
}

TEST(QYEmojiLinkDetector, MentionsAndTagsOnlyWhenAsked)
{
    std::u16string text = u"@小明 看 #周末去哪# 吧";
    EXPECT_TRUE(links(text).empty());
    EXPECT_EQ(links(text, true), (std::vector<Found>{{QYEmojiLinkType::At, u"@小明", {0, 3}},
                                                     {QYEmojiLinkType::PoundSign, u"#周末去哪#", {6, 6}}}));
}

TEST(QYEmojiLinkDetector, EarlierTypesWinOverlaps)
{
    // The e-mail is found before the mention inside it could be.
    EXPECT_EQ(links(u"ab@qq.com", true), (std::vector<Found>{{QYEmojiLinkType::Email, u"ab@qq.com", {0, 9}}}));
    // Without the three common kinds the mention is all that is left.
    EXPECT_EQ(links(u"ab@qq.com", true, true), (std::vector<Found>{{QYEmojiLinkType::At, u"@qq", {2, 3}}}));
    EXPECT_TRUE(links(u"ab@qq.com 13812345678", false, true).empty());
}

TEST(QYEmojiLinkDetector, RangesCountEachEmojiAsOneCharacter)
{
    const QYRegularExpression* regex =
        QYEmojiRegexPlistManager::sharedInstance().regularExpressionForRegex(kBubbleEmojiRegex);
    QYEmojiSubstitution substitution(regex, &messengerTable(), false);
    std::u16string typed = u"[微笑][大哭]13812345678";
    std::u16string shown = QYEmojiSubstitution::displayedText(typed, substitution.pieces(typed));
    auto found = links(shown);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].range, (ui::Range{2, 11}));
}

TEST(QYEmojiLinkDetector, ReplacementStringsNameTheirType)
{
    auto url = QYEmojiLinkDetector::parse(u"url->www.qq.com");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->type, QYEmojiLinkType::Url);
    EXPECT_EQ(url->text, u"www.qq.com");
    auto tag = QYEmojiLinkDetector::parse(u"poundSign->#话题#");
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->type, QYEmojiLinkType::PoundSign);
    EXPECT_FALSE(QYEmojiLinkDetector::parse(u"mailto:ab@qq.com"));
    EXPECT_FALSE(QYEmojiLinkDetector::parse(u"URL->www.qq.com")) << "prefixes are compared exactly";
}

TEST(QYEmojiLinkDetector, HundredThousandCharacterTextsFinishBounded)
{
    std::u16string ordinary;
    std::size_t repeats = 0;
    for (; ordinary.size() < 100000; ++repeats)
        ordinary += u"打我电话13812345678或者@小王 ";
    auto found = links(ordinary, true);
    EXPECT_EQ(found.size(), repeats * 2);

    // Digits and letters without a break make the phone and e-mail patterns
    // backtrack; the work limit ends those searches early instead of stalling.
    for (char16_t c : {u'1', u'a'}) {
        std::u16string unlucky(100000, c);
        links(unlucky, true);
    }
}

// Texts are searched only for the kinds they can hold; these hold each kind
// in a form that a quick look for ASCII alone would miss.
TEST(QYEmojiLinkDetector, EveryFormOfEachKindIsStillFound)
{
    EXPECT_EQ(links(u"看WwW.QQ.COM"), (std::vector<Found>{{QYEmojiLinkType::Url, u"WwW.QQ.COM", {1, 10}}}));
    EXPECT_EQ(links(u"ftp://a.b.cn"), (std::vector<Found>{{QYEmojiLinkType::Url, u"ftp://a.b.cn", {0, 12}}}));
    // Any decimal digits make a phone number: fullwidth and Arabic-Indic ones too.
    EXPECT_EQ(links(u"打１２３４５６７"), (std::vector<Found>{{QYEmojiLinkType::PhoneNumber, u"１２３４５６７", {1, 7}}}));
    EXPECT_EQ(links(u"رقم ١٢٣٤٥٦٧"), (std::vector<Found>{{QYEmojiLinkType::PhoneNumber, u"١٢٣٤٥٦٧", {4, 7}}}));
    // Mathematical digits lie outside the basic plane: two units each.
    std::u16string wide;
    for (char32_t c = U'𝟏'; c < U'𝟏' + 7; ++c) {
        wide += char16_t(0xD800 + ((c - 0x10000) >> 10));
        wide += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
    EXPECT_EQ(links(wide), (std::vector<Found>{{QYEmojiLinkType::PhoneNumber, wide, {0, 14}}}));
    EXPECT_EQ(links(u"a@b.cn", true), (std::vector<Found>{{QYEmojiLinkType::Email, u"a@b.cn", {0, 6}}}));
    EXPECT_EQ(links(u"#话题#", true), (std::vector<Found>{{QYEmojiLinkType::PoundSign, u"#话题#", {0, 4}}}));
}

TEST(QYEmojiLinkDetector, TextsWithoutAnyLinkCharacterHaveNoLinks)
{
    EXPECT_TRUE(links(u"今晚一起吃饭吗？好的好的！", true).empty());
    EXPECT_TRUE(links(u"ww.qq.com 和 http:/x.cn 和 123456", true).empty());
    EXPECT_EQ(links(std::u16string(u"x\xD800y\xDC00") + u"1234567", true).size(), 1u) << "stray surrogates";
    EXPECT_TRUE(links(u"", true).empty());
}
