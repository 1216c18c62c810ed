#include <gtest/gtest.h>

#include "RecordTestSupport.h"
#include "chat/store/HLObjectValue.h"
#include "coding/Collection.h"
#include "platform/Folders.h"
#include "platform/store/SettingsStore.h"

using namespace chattest;

TEST(HLObjectValue, SavesAndLoadsAConversation)
{
    TemporaryHome home;
    auto list = conversationOfEveryKind(1);
    hl_setObjectWithKey(list, "CHAT");
    auto loaded = HLObjectValue::hl_objectWithKey<coding::Collection>("CHAT");
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->count(), list->count());
    for (std::size_t i = 0; i < list->count(); ++i)
        expectSameRecord(dynamic_cast<QYChatModel&>(*list->at(i)), dynamic_cast<QYChatModel&>(*loaded->at(i)));
    EXPECT_EQ(HLObjectValue::hl_objectWithKey("CHATALI"), nullptr) << "only CHAT was saved";
}

TEST(HLObjectValue, EveryLoadIsANewGraph)
{
    TemporaryHome home;
    hl_setObjectWithKey(conversationOfEveryKind(2), "CHATALI");
    auto first = HLObjectValue::hl_objectWithKey<coding::Collection>("CHATALI");
    auto second = HLObjectValue::hl_objectWithKey<coding::Collection>("CHATALI");
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    first->append(QYChatModel::make());
    EXPECT_EQ(HLObjectValue::hl_objectWithKey<coding::Collection>("CHATALI")->count(), second->count());
    hl_setObjectWithKey(first, "CHATALI");
    EXPECT_EQ(HLObjectValue::hl_objectWithKey<coding::Collection>("CHATALI")->count(), first->count());
}

TEST(HLObjectValue, NothingToSaveKeepsTheEarlierValue)
{
    TemporaryHome home;
    hl_setObjectWithKey(participants(), "USERMODEL");
    HLObjectValue::sharedInstance().hl_setObject(nullptr, "USERMODEL");
    auto cyclic = coding::Collection::array();
    cyclic->append(cyclic);
    hl_setObjectWithKey(cyclic, "USERMODEL");
    cyclic->removeAll();
    auto user = HLObjectValue::hl_objectWithKey<QYUserModel>("USERMODEL");
    ASSERT_TRUE(user);
    EXPECT_EQ(coding::text(user->heNick()), u"小明");
    EXPECT_EQ(HLObjectValue::hl_objectWithKey<QYBlanceModel>("USERMODEL"), nullptr);
}

TEST(HLObjectValue, UndecodableValueLoadsAsNilAndStaysStored)
{
    TemporaryHome home;
    std::vector<std::uint8_t> garbage = { 'T', 'S', 'A', 'F', 3, 0, 2, 0, 1 };
    ASSERT_TRUE(platform::SettingsStore::standard().set("BLANCE", garbage));
    EXPECT_EQ(HLObjectValue::hl_objectWithKey("BLANCE"), nullptr);
    EXPECT_EQ(platform::SettingsStore::standard().get("BLANCE"), garbage);
    hl_setObjectWithKey(balance(), "BLANCE");
    EXPECT_TRUE(HLObjectValue::hl_objectWithKey<QYBlanceModel>("BLANCE"));
}

TEST(HLObjectValue, SurvivesReopeningTheStore)
{
    TemporaryHome home;
    hl_setObjectWithKey(balance(), "BLANCE");
    {
        // Another home folder in between makes the store reopen afterwards.
        TemporaryHome other;
        EXPECT_EQ(HLObjectValue::hl_objectWithKey("BLANCE"), nullptr);
    }
    platform::folders::setHomeFolder(home.path());
    auto model = HLObjectValue::hl_objectWithKey<QYBlanceModel>("BLANCE");
    ASSERT_TRUE(model);
    EXPECT_EQ(coding::text(model->nickName()), u"小红");
}
