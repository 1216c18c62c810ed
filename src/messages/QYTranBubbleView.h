#pragma once
#include "messages/RIBaseBubbleView.h"
#include "messages/RIMoneyPillView.h"
#include "ui/Label.h"

// The payment-app style's red packet and transfer: the card picture of kind
// and side, a red packet's greeting or a transfer's amount in "元" over it,
// and under a taken red packet a pill saying who took it. Every transfer and
// receipt shows the same finished card. A tap sends the money event.
class QYTranBubbleView : public RIBaseBubbleView {
public:
    QYTranBubbleView();
    explicit QYTranBubbleView(const ui::Rect& frame);

    std::string className() const override { return "QYTranBubbleView"; }

    const std::shared_ptr<ui::Label>& labelContext() const { return m_labelContext; }
    const std::shared_ptr<ui::Label>& tranNum() const { return m_tranNum; }
    const std::shared_ptr<RIMoneyPillView>& receView() const { return m_receView; }
    const std::shared_ptr<ui::ImageView>& moneyIcon() const { return m_receView->moneyIcon(); }
    const std::shared_ptr<ui::Label>& textMoney() const { return m_receView->textMoney(); }

    void setClock(std::shared_ptr<QYChatModel> clock) override;
    void bubbleViewPressed() override;

    // The card's natural size.
    ui::Size sizeThatFits(ui::Size size) const override;
    void layoutSubviews() override;

    // The amount's distance from the card's left edge: the older system's
    // text sits 3 points further left.
    static double amountLeft(bool isSend);

private:
    void build();

    std::shared_ptr<ui::Label> m_labelContext;
    std::shared_ptr<ui::Label> m_tranNum;
    std::shared_ptr<RIMoneyPillView> m_receView;
};
