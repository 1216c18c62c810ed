#include "chat/records/QYUserModel.h"

#include "coding/ClassInfo.h"

const coding::ClassInfo& QYUserModel::staticClassInfo()
{
    using M = QYUserModel;
    static coding::ClassInfo info("QYUserModel", [] { return std::make_shared<M>(); });
    static const bool described = [] {
        info.property("meNick", &M::meNick, &M::setMeNick)
            .property("heNick", &M::heNick, &M::setHeNick)
            .property("meAvatar", &M::meAvatar, &M::setMeAvatar)
            .property("heAvatar", &M::heAvatar, &M::setHeAvatar)
            .property("backGroundImage", &M::backGroundImage, &M::setBackGroundImage)
            .property("noReadNum", &M::noReadNum, &M::setNoReadNum);
        return true;
    }();
    (void)described;
    return info;
}
