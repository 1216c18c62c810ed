#include <gtest/gtest.h>

#include "RecordTestSupport.h"
#include "chat/store/HLObjectValue.h"
#include "platform/Folders.h"
#include "platform/store/SettingsStore.h"

using namespace chattest;
using Store = HLObjectValue;

TEST(HLObjectValue, SavesUnderItsKeyAcrossReopeningAndEveryLoadIsANewGraph)
{
    TemporaryHome home;
    auto list = conversationOfEveryKind(2);
    hl_setObjectWithKey(list, "CHAT");
    auto first = Store::hl_objectWithKey<coding::Collection>("CHAT");
    auto second = Store::hl_objectWithKey<coding::Collection>("CHAT");
    ASSERT_TRUE(first && second);
    expectSameConversation(*list, *first);
    EXPECT_NE(first, second);
    EXPECT_EQ(Store::hl_objectWithKey("CHATALI"), nullptr) << "only CHAT was saved";
    EXPECT_EQ(Store::hl_objectWithKey<QYUserModel>("CHAT"), nullptr) << "a typed load of another class";

    first->append(QYChatModel::make());
    EXPECT_EQ(Store::hl_objectWithKey<coding::Collection>("CHAT")->count(), list->count()) << "a loaded graph is a copy";
    hl_setObjectWithKey(first, "CHAT");
    {
        // Another home folder in between makes the store reopen afterwards.
        TemporaryHome other;
        EXPECT_EQ(Store::hl_objectWithKey("CHAT"), nullptr);
    }
    platform::folders::setHomeFolder(home.path());
    expectSameConversation(*first, *Store::hl_objectWithKey<coding::Collection>("CHAT"));
}

TEST(HLObjectValue, NothingToSaveKeepsTheEarlierValue)
{
    TemporaryHome home;
    hl_setObjectWithKey(participants(), "USERMODEL");
    Store::sharedInstance().hl_setObject(nullptr, "USERMODEL");
    auto cyclic = coding::Collection::array(); // refused by the encoder
    cyclic->append(cyclic);
    hl_setObjectWithKey(cyclic, "USERMODEL");
    cyclic->removeAll();
    auto user = Store::hl_objectWithKey<QYUserModel>("USERMODEL");
    ASSERT_TRUE(user);
    EXPECT_EQ(fields(*user), fields(*participants()));
}

TEST(HLObjectValue, UndecodableValueLoadsAsNilAndStaysStored)
{
    TemporaryHome home;
    std::vector<std::uint8_t> garbage = { 'T', 'S', 'A', 'F', 3, 0, 2, 0, 1 };
    ASSERT_TRUE(platform::SettingsStore::standard().set("BLANCE", garbage));
    EXPECT_EQ(Store::hl_objectWithKey("BLANCE"), nullptr);
    EXPECT_EQ(platform::SettingsStore::standard().get("BLANCE"), garbage);
}
