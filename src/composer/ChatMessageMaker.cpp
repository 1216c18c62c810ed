#include "composer/ChatMessageMaker.h"

QYChatModelPtr ChatMessageMaker::message(std::int32_t kind, bool isSend, double now, bool withAvatar, bool withNickName)
{
    auto clock = QYChatModel::make();
    clock->setType(kind);
    clock->setIsSend(isSend);
    clock->setCreatDate(coding::Date::make(now));
    clock->setIsShowDateTime(isShowDateTime(now));
    clock->setStyleType(styleValue(m_style));
    if (withAvatar)
        clock->setAvatar(avatarData(isSend, kMessageAvatarQuality));
    if (withNickName)
        clock->setNickName(nickName(isSend));
    return clock;
}

QYChatModelPtr ChatMessageMaker::text(bool isSend, double now, const std::u16string& text)
{
    auto clock = message(QYChatModel::Text, isSend, now, true, true);
    clock->setContext(coding::String::fromUtf16(text));
    return clock;
}

QYChatModelPtr ChatMessageMaker::voice(bool isSend, double now, const std::string& path, double duration)
{
    auto clock = message(QYChatModel::Voice, isSend, now, true, false);
    clock->setVoicePath(coding::String::make(path));
    clock->setDuration(duration);
    return clock;
}

QYChatModelPtr ChatMessageMaker::picture(bool isSend, double now, std::vector<std::uint8_t> jpeg)
{
    auto clock = message(QYChatModel::Image, isSend, now, false, false);
    clock->setImage(coding::Data::make(std::move(jpeg)));
    clock->setAvatar(avatarData(isSend, kSmallAvatarQuality));
    return clock;
}

QYChatModelPtr ChatMessageMaker::transferReceipt(const QYChatModel& transfer, double now)
{
    bool taker = !transfer.isSend();
    double transferDate = transfer.creatDate() ? transfer.creatDate()->secondsSince1970() : now;
    // Not through message(): the time stamp follows the transfer's date, not the tap's.
    auto receipt = QYChatModel::make();
    receipt->setRedPac(transfer.redPac());
    receipt->setContext(coding::String::make(""));
    receipt->setType(QYChatModel::Transfer);
    receipt->setIsGet(true);
    receipt->setIsTran(false);
    receipt->setCreatDate(coding::Date::make(now));
    receipt->setIsShowDateTime(isShowDateTime(transferDate));
    receipt->setIsSend(taker);
    receipt->setStyleType(styleValue(m_style));
    receipt->setAvatar(avatarData(taker, kMessageAvatarQuality));
    receipt->setNickName(nickName(taker));
    return receipt;
}

QYChatModelPtr ChatMessageMaker::recallNotice(bool isSend, double now, const QYChatModelPtr& recalled)
{
    // Not through message(): a notice neither shows nor moves the time stamp.
    auto notice = QYChatModel::make();
    notice->setIsSend(isSend);
    notice->setType(QYChatModel::RecallNotice);
    notice->setCreatDate(coding::Date::make(now));
    notice->setIsShowDateTime(false);
    if (recalled) {
        notice->setHeNickName(recalled->nickName());
        notice->setIsMeRevoke(recalled->isSend());
    }
    notice->setStyleType(styleValue(m_style));
    return notice;
}

coding::DataPtr ChatMessageMaker::avatarData(bool isSend, double quality)
{
    return m_pictureData.jpeg(isSend ? m_meAvatar : m_heAvatar, quality);
}

coding::StringPtr ChatMessageMaker::nickName(bool isSend)
{
    const auto& nick = isSend ? m_meNick : m_heNick;
    auto& cached = isSend ? m_meNickName : m_heNickName;
    if (!nick) {
        cached.reset();
        return nullptr;
    }
    // Messages of one speaker share the nickname while it stays the same.
    if (!cached || cached->utf8() != *nick)
        cached = coding::String::make(*nick);
    return cached;
}
