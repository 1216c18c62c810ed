#include <gtest/gtest.h>

#include <algorithm>

#include "RecordTestSupport.h"
#include "chat/records/RecordClasses.h"
#include "coding/ClassInfo.h"
#include "coding/JsonForm.h"
#include "coding/QYCoder.h"

using namespace chattest;
using coding::QYCoder;

namespace {

std::vector<std::uint8_t> encode(const coding::ObjectPtr& object)
{
    auto data = QYCoder::dataWithRootObject(object);
    EXPECT_TRUE(data);
    return data.value_or(std::vector<std::uint8_t>());
}

std::vector<std::uint8_t> bytesOf(std::initializer_list<std::string> texts)
{
    std::vector<std::uint8_t> bytes;
    for (const auto& text : texts) {
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.push_back(0);
    }
    return bytes;
}

bool contains(const std::vector<std::uint8_t>& haystack, const std::vector<std::uint8_t>& needle)
{
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

} // namespace

TEST(ChatRecords, ConversationOfEveryKindRoundTrips)
{
    for (int style : { 1, 2 }) {
        auto list = conversationOfEveryKind(style);
        auto back = coding::as<coding::Collection>(QYCoder::objectWithData(encode(list)));
        ASSERT_TRUE(back);
        EXPECT_TRUE(back->isMutable()) << "a loaded conversation can grow";
        ASSERT_EQ(back->count(), list->count());
        for (std::size_t i = 0; i < list->count(); ++i) {
            auto original = std::dynamic_pointer_cast<QYChatModel>(list->at(i));
            auto record = std::dynamic_pointer_cast<QYChatModel>(back->at(i));
            ASSERT_TRUE(record) << i;
            expectSameRecord(*original, *record);
            EXPECT_EQ(record->styleType(), style);
        }
        auto first = std::dynamic_pointer_cast<QYChatModel>(back->at(0));
        auto red = std::dynamic_pointer_cast<QYChatModel>(back->at(3));
        EXPECT_EQ(first->avatar(), red->avatar()) << "one speaker's avatar stays one object";
        EXPECT_EQ(first->nickName(), red->nickName());
        auto unlisted = std::dynamic_pointer_cast<QYChatModel>(back->at(8));
        EXPECT_EQ(unlisted->type(), 9);
        EXPECT_EQ(unlisted->sendAvatar()->bytes(), (std::vector<std::uint8_t> { 1, 2, 3 }));
        EXPECT_EQ(coding::text(std::dynamic_pointer_cast<QYChatModel>(back->at(1))->context()), u"");
        back->append(QYChatModel::make());
        EXPECT_EQ(back->count(), list->count() + 1);
    }
}

TEST(ChatRecords, PropertiesAreWrittenInDeclarationOrderWithTheirDeclaredTypes)
{
    auto bytes = encode(QYChatModel::make());
    EXPECT_TRUE(contains(bytes, bytesOf({ "QYChatModel", })));
    std::vector<std::uint8_t> keys = { 18, 0, 0, 0 };
    auto names = bytesOf({ "styleType", "context", "image", "redPac", "isSend", "type", "sendAvatar", "avatar", "receiveAvatar",
        "voicePath", "duration", "creatDate", "nickName", "heNickName", "isGet", "isShowDateTime", "isTran", "isMeRevoke" });
    keys.insert(keys.end(), names.begin(), names.end());
    EXPECT_TRUE(contains(bytes, keys));
    // A new record: integers 0 by the chain (46), booleans as the false constant
    // (14), the double as a float64, nil as 0.
    std::vector<std::uint8_t> values = { 30, 0, 46, 0, 0, 0, 14, 46, 0, 0, 0, 0 };
    std::size_t at = std::search(bytes.begin(), bytes.end(), values.begin(), values.end()) - bytes.begin();
    ASSERT_LT(at, bytes.size());
    std::vector<std::uint8_t> tail(bytes.begin() + std::ptrdiff_t(at + values.size()), bytes.end());
    ASSERT_GE(tail.size(), 8u);
    EXPECT_EQ(tail.front(), 20);
    EXPECT_EQ(std::vector<std::uint8_t>(tail.end() - 7, tail.end()), (std::vector<std::uint8_t> { 0, 0, 0, 14, 14, 14, 14 }));

    auto record = QYChatModel::make();
    record->setIsSend(true);
    record->setType(1);
    auto typed = encode(record);
    EXPECT_TRUE(contains(typed, { 13, 45 })) << "isSend is the true constant, type 1 the integer one";
}

TEST(ChatRecords, ParticipantsAndBalanceRoundTrip)
{
    auto user = participants();
    auto userBack = std::dynamic_pointer_cast<QYUserModel>(QYCoder::objectWithData(encode(user)));
    ASSERT_TRUE(userBack);
    EXPECT_EQ(coding::text(userBack->heNick()), u"小明");
    EXPECT_EQ(userBack->heAvatar()->bytes(), user->heAvatar()->bytes());
    EXPECT_EQ(userBack->backGroundImage(), nullptr);
    EXPECT_EQ(coding::text(userBack->noReadNum()), u"12");

    auto model = balance();
    auto bytes = encode(model);
    std::vector<std::uint8_t> names = { 5, 0, 0, 0 };
    auto keys = bytesOf({ "imageFile", "nickName", "phone", "blanceNum", "blance" });
    names.insert(names.end(), keys.begin(), keys.end());
    EXPECT_TRUE(contains(bytes, names));
    auto back = std::dynamic_pointer_cast<QYBlanceModel>(QYCoder::objectWithData(bytes));
    ASSERT_TRUE(back);
    EXPECT_EQ(coding::text(back->nickName()), u"小红");
    EXPECT_EQ(back->phone(), nullptr);
    EXPECT_EQ(coding::text(back->blanceNum()), u"1,234.50");
}

TEST(ChatRecords, JsonExportAndImportGiveBackTheSameBytes)
{
    for (const coding::ObjectPtr& root : { coding::ObjectPtr(conversationOfEveryKind(1)), coding::ObjectPtr(participants()), coding::ObjectPtr(balance()) }) {
        auto bytes = encode(root);
        std::string text = coding::JsonForm::toText(QYCoder::objectWithData(bytes));
        auto imported = coding::JsonForm::fromText(text);
        ASSERT_TRUE(imported.ok()) << *imported.error;
        EXPECT_EQ(encode(imported.object), bytes) << text.substr(0, 2000);
    }
}

TEST(ChatRecords, JsonOfARecordIsReadable)
{
    registerRecordClasses();
    auto record = QYChatModel::make();
    record->setStyleType(2);
    record->setType(QYChatModel::Text);
    record->setIsSend(true);
    record->setContext(coding::String::make("hi"));
    record->setDuration(1.5);
    auto json = coding::JsonForm::toJson(record);
    EXPECT_EQ(json["$class"], "QYChatModel");
    EXPECT_EQ(json["styleType"], 2);
    EXPECT_EQ(json["isSend"], true);
    EXPECT_EQ(json["context"], "hi");
    EXPECT_EQ(json["duration"], 1.5);
    EXPECT_EQ(json.begin().key(), "$class");
    EXPECT_EQ(std::next(json.begin()).key(), "styleType");
    auto imported = coding::JsonForm::fromText(R"({"$class":"QYChatModel","type":6,"isShowDateTime":1,"creatDate":{"$date":5}})");
    ASSERT_TRUE(imported.ok()) << *imported.error;
    auto back = std::dynamic_pointer_cast<QYChatModel>(imported.object);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->type(), 6);
    EXPECT_TRUE(back->isShowDateTime());
    EXPECT_EQ(back->creatDate()->secondsSince1970(), 5);
}
