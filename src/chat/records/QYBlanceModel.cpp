#include "chat/records/QYBlanceModel.h"

#include "coding/ClassInfo.h"

const coding::ClassInfo& QYBlanceModel::staticClassInfo()
{
    using M = QYBlanceModel;
    static coding::ClassInfo info("QYBlanceModel", [] { return std::make_shared<M>(); });
    static const bool described = [] {
        info.property("imageFile", &M::imageFile, &M::setImageFile)
            .property("nickName", &M::nickName, &M::setNickName)
            .property("phone", &M::phone, &M::setPhone)
            .property("blanceNum", &M::blanceNum, &M::setBlanceNum)
            .property("blance", &M::blance, &M::setBlance);
        return true;
    }();
    (void)described;
    return info;
}
