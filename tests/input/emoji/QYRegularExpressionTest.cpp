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
