#include <gtest/gtest.h>

#include "EmojiTestSupport.h"
#include "input/emoji/QYEmojiRegexPlistManager.h"

TEST(QYEmojiRegexPlistManager, TablesAreReadOnceAndShared)
{
    auto& manager = QYEmojiRegexPlistManager::sharedInstance();
    const QYEmojiDictionary* first = manager.emojiDictForKey("BaseEmotion.plist");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->size(), 115u);
    EXPECT_EQ(manager.emojiDictForKey("BaseEmotion.plist"), first);
    ASSERT_NE(first->imageNameForCode(u"[微笑]"), nullptr);
    EXPECT_EQ(*first->imageNameForCode(u"[微笑]"), "1");
}

TEST(QYEmojiRegexPlistManager, MissingTableIsNothing)
{
    EXPECT_EQ(QYEmojiRegexPlistManager::sharedInstance().emojiDictForKey("NoSuchTable.plist"), nullptr);
}

TEST(QYEmojiRegexPlistManager, PatternsAreCompiledOnceAndInvalidOnesAreNothing)
{
    auto& manager = QYEmojiRegexPlistManager::sharedInstance();
    const QYRegularExpression* bubble = manager.regularExpressionForRegex(kBubbleEmojiRegex);
    ASSERT_NE(bubble, nullptr);
    EXPECT_EQ(manager.regularExpressionForRegex(std::u16string(kBubbleEmojiRegex)), bubble);
    EXPECT_EQ(manager.regularExpressionForRegex(u"[unclosed"), nullptr);
    EXPECT_EQ(manager.regularExpressionForRegex(u"[unclosed"), nullptr);
}

TEST(QYEmojiRegexPlistManager, PlistExtensionIsAddedUnlessPresentInAnyCase)
{
    EXPECT_EQ(QYEmojiRegexPlistManager::plistFileName("Emotion"), "Emotion.plist");
    EXPECT_EQ(QYEmojiRegexPlistManager::plistFileName("Emotion.plist"), "Emotion.plist");
    EXPECT_EQ(QYEmojiRegexPlistManager::plistFileName("Emotion.PList"), "Emotion.PList");
    EXPECT_EQ(QYEmojiRegexPlistManager::plistFileName("plist"), "plist.plist");
    EXPECT_EQ(QYEmojiRegexPlistManager::plistFileName("Emotion.plist.bak"), "Emotion.plist.bak.plist");
}
