#pragma once
#include "messages/RIBaseBubbleView.h"
#include "messages/RIMoneyPillView.h"
#include "ui/Label.h"

// The messenger style's red packet and transfer: a fixed card picture chosen
// by kind, side and state, white texts over it (a red packet's greeting; a
// transfer's caption and amount), and under a taken red packet a pill saying
// who took it. A tap sends the money event.
class RIVideoBubbleView : public RIBaseBubbleView {
public:
    RIVideoBubbleView();
    explicit RIVideoBubbleView(const ui::Rect& frame);

    std::string className() const override { return "RIVideoBubbleView"; }

    const std::shared_ptr<ui::Label>& labelContext() const { return m_labelContext; }
    const std::shared_ptr<RIMoneyPillView>& receView() const { return m_receView; }
    const std::shared_ptr<ui::ImageView>& moneyIcon() const { return m_receView->moneyIcon(); }
    const std::shared_ptr<ui::Label>& textMoney() const { return m_receView->textMoney(); }
    const std::shared_ptr<ui::Label>& tranText() const { return m_tranText; }
    const std::shared_ptr<ui::Label>& markIcon() const { return m_markIcon; }
    const std::shared_ptr<ui::Label>& tranNum() const { return m_tranNum; }

    // Hides (true) or shows (false) the transfer's caption, sign and amount together.
    void isHidden(bool flag);

    void setClock(std::shared_ptr<QYChatModel> clock) override;
    void bubbleViewPressed() override;

    // The card's natural size.
    ui::Size sizeThatFits(ui::Size size) const override;
    void layoutSubviews() override;

private:
    void build();

    std::shared_ptr<ui::Label> m_labelContext;
    std::shared_ptr<RIMoneyPillView> m_receView;
    std::shared_ptr<ui::Label> m_tranText;
    std::shared_ptr<ui::Label> m_markIcon;
    std::shared_ptr<ui::Label> m_tranNum;
};
