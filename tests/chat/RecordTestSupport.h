#pragma once
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "chat/records/QYBlanceModel.h"
#include "chat/records/QYChatModel.h"
#include "chat/records/QYUserModel.h"
#include "coding/Collection.h"

namespace chattest {

// A conversation as the chat screen makes it: one record of every kind, each
// speaker's avatar and nickname shared by that speaker's records, every property
// set somewhere, and both a nil and an empty text.
std::shared_ptr<coding::Collection> conversationOfEveryKind(int styleType);
std::shared_ptr<QYUserModel> participants();
std::shared_ptr<QYBlanceModel> balance();

// Every property read through its own getter, nil kept apart from empty, so that
// a property bound to the wrong member shows up after a round trip.
using MaybeText = std::optional<std::u16string>;
using MaybeBytes = std::optional<std::vector<std::uint8_t>>;
inline MaybeText value(const coding::StringPtr& s) { return s ? MaybeText(coding::text(s)) : std::nullopt; }
inline MaybeBytes value(const coding::DataPtr& d) { return d ? MaybeBytes(d->bytes()) : std::nullopt; }
inline std::optional<double> value(const coding::DatePtr& d) { return d ? std::optional(d->secondsSince1970()) : std::nullopt; }
inline auto fields(const QYChatModel& r)
{
    return std::tuple(r.styleType(), value(r.context()), value(r.image()), value(r.redPac()), r.isSend(), r.type(),
        value(r.sendAvatar()), value(r.avatar()), value(r.receiveAvatar()), value(r.voicePath()), r.duration(),
        value(r.creatDate()), value(r.nickName()), value(r.heNickName()), r.isGet(), r.isShowDateTime(), r.isTran(),
        r.isMeRevoke());
}
inline auto fields(const QYUserModel& u)
{
    return std::tuple(value(u.meNick()), value(u.heNick()), value(u.meAvatar()), value(u.heAvatar()),
        value(u.backGroundImage()), value(u.noReadNum()));
}
inline auto fields(const QYBlanceModel& b)
{
    return std::tuple(value(b.imageFile()), value(b.nickName()), value(b.phone()), value(b.blanceNum()), value(b.blance()));
}
// Expects two conversations to hold the same records, property by property.
void expectSameConversation(const coding::Collection& a, const coding::Collection& b);

// A fresh temporary home folder for the process, removed again on destruction.
class TemporaryHome {
public:
    TemporaryHome();
    ~TemporaryHome();
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace chattest
