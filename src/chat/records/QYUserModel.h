#pragma once
#include "coding/Data.h"
#include "coding/Model.h"
#include "coding/String.h"

// The two participants and the chat settings of one chat type. The property names,
// in declaration order, are part of the stored format.
class QYUserModel final : public coding::Model {
public:
    static std::shared_ptr<QYUserModel> make() { return std::make_shared<QYUserModel>(); }
    static const coding::ClassInfo& staticClassInfo();
    const coding::ClassInfo& classInfo() const override { return staticClassInfo(); }

    const coding::StringPtr& meNick() const { return m_meNick; }
    void setMeNick(coding::StringPtr value) { m_meNick = std::move(value); }
    // The other side's nickname, also the chat title.
    const coding::StringPtr& heNick() const { return m_heNick; }
    void setHeNick(coding::StringPtr value) { m_heNick = std::move(value); }
    const coding::DataPtr& meAvatar() const { return m_meAvatar; }
    void setMeAvatar(coding::DataPtr value) { m_meAvatar = std::move(value); }
    const coding::DataPtr& heAvatar() const { return m_heAvatar; }
    void setHeAvatar(coding::DataPtr value) { m_heAvatar = std::move(value); }
    // JPEG of the chat background; nil when none was chosen.
    const coding::DataPtr& backGroundImage() const { return m_backGroundImage; }
    void setBackGroundImage(coding::DataPtr value) { m_backGroundImage = std::move(value); }
    // Unread count exactly as typed.
    const coding::StringPtr& noReadNum() const { return m_noReadNum; }
    void setNoReadNum(coding::StringPtr value) { m_noReadNum = std::move(value); }

private:
    coding::StringPtr m_meNick;
    coding::StringPtr m_heNick;
    coding::DataPtr m_meAvatar;
    coding::DataPtr m_heAvatar;
    coding::DataPtr m_backGroundImage;
    coding::StringPtr m_noReadNum;
};
