#pragma once
#include <cstdint>
#include <memory>

#include "coding/Data.h"
#include "coding/Date.h"
#include "coding/Model.h"
#include "coding/String.h"

// One row of a conversation: a message of one of the kinds below, or a
// recalled-message notice. The property names, in declaration order, are part of
// the stored format. A new record has every property zero, false or nil.
class QYChatModel final : public coding::Model {
public:
    // Values of `type`.
    enum MessageType : std::int32_t {
        Voice = 1,
        Text = 2,
        RedPacket = 3,
        Transfer = 4,
        Reserved = 5,
        Image = 6,
        RecallNotice = 7,
    };

    static std::shared_ptr<QYChatModel> make() { return std::make_shared<QYChatModel>(); }
    static const coding::ClassInfo& staticClassInfo();
    const coding::ClassInfo& classInfo() const override { return staticClassInfo(); }

    // Chat type the record was made in: 1 messenger style, 2 payment-app style.
    std::int32_t styleType() const { return m_styleType; }
    void setStyleType(std::int32_t value) { m_styleType = value; }
    // Text of a text message, greeting of a red packet, "" for transfers.
    const coding::StringPtr& context() const { return m_context; }
    void setContext(coding::StringPtr value) { m_context = std::move(value); }
    // JPEG of an image message's picture.
    const coding::DataPtr& image() const { return m_image; }
    void setImage(coding::DataPtr value) { m_image = std::move(value); }
    // Money amount text (red packet: currency text; transfer: as typed).
    const coding::StringPtr& redPac() const { return m_redPac; }
    void setRedPac(coding::StringPtr value) { m_redPac = std::move(value); }
    // True for the user's own side (right), false for the other side (left).
    bool isSend() const { return m_isSend; }
    void setIsSend(bool value) { m_isSend = value; }
    std::int32_t type() const { return m_type; }
    void setType(std::int32_t value) { m_type = value; }
    // Declared and stored, never set by the program; kept untouched when read.
    const coding::DataPtr& sendAvatar() const { return m_sendAvatar; }
    void setSendAvatar(coding::DataPtr value) { m_sendAvatar = std::move(value); }
    const coding::DataPtr& avatar() const { return m_avatar; }
    void setAvatar(coding::DataPtr value) { m_avatar = std::move(value); }
    const coding::DataPtr& receiveAvatar() const { return m_receiveAvatar; }
    void setReceiveAvatar(coding::DataPtr value) { m_receiveAvatar = std::move(value); }
    const coding::StringPtr& voicePath() const { return m_voicePath; }
    void setVoicePath(coding::StringPtr value) { m_voicePath = std::move(value); }
    // Length of a voice clip in seconds.
    double duration() const { return m_duration; }
    void setDuration(double value) { m_duration = value; }
    const coding::DatePtr& creatDate() const { return m_creatDate; }
    void setCreatDate(coding::DatePtr value) { m_creatDate = std::move(value); }
    const coding::StringPtr& nickName() const { return m_nickName; }
    void setNickName(coding::StringPtr value) { m_nickName = std::move(value); }
    const coding::StringPtr& heNickName() const { return m_heNickName; }
    void setHeNickName(coding::StringPtr value) { m_heNickName = std::move(value); }
    bool isGet() const { return m_isGet; }
    void setIsGet(bool value) { m_isGet = value; }
    bool isShowDateTime() const { return m_isShowDateTime; }
    void setIsShowDateTime(bool value) { m_isShowDateTime = value; }
    // Kind 4 only: true for the transfer itself, false for its receipt.
    bool isTran() const { return m_isTran; }
    void setIsTran(bool value) { m_isTran = value; }
    // Kind 7 only: true when the recalled message was the user's own.
    bool isMeRevoke() const { return m_isMeRevoke; }
    void setIsMeRevoke(bool value) { m_isMeRevoke = value; }

private:
    std::int32_t m_styleType = 0;
    coding::StringPtr m_context;
    coding::DataPtr m_image;
    coding::StringPtr m_redPac;
    bool m_isSend = false;
    std::int32_t m_type = 0;
    coding::DataPtr m_sendAvatar;
    coding::DataPtr m_avatar;
    coding::DataPtr m_receiveAvatar;
    coding::StringPtr m_voicePath;
    double m_duration = 0;
    coding::DatePtr m_creatDate;
    coding::StringPtr m_nickName;
    coding::StringPtr m_heNickName;
    bool m_isGet = false;
    bool m_isShowDateTime = false;
    bool m_isTran = false;
    bool m_isMeRevoke = false;
};
using QYChatModelPtr = std::shared_ptr<QYChatModel>;
