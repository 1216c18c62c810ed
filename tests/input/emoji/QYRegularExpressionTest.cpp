#include <gtest/gtest.h>

#include "input/emoji/QYEmojiLinkDetector.h"
#include "input/emoji/QYRegularExpression.h"

TEST(QYRegularExpression, MatchesAreCaseInsensitiveAndCountUtf16Units)
{
    auto regex = QYRegularExpression::compile(u"www\\.[a-z]+");
    ASSERT_NE(regex, nullptr);
    // "😀" is two UTF-16 units, so the match starts at 3.
    auto found = regex->matches(u"看😀WWW.ABC 完");
    ASSERT_EQ(found.ranges.size(), 1u);
    EXPECT_EQ(found.ranges[0], (ui::Range{3, 7}));
    EXPECT_FALSE(found.timedOut);
}

// Texts on which a link pattern backtracks quadratically: without the work
// limit each would take tens of seconds.
TEST(QYRegularExpression, UnluckyLongTextsStopAtTheWorkLimit)
{
    struct Case {
        QYEmojiLinkType type;
        std::u16string text;
    };
    const Case cases[] = {
        {QYEmojiLinkType::Email, std::u16string(100000, u'a')},
        {QYEmojiLinkType::PhoneNumber, std::u16string(100000, u'1')},
    };
    for (const Case& c : cases) {
        auto regex = QYRegularExpression::compile(QYEmojiLinkDetector::pattern(c.type));
        ASSERT_NE(regex, nullptr);
        EXPECT_TRUE(regex->matches(c.text).timedOut);
    }
}

TEST(QYRegularExpression, MatchesFoundBeforeTheLimitAreKept)
{
    auto regex = QYRegularExpression::compile(QYEmojiLinkDetector::pattern(QYEmojiLinkType::Email));
    std::u16string text = u"ab@qq.com " + std::u16string(100000, u'a');
    auto found = regex->matches(text);
    EXPECT_TRUE(found.timedOut);
    ASSERT_FALSE(found.ranges.empty());
    EXPECT_EQ(found.ranges[0], (ui::Range{0, 9}));
}

// One pattern searches text after text: nothing of one search reaches the next.
TEST(QYRegularExpression, EachSearchSeesOnlyItsOwnText)
{
    auto regex = QYRegularExpression::compile(u"[0-9]{3}");
    ASSERT_NE(regex, nullptr);
    EXPECT_EQ(regex->matches(u"ab123cd456").ranges, (std::vector<ui::Range>{{2, 3}, {7, 3}}));
    EXPECT_TRUE(regex->matches(u"").ranges.empty());
    EXPECT_EQ(regex->matches(u"789").ranges, (std::vector<ui::Range>{{0, 3}}));
    {
        // A text that is gone after its search leaves nothing behind.
        std::u16string shortLived = u"x000";
        EXPECT_EQ(regex->matches(shortLived).ranges, (std::vector<ui::Range>{{1, 3}}));
    }
    EXPECT_TRUE(regex->matches(u"12").ranges.empty());
}

TEST(QYRegularExpression, SearchesAfterOneAtTheWorkLimitGetTheirOwnLimit)
{
    auto regex = QYRegularExpression::compile(QYEmojiLinkDetector::pattern(QYEmojiLinkType::Email));
    ASSERT_NE(regex, nullptr);
    EXPECT_TRUE(regex->matches(std::u16string(100000, u'a')).timedOut);
    auto next = regex->matches(u"写信给ab@qq.com吧");
    EXPECT_FALSE(next.timedOut);
    EXPECT_EQ(next.ranges, (std::vector<ui::Range>{{3, 9}}));
    // A long text the pattern reads straight through is not cut short by the
    // work of the search before it.
    auto again = regex->matches(std::u16string(100000, u'中') + u" ab@qq.com");
    EXPECT_FALSE(again.timedOut);
    EXPECT_EQ(again.ranges, (std::vector<ui::Range>{{100001, 9}}));
}
