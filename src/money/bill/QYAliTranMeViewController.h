#pragma once
#include "money/bill/AliBillViewController.h"

// The bill detail of money going out: "-" amount, the receiver's avatar and
// name, and the payment line "余额宝" with the amount paid.
class QYAliTranMeViewController : public AliBillViewController {
public:
    std::string className() const override { return "QYAliTranMeViewController"; }

    const std::shared_ptr<ui::Label>& detail() const { return m_detail; }
    const std::shared_ptr<ui::Label>& detailNum() const { return m_detailNum; }

protected:
    bool isOutgoing() const override { return true; }
    double addPaymentLine(ui::View& root, double avatarBottom) override;

private:
    std::shared_ptr<ui::Label> m_detail;
    std::shared_ptr<ui::Label> m_detailNum;
};
