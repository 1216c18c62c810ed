#include <gtest/gtest.h>

#include "EmojiTestSupport.h"
#include "input/emoji/QYEmojiLinkDetector.h"

namespace {

using Type = QYEmojiLinkType;

struct Found {
    Type type;
    ui::Range range;
    bool operator==(const Found&) const = default;
};

void PrintTo(const Found& found, std::ostream* out)
{
    *out << int(found.type) << " at " << found.range.location << "+" << found.range.length;
}

std::vector<Found> links(std::u16string_view text, bool atAndPound = false, bool disableThreeCommon = false)
{
    std::vector<Found> found;
    for (const QYEmojiLink& link : QYEmojiLinkDetector::detect(text, {disableThreeCommon, atAndPound})) {
        // What a tap reports reads back as the text under the link.
        auto selection = QYEmojiLinkDetector::parse(link.replacementString);
        EXPECT_TRUE(selection && selection->text == text.substr(link.range.location, link.range.length));
        found.push_back({selection ? selection->type : Type(-1), link.range});
    }
    return found;
}

} // namespace

TEST(EmojiLinks, EachKindInEveryFormAndTheOverlapRule)
{
    struct Case {
        std::u16string text;
        bool atAndPound, disableThreeCommon;
        std::vector<Found> found;
    };
    const Case cases[] = {
        // The web address swallows the e-mail inside it.
        {u"看www.example.com/?mail=ab@qq.com吧", false, false, {{Type::Url, {1, 31}}}},
        {u"HTTPS://qq.com", false, false, {{Type::Url, {0, 14}}}},
        {u"看WwW.QQ.COM", false, false, {{Type::Url, {1, 10}}}},
        {u"ftp://a.b.cn", false, false, {{Type::Url, {0, 12}}}},
        {u"写信 Ab.C@Mail.qq.com", false, false, {{Type::Email, {3, 16}}}},
        {u"电话13812345678", false, false, {{Type::PhoneNumber, {2, 11}}}},
        {u"0571-88886666 转", false, false, {{Type::PhoneNumber, {0, 13}}}},
        // Any decimal digits make a phone number, fullwidth, Arabic-Indic or outside the basic plane.
        {u"打１２３４５６７", false, false, {{Type::PhoneNumber, {1, 7}}}},
        {u"رقم ١٢٣٤٥٦٧", false, false, {{Type::PhoneNumber, {4, 7}}}},
        {u"𝟏𝟐𝟑𝟒𝟓𝟔𝟕", false, false, {{Type::PhoneNumber, {0, 14}}}},
        {std::u16string(u"x\xD800y\xDC00") + u"1234567", true, false, {{Type::PhoneNumber, {4, 7}}}},
        // Mentions and tags only when asked; the e-mail wins over the mention inside it.
        {u"@小明 看 #周末去哪# 吧", false, false, {}},
        {u"@小明 看 #周末去哪# 吧", true, false, {{Type::At, {0, 3}}, {Type::PoundSign, {6, 6}}}},
        {u"ab@qq.com", true, false, {{Type::Email, {0, 9}}}},
        {u"ab@qq.com", true, true, {{Type::At, {2, 3}}}},
        {u"ab@qq.com 13812345678 www.qq.com", false, true, {}},
        {u"123456 和 12-34 和 ww.qq.com 和 http:/x.cn", true, false, {}},
        {u"今晚一起吃饭吗？好的好的！", true, false, {}},
        {u"", true, false, {}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(links(cases[i].text, cases[i].atAndPound, cases[i].disableThreeCommon), cases[i].found) << "case " << i;
    EXPECT_FALSE(QYEmojiLinkDetector::parse(u"URL->www.qq.com")) << "prefixes are compared exactly";
}

// On these texts a link pattern backtracks quadratically: without the work
// limit each search would take tens of seconds.
TEST(EmojiLinks, UnluckyLongTextsStopAtTheWorkLimitKeepingWhatWasFound)
{
    auto email = QYRegularExpression::compile(QYEmojiLinkDetector::pattern(Type::Email));
    auto phone = QYRegularExpression::compile(QYEmojiLinkDetector::pattern(Type::PhoneNumber));
    ASSERT_TRUE(email && phone);
    EXPECT_TRUE(phone->matches(std::u16string(100000, u'1')).timedOut);
    auto stopped = email->matches(u"ab@qq.com " + std::u16string(100000, u'a'));
    EXPECT_TRUE(stopped.timedOut);
    ASSERT_FALSE(stopped.ranges.empty());
    EXPECT_EQ(stopped.ranges[0], (ui::Range{0, 9}));

    // The next search has a limit of its own and sees only its own text.
    auto next = email->matches(u"写信给ab@qq.com吧");
    EXPECT_FALSE(next.timedOut);
    EXPECT_EQ(next.ranges, (std::vector<ui::Range>{{3, 9}}));
    auto straight = email->matches(std::u16string(100000, u'中') + u" ab@qq.com");
    EXPECT_FALSE(straight.timedOut);
    EXPECT_EQ(straight.ranges, (std::vector<ui::Range>{{100001, 9}}));
    {
        std::u16string shortLived = u"x@y.cn";
        EXPECT_EQ(email->matches(shortLived).ranges, (std::vector<ui::Range>{{0, 6}}));
    }
    EXPECT_TRUE(email->matches(u"").ranges.empty());
}
