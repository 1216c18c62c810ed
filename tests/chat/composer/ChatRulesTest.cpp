// The chat screen's small rules on their own: time stamps, the back title,
// shared avatar data, the stored sets and thrown-away clips.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../RecordTestSupport.h"
#include "chat/composer/ChatBackButton.h"
#include "chat/composer/ChatFaceEditing.h"
#include "chat/composer/ChatPictureData.h"
#include "chat/composer/ChatStore.h"
#include "chat/composer/ChatTimeStampRule.h"
#include "chat/composer/ChatVoiceClip.h"
#include "chat/store/HLObjectValue.h"

namespace fs = std::filesystem;

namespace {

ui::ImagePtr grey(int size)
{
    platform::PixelBuffer pixels { size, size, size * 4, std::vector<std::uint8_t>(std::size_t(size * size * 4), 128) };
    return ui::Image::fromPixels(std::move(pixels), 1);
}

} // namespace

TEST(ChatTimeStampRule, FirstAlwaysThenOnlyAfterMoreThanAMinuteAndOlderDatesMoveItBack)
{
    ChatTimeStampRule rule;
    EXPECT_FALSE(rule.oldDate());
    EXPECT_TRUE(rule.isShowDateTime(1000));
    EXPECT_FALSE(rule.isShowDateTime(1030));
    EXPECT_FALSE(rule.isShowDateTime(1090)); // exactly 60 after the previous decision
    EXPECT_TRUE(rule.isShowDateTime(1150.5));
    // A decision about an older date (a collected transfer's) moves the reference back.
    EXPECT_FALSE(rule.isShowDateTime(500));
    EXPECT_EQ(rule.oldDate(), 500);
    EXPECT_TRUE(rule.isShowDateTime(1150.5));
}

TEST(ChatFaceEditing, KeysAppendAndAMissingCodeAddsNothing)
{
    EXPECT_EQ(ChatFaceEditing::apply(u"好", u"[微笑]", false), u"好[微笑]");
    EXPECT_EQ(ChatFaceEditing::apply(u"好", std::nullopt, false), u"好");
    EXPECT_EQ(ChatFaceEditing::apply(u"好[微笑]", std::nullopt, true), u"好");
    // Five units at most: the shortest code that fits is taken first.
    EXPECT_EQ(ChatFaceEditing::deleteBackward(u"[a][bcd]"), u"[a]");
    EXPECT_EQ(ChatFaceEditing::deleteBackward(u"[[b]"), u"[");
    EXPECT_EQ(ChatFaceEditing::deleteBackward(u"x\xDC00"), u"x") << "a lone half goes alone";
    EXPECT_EQ(ChatFaceEditing::deleteBackward(u"👍🏻"), u"👍") << "one code point at a time";
}

TEST(ChatBackButton, TitleNamesTheListAndTheUnreadCount)
{
    EXPECT_EQ(ChatBackButton::title(1, std::nullopt), "微信");
    EXPECT_EQ(ChatBackButton::title(1, std::string("5")), "微信(5)");
    EXPECT_EQ(ChatBackButton::title(2, std::nullopt), "朋友");
    EXPECT_EQ(ChatBackButton::title(7, std::string("12")), "朋友(12)");
    // An empty count is a count all the same, as typed.
    EXPECT_EQ(ChatBackButton::title(1, std::string()), "微信()");
}

TEST(ChatPictureData, EachPictureIsEncodedOncePerQualityAndShared)
{
    ChatPictureData data;
    auto a = grey(16), b = grey(16);
    auto first = data.jpeg(a, 1.0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->bytes(), a->jpegData(1.0));
    EXPECT_EQ(data.jpeg(a, 1.0), first);
    auto low = data.jpeg(a, 0.001);
    EXPECT_NE(low, first);
    EXPECT_EQ(low->bytes(), a->jpegData(0.001));
    EXPECT_NE(data.jpeg(b, 1.0), first) << "another picture, even an equal one, is its own data";
    EXPECT_EQ(data.jpeg(nullptr, 1.0), nullptr);

    // Old pictures age out; the one in use stays.
    for (int i = 0; i < int(ChatPictureData::kCapacity) * 2; ++i) {
        data.jpeg(grey(4), 1.0);
        EXPECT_EQ(data.jpeg(a, 1.0), first);
    }
}

TEST(ChatStore, EachChatTypeHasItsOwnKeys)
{
    EXPECT_STREQ(ChatStore::userKey(1), "USERMODEL");
    EXPECT_STREQ(ChatStore::chatKey(1), "CHAT");
    EXPECT_STREQ(ChatStore::userKey(2), "USERMODELALI");
    EXPECT_STREQ(ChatStore::chatKey(2), "CHATALI");
    EXPECT_STREQ(ChatStore::chatKey(0), "CHATALI");
}

TEST(ChatStore, AStoredListComesBackGrowableWithItsRowsInOrder)
{
    chattest::TemporaryHome home;
    EXPECT_FALSE(ChatStore::loadConversation(1));
    ChatStore::saveConversation(1, coding::Collection::mutableArray());
    EXPECT_FALSE(ChatStore::loadConversation(1)) << "an empty list is as good as none";

    auto rows = chattest::conversationOfEveryKind(1);
    ChatStore::saveConversation(1, rows);
    auto loaded = ChatStore::loadConversation(1);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->isMutable());
    EXPECT_EQ(loaded->count(), rows->count());

    // A fixed list or a set (not what this program writes) is copied into a growable list.
    auto a = QYChatModel::make(), b = QYChatModel::make();
    a->setType(2);
    b->setType(9);
    for (auto stored : { coding::Collection::array({ a, b }), coding::Collection::make(coding::CollectionType::OrderedSet, true, { a, b }) }) {
        hl_setObjectWithKey(stored, "CHATALI");
        auto list = ChatStore::loadConversation(2);
        ASSERT_TRUE(list);
        EXPECT_EQ(list->type(), coding::CollectionType::Array);
        EXPECT_TRUE(list->isMutable());
        ASSERT_EQ(list->count(), 2u);
        EXPECT_EQ(std::dynamic_pointer_cast<QYChatModel>(list->at(1))->type(), 9);
    }
    // Something that is no list at all reads as none.
    hl_setObjectWithKey(chattest::participants(), "CHAT");
    EXPECT_FALSE(ChatStore::loadConversation(1));
    EXPECT_TRUE(HLObjectValue::hl_objectWithKey("CHAT")) << "and stays stored";
}

TEST(ChatVoiceClip, NewPathsAreUniqueAmrFilesAndRemovalTakesTheWavCopy)
{
    chattest::TemporaryHome home;
    std::string a = ChatVoiceClip::newPath(), b = ChatVoiceClip::newPath();
    EXPECT_NE(a, b);
    EXPECT_EQ(fs::path(a).extension(), ".amr");
    EXPECT_TRUE(fs::is_directory(fs::path(a).parent_path())) << "the audio folder is made";
    EXPECT_EQ(fs::path(a).parent_path().filename(), "audio");

    EXPECT_FALSE(ChatVoiceClip::remove(a)) << "nothing there";
    EXPECT_FALSE(ChatVoiceClip::remove(""));
    std::ofstream(a) << "#!AMR\n";
    std::ofstream(a + ".wav") << "RIFF";
    std::ofstream(b) << "#!AMR\n";
    EXPECT_TRUE(ChatVoiceClip::remove(a));
    EXPECT_FALSE(fs::exists(a));
    EXPECT_FALSE(fs::exists(a + ".wav"));
    EXPECT_TRUE(fs::exists(b)) << "only the named clip";
}
