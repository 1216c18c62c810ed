#include <gtest/gtest.h>

#include <algorithm>

#include "RecordTestSupport.h"
#include "coding/JsonForm.h"
#include "coding/QYCoder.h"

using namespace chattest;
using coding::QYCoder;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes encode(const coding::ObjectPtr& object)
{
    auto data = QYCoder::dataWithRootObject(object);
    EXPECT_TRUE(data);
    return data.value_or(Bytes());
}

// Decodes the encoding of `root` as a T; its JSON form must import to the same bytes.
template <class T>
std::shared_ptr<T> roundTrip(const coding::ObjectPtr& root)
{
    Bytes bytes = encode(root);
    auto back = std::dynamic_pointer_cast<T>(QYCoder::objectWithData(bytes));
    std::string json = coding::JsonForm::toText(back);
    auto imported = coding::JsonForm::fromText(json);
    EXPECT_TRUE(imported.ok()) << *imported.error;
    EXPECT_EQ(encode(imported.object), bytes) << json.substr(0, 2000);
    return back;
}

// The names as the encoding writes them: their count, then each one null-terminated.
Bytes nameList(std::initializer_list<std::string> names)
{
    Bytes bytes = { std::uint8_t(names.size()), 0, 0, 0 };
    for (const auto& name : names)
        bytes.insert(bytes.end(), name.c_str(), name.c_str() + name.size() + 1);
    return bytes;
}

bool contains(const Bytes& haystack, const Bytes& needle)
{
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

} // namespace

TEST(ChatRecords, EveryRecordClassRoundTrips)
{
    for (int style : { 1, 2 }) {
        auto list = conversationOfEveryKind(style);
        auto back = roundTrip<coding::Collection>(list);
        ASSERT_TRUE(back);
        EXPECT_TRUE(back->isMutable()) << "a loaded conversation can grow";
        expectSameConversation(*list, *back);
        auto first = std::dynamic_pointer_cast<QYChatModel>(back->at(0));
        auto red = std::dynamic_pointer_cast<QYChatModel>(back->at(2));
        EXPECT_EQ(first->avatar(), red->avatar()) << "one speaker's avatar stays one object";
        EXPECT_EQ(first->nickName(), red->nickName());
    }
    auto user = participants();
    auto userBack = roundTrip<QYUserModel>(user);
    ASSERT_TRUE(userBack);
    EXPECT_EQ(fields(*userBack), fields(*user));
    auto model = balance();
    auto modelBack = roundTrip<QYBlanceModel>(model);
    ASSERT_TRUE(modelBack);
    EXPECT_EQ(fields(*modelBack), fields(*model));
}

TEST(ChatRecords, StoredFormKeepsPropertyNamesOrderAndTypes)
{
    Bytes chat = encode(QYChatModel::make());
    EXPECT_TRUE(contains(chat, nameList({ "styleType", "context", "image", "redPac", "isSend", "type", "sendAvatar",
        "avatar", "receiveAvatar", "voicePath", "duration", "creatDate", "nickName", "heNickName", "isGet",
        "isShowDateTime", "isTran", "isMeRevoke" })));
    EXPECT_TRUE(contains(encode(participants()),
        nameList({ "meNick", "heNick", "meAvatar", "heAvatar", "backGroundImage", "noReadNum" })));
    EXPECT_TRUE(contains(encode(balance()), nameList({ "imageFile", "nickName", "phone", "blanceNum", "blance" })));

    // The values of a record as typed: integers (0 and 1 as constants), booleans
    // as the true/false constants, duration as a float64, nil as 0.
    auto record = QYChatModel::make();
    record->setIsSend(true);
    record->setType(1);
    Bytes values = { 30, 0, 46, 0, 0, 0, 13, 45, 0, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 14, 14, 14, 14 };
    Bytes bytes = encode(record);
    ASSERT_GE(bytes.size(), values.size());
    EXPECT_EQ(Bytes(bytes.end() - std::ptrdiff_t(values.size()), bytes.end()), values);
}
