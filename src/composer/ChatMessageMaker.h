#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "chat/records/ChatStyle.h"
#include "chat/records/QYChatModel.h"
#include "composer/ChatPictureData.h"
#include "composer/ChatTimeStampRule.h"
#include "ui/graphics/Image.h"

// Makes the chat screen's new records: the fields every message gets (kind,
// side, date, time-stamp flag, style) and the speaker's avatar and nickname
// where a kind carries them. It holds the participants as the screen was
// given them, so every record of one speaker shares the same avatar data.
class ChatMessageMaker {
public:
    // Quality of the avatar in text and voice records.
    static constexpr double kMessageAvatarQuality = 1.0;
    // Quality of the avatar in picture records and of avatars written back.
    static constexpr double kSmallAvatarQuality = 0.001;

    ChatStyle style() const { return m_style; }
    void setStyle(ChatStyle style) { m_style = style; }
    const std::optional<std::string>& meNick() const { return m_meNick; }
    void setMeNick(std::optional<std::string> nick) { m_meNick = std::move(nick); }
    const std::optional<std::string>& heNick() const { return m_heNick; }
    void setHeNick(std::optional<std::string> nick) { m_heNick = std::move(nick); }
    const ui::ImagePtr& meAvatar() const { return m_meAvatar; }
    void setMeAvatar(ui::ImagePtr image) { m_meAvatar = std::move(image); }
    const ui::ImagePtr& heAvatar() const { return m_heAvatar; }
    void setHeAvatar(ui::ImagePtr image) { m_heAvatar = std::move(image); }

    const ChatTimeStampRule& timeStampRule() const { return m_timeStampRule; }
    // Whether a message made at `date` shows a time stamp (moves the reference date).
    bool isShowDateTime(double date) { return m_timeStampRule.isShowDateTime(date); }

    // A record of `kind` said by the own side (`isSend`) or the other at
    // `now`; `withAvatar` adds the speaker's avatar (JPEG 1.0) and
    // `withNickName` the speaker's nickname.
    QYChatModelPtr message(std::int32_t kind, bool isSend, double now, bool withAvatar, bool withNickName);
    QYChatModelPtr text(bool isSend, double now, const std::u16string& text);
    QYChatModelPtr voice(bool isSend, double now, const std::string& path, double duration);
    QYChatModelPtr picture(bool isSend, double now, std::vector<std::uint8_t> jpeg);
    // The receipt of a collected messenger-style transfer: said by the side that
    // takes the money, dated `now`, its time stamp decided by the transfer's
    // own date (which moves the reference date back).
    QYChatModelPtr transferReceipt(const QYChatModel& transfer, double now);
    // The notice that `recalled` (if known) was taken back; it never has a time stamp.
    QYChatModelPtr recallNotice(bool isSend, double now, const QYChatModelPtr& recalled);

    // The speaker's avatar as JPEG data of `quality`; nullptr without one.
    coding::DataPtr avatarData(bool isSend, double quality);
    // Avatar data of loaded records: an avatar that encodes to the same bytes
    // shares it, so the store writes it once.
    void adoptAvatarData(const coding::DataPtr& data) { m_pictureData.adopt(data); }

private:
    coding::StringPtr nickName(bool isSend);

    ChatStyle m_style = ChatStyle::Messenger;
    std::optional<std::string> m_meNick;
    std::optional<std::string> m_heNick;
    ui::ImagePtr m_meAvatar;
    ui::ImagePtr m_heAvatar;
    ChatTimeStampRule m_timeStampRule;
    ChatPictureData m_pictureData;
    // The last nickname strings handed out, shared while they stay the same.
    coding::StringPtr m_meNickName;
    coding::StringPtr m_heNickName;
};
