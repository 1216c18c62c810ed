#include "RecordTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "chat/records/RecordClasses.h"
#include "platform/Folders.h"

namespace chattest {

using coding::Data;
using coding::String;

std::shared_ptr<coding::Collection> conversationOfEveryKind(int styleType)
{
    registerRecordClasses();
    auto me = String::make("我");
    auto other = String::make("对方");
    auto myAvatar = Data::make(std::vector<std::uint8_t>(3072, 0xd8));
    auto otherAvatar = Data::make(std::vector<std::uint8_t>(3072, 0x11));
    double now = 1480000000;
    auto list = coding::Collection::mutableArray();
    auto add = [&](std::int32_t type, bool isSend) {
        auto record = QYChatModel::make();
        record->setType(type);
        record->setIsSend(isSend);
        record->setStyleType(styleType);
        record->setCreatDate(coding::Date::make(now += 61));
        record->setIsShowDateTime(true);
        record->setAvatar(isSend ? myAvatar : otherAvatar);
        record->setNickName(isSend ? me : other);
        list->append(record);
        return record;
    };
    add(QYChatModel::Text, true)->setContext(String::make("你好[微笑] hello"));
    auto voice = add(QYChatModel::Voice, false);
    voice->setNickName(nullptr);
    voice->setVoicePath(String::make("/home/u/.local/share/qyshot/Documents/audio/1B4E28BA-2FA1-11D2-883F-0016D3CCA427.amr"));
    voice->setDuration(3.25);
    auto red = add(QYChatModel::RedPacket, true);
    red->setRedPac(String::make("¥1,234.50"));
    red->setContext(String::make("恭喜发财，大吉大利"));
    red->setIsGet(true);
    red->setHeNickName(other);
    auto transfer = add(QYChatModel::Transfer, true);
    transfer->setRedPac(String::make("88"));
    transfer->setContext(String::make(""));
    transfer->setIsTran(true);
    transfer->setReceiveAvatar(otherAvatar);
    add(QYChatModel::Image, true)->setImage(Data::make(std::vector<std::uint8_t>(20000, 0x42)));
    auto notice = add(QYChatModel::RecallNotice, false);
    notice->setAvatar(nullptr);
    notice->setIsShowDateTime(false);
    notice->setHeNickName(me);
    notice->setIsMeRevoke(true);
    add(9, true)->setSendAvatar(Data::make({ 1, 2, 3 })); // a kind this program never makes
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
    model->setBlance(String::make("34.50"));
    return model;
}

void expectSameConversation(const coding::Collection& a, const coding::Collection& b)
{
    ASSERT_EQ(a.count(), b.count());
    for (std::size_t i = 0; i < a.count(); ++i) {
        auto original = std::dynamic_pointer_cast<QYChatModel>(a.at(i));
        auto copy = std::dynamic_pointer_cast<QYChatModel>(b.at(i));
        ASSERT_TRUE(original && copy) << i;
        EXPECT_EQ(fields(*original), fields(*copy)) << i;
    }
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
