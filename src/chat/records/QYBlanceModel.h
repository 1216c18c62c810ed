#pragma once
#include "coding/Model.h"
#include "coding/String.h"

// The payment-app balance page's record; every field is text and may be absent.
// The property names, in declaration order, are part of the stored format.
class QYBlanceModel final : public coding::Model {
public:
    static std::shared_ptr<QYBlanceModel> make() { return std::make_shared<QYBlanceModel>(); }
    static const coding::ClassInfo& staticClassInfo();
    const coding::ClassInfo& classInfo() const override { return staticClassInfo(); }

    // Full path of the avatar picture file.
    const coding::StringPtr& imageFile() const { return m_imageFile; }
    void setImageFile(coding::StringPtr value) { m_imageFile = std::move(value); }
    const coding::StringPtr& nickName() const { return m_nickName; }
    void setNickName(coding::StringPtr value) { m_nickName = std::move(value); }
    const coding::StringPtr& phone() const { return m_phone; }
    void setPhone(coding::StringPtr value) { m_phone = std::move(value); }
    // Total as shown (grouping commas, no currency sign).
    const coding::StringPtr& blanceNum() const { return m_blanceNum; }
    void setBlanceNum(coding::StringPtr value) { m_blanceNum = std::move(value); }
    // Balance as shown (same form).
    const coding::StringPtr& blance() const { return m_blance; }
    void setBlance(coding::StringPtr value) { m_blance = std::move(value); }

private:
    coding::StringPtr m_imageFile;
    coding::StringPtr m_nickName;
    coding::StringPtr m_phone;
    coding::StringPtr m_blanceNum;
    coding::StringPtr m_blance;
};
