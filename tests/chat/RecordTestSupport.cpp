#include "RecordTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "chat/records/RecordClasses.h"
#include "coding/ClassInfo.h"
#include "coding/Number.h"
#include "platform/Folders.h"

namespace chattest {

using coding::Data;
using coding::Date;
using coding::String;

std::shared_ptr<coding::Collection> conversationOfEveryKind(int styleType)
{
    registerRecordClasses();
    auto me = String::make("我");
    auto other = String::make("对方");
    auto myAvatar = Data::make(std::vector<std::uint8_t>(3072, 0xd8));
    auto otherAvatar = Data::make(std::vector<std::uint8_t>(3072, 0x11));
    double now = 1480000000;
    auto make = [&](std::int32_t type, bool isSend) {
        auto record = QYChatModel::make();
        record->setType(type);
        record->setIsSend(isSend);
        record->setStyleType(styleType);
        record->setCreatDate(Date::make(now += 61));
        record->setIsShowDateTime(true);
        record->setAvatar(isSend ? myAvatar : otherAvatar);
        record->setNickName(isSend ? me : other);
        return record;
    };
    auto list = coding::Collection::mutableArray();
    auto text = make(QYChatModel::Text, true);
    text->setContext(String::make("你好[微笑] hello"));
    list->append(text);
    auto empty = make(QYChatModel::Text, false);
    empty->setContext(String::make(""));
    list->append(empty);
    auto voice = make(QYChatModel::Voice, false);
    voice->setNickName(nullptr);
    voice->setVoicePath(String::make("/home/u/.local/share/qyshot/Documents/audio/1B4E28BA-2FA1-11D2-883F-0016D3CCA427.amr"));
    voice->setDuration(3.25);
    list->append(voice);
    auto red = make(QYChatModel::RedPacket, true);
    red->setRedPac(String::make("¥1,234.50"));
    red->setContext(String::make("恭喜发财，大吉大利"));
    red->setIsGet(true);
    red->setHeNickName(other);
    list->append(red);
    auto transfer = make(QYChatModel::Transfer, true);
    transfer->setRedPac(String::make("88"));
    transfer->setContext(String::make(""));
    transfer->setIsTran(true);
    transfer->setReceiveAvatar(otherAvatar);
    transfer->setHeNickName(other);
    list->append(transfer);
    auto receipt = make(QYChatModel::Transfer, false);
    receipt->setRedPac(transfer->redPac());
    receipt->setContext(String::make(""));
    receipt->setIsGet(true);
    receipt->setIsTran(false);
    list->append(receipt);
    auto image = make(QYChatModel::Image, true);
    image->setNickName(nullptr);
    image->setImage(Data::make(std::vector<std::uint8_t>(20000, 0x42)));
    image->setAvatar(Data::make(std::vector<std::uint8_t>(700, 0x01)));
    list->append(image);
    auto notice = make(QYChatModel::RecallNotice, false);
    notice->setAvatar(nullptr);
    notice->setNickName(nullptr);
    notice->setIsShowDateTime(false);
    notice->setHeNickName(me);
    notice->setIsMeRevoke(true);
    list->append(notice);
    auto unlisted = make(9, true);
    unlisted->setSendAvatar(Data::make({ 1, 2, 3 }));
    list->append(unlisted);
    return list;
}

std::shared_ptr<QYUserModel> participants()
{
    registerRecordClasses();
    auto user = QYUserModel::make();
    user->setMeNick(String::make("我"));
    user->setHeNick(String::make("小明"));
    user->setMeAvatar(Data::make(std::vector<std::uint8_t>(500, 1)));
    user->setHeAvatar(Data::make(std::vector<std::uint8_t>(501, 2)));
    user->setNoReadNum(String::make("12"));
    return user;
}

std::shared_ptr<QYBlanceModel> balance()
{
    registerRecordClasses();
    auto model = QYBlanceModel::make();
    model->setImageFile(String::make("/home/u/Documents/userImgeBLANCEUSERIMAGE"));
    model->setNickName(String::make("小红"));
    model->setBlanceNum(String::make("1,234.50"));
    return model;
}

static void expectSameObject(const coding::ObjectPtr& a, const coding::ObjectPtr& b, const char* name)
{
    EXPECT_EQ(bool(a), bool(b)) << name;
    if (a && b) {
        EXPECT_TRUE(a->isEqual(*b)) << name;
    }
}

void expectSameRecord(const QYChatModel& a, const QYChatModel& b)
{
    for (const auto* property : QYChatModel::staticClassInfo().aggregateProperties())
        expectSameObject(property->get(a), property->get(b), property->name.c_str());
}

TemporaryHome::TemporaryHome()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qyshot-home-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    m_path = made ? made : pattern;
    platform::folders::setHomeFolder(m_path);
}

TemporaryHome::~TemporaryHome()
{
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

} // namespace chattest
