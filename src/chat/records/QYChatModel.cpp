#include "chat/records/QYChatModel.h"

#include "coding/ClassInfo.h"

const coding::ClassInfo& QYChatModel::staticClassInfo()
{
    using M = QYChatModel;
    static coding::ClassInfo info("QYChatModel", [] { return std::make_shared<M>(); });
    static const bool described = [] {
        info.property("styleType", &M::styleType, &M::setStyleType)
            .property("context", &M::context, &M::setContext)
            .property("image", &M::image, &M::setImage)
            .property("redPac", &M::redPac, &M::setRedPac)
            .property("isSend", &M::isSend, &M::setIsSend)
            .property("type", &M::type, &M::setType)
            .property("sendAvatar", &M::sendAvatar, &M::setSendAvatar)
            .property("avatar", &M::avatar, &M::setAvatar)
            .property("receiveAvatar", &M::receiveAvatar, &M::setReceiveAvatar)
            .property("voicePath", &M::voicePath, &M::setVoicePath)
            .property("duration", &M::duration, &M::setDuration)
            .property("creatDate", &M::creatDate, &M::setCreatDate)
            .property("nickName", &M::nickName, &M::setNickName)
            .property("heNickName", &M::heNickName, &M::setHeNickName)
            .property("isGet", &M::isGet, &M::setIsGet)
            .property("isShowDateTime", &M::isShowDateTime, &M::setIsShowDateTime)
            .property("isTran", &M::isTran, &M::setIsTran)
            .property("isMeRevoke", &M::isMeRevoke, &M::setIsMeRevoke);
        return true;
    }();
    (void)described;
    return info;
}
