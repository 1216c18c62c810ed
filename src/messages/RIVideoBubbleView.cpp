#include "messages/RIVideoBubbleView.h"

#include <algorithm>

#include "chat/records/QYChatModel.h"
#include "messages/RIMoneyRules.h"
#include "messages/RIRouterEvents.h"
#include "ui/Screen.h"
#include "widgets/AppStyle.h"

namespace {

// Where the texts start on the card, by side: the other side's card carries
// its tail on the left, so its texts sit further in.
constexpr double kContextLeft[2] = { 55, 63 };
constexpr double kContextTop = 16;
constexpr double kTranTextLeft[2] = { 53, 58 };
constexpr double kTranTextTop = 14;
constexpr double kTranTextWidth = 150;
constexpr double kMarkLeft[2] = { 51, 56 };
constexpr double kMarkGap = 4;
// The amount tucks 3 points under the sign.
constexpr double kAmountOverlap = 3;
// A long greeting stops this far before the card's edge.
constexpr double kContextEndInset = 12;

std::shared_ptr<ui::Label> whiteLabel(const ui::Font& font, const std::string& text)
{
    auto label = ui::View::make<ui::Label>();
    label->setFont(font);
    label->setTextColor(ui::Color::whiteColor());
    label->setText(text);
    return label;
}

} // namespace

RIVideoBubbleView::RIVideoBubbleView()
{
    build();
}

RIVideoBubbleView::RIVideoBubbleView(const ui::Rect& frame)
    : RIBaseBubbleView(frame)
{
    build();
}

void RIVideoBubbleView::build()
{
    backImageView()->setClipsToBounds(true);
    m_labelContext = whiteLabel(appFont(AppFont::MoneyCardText), "");
    addSubview(m_labelContext);
    m_receView = View::make<RIMoneyPillView>(RIMoneyPillView::Look { "QYMoneyIcon.png", 4, 0.15, 13, appColor(AppColor::MessengerMoneyAccent) });
    addSubview(m_receView);
    m_tranText = whiteLabel(appFont(AppFont::MoneyCardText), "转账给你");
    addSubview(m_tranText);
    m_markIcon = whiteLabel(appFont(AppFont::MoneyCardText), "￥");
    addSubview(m_markIcon);
    m_tranNum = whiteLabel(appFont(AppFont::MoneyCardAmount), "0.10");
    addSubview(m_tranNum);
    isHidden(true);
}

void RIVideoBubbleView::isHidden(bool flag)
{
    m_tranText->setHidden(flag);
    m_markIcon->setHidden(flag);
    m_tranNum->setHidden(flag);
}

void RIVideoBubbleView::setClock(std::shared_ptr<QYChatModel> clock)
{
    RIBaseBubbleView::setClock(clock);
    if (!clock)
        return;
    bool isSend = clock->isSend();
    bool isMoney = clock->type() == QYChatModel::RedPacket || clock->type() == QYChatModel::Transfer;
    if (isMoney) {
        auto card = RIMoneyRules::cardImage(1, clock->type(), isSend, clock->isGet(), clock->isTran());
        backImageView()->setImage(ui::Image::named(card));
    }
    bool isTransfer = clock->type() == QYChatModel::Transfer;
    isHidden(!isTransfer);
    if (isTransfer) {
        m_tranNum->setText(RIMoneyRules::messengerAmount(RIMoneyRules::textOf(clock->redPac())));
        m_tranText->setText(RIMoneyRules::transferCaption(isSend, clock->isGet(), clock->isTran(), RIMoneyRules::textOf(clock->heNickName())));
    }
    // A reused cell's bubble may have shown a taken packet before.
    bool showsPill = clock->type() == QYChatModel::RedPacket && clock->isGet();
    m_receView->setHidden(!showsPill);
    if (showsPill)
        m_receView->setLine(RIMoneyRules::pillText(isSend, RIMoneyRules::textOf(clock->heNickName()), RIMoneyRules::textOf(clock->nickName()), false));
    m_labelContext->setText(RIMoneyRules::textOf(clock->context()).value_or(""));
    setNeedsLayout();
}

void RIVideoBubbleView::bubbleViewPressed()
{
    sendEvent(kRIVideoBubbleViewTapVideoEventName);
}

ui::Size RIVideoBubbleView::sizeThatFits(ui::Size size) const
{
    auto card = backImageView()->image();
    return card ? card->size() : RIBaseBubbleView::sizeThatFits(size);
}

void RIVideoBubbleView::layoutSubviews()
{
    RIBaseBubbleView::layoutSubviews();
    ui::Rect b = bounds();
    int side = clock() && clock()->isSend() ? 0 : 1;

    ui::Size context = m_labelContext->sizeThatFits({});
    double contextWidth = std::min(context.width, std::max(0.0, b.width() - kContextLeft[side] - kContextEndInset));
    m_labelContext->setFrame({ kContextLeft[side], kContextTop, contextWidth, context.height });

    double captionHeight = m_tranText->sizeThatFits({}).height;
    m_tranText->setFrame({ kTranTextLeft[side], kTranTextTop, kTranTextWidth, captionHeight });
    ui::Size mark = m_markIcon->sizeThatFits({});
    m_markIcon->setFrame({ kMarkLeft[side], m_tranText->frame().maxY() + kMarkGap, mark.width, mark.height });
    ui::Size amount = m_tranNum->sizeThatFits({});
    m_tranNum->setFrame({ m_markIcon->frame().maxX() - kAmountOverlap, m_markIcon->frame().y(), amount.width, amount.height });

    if (!m_receView->isHidden()) {
        double offset = RIMoneyRules::pillCentreOffset(ui::Screen::main().size().height, side == 0);
        m_receView->placeAt(b.midX() + offset, b.height() + RIMoneyRules::kPillGap);
    }
}
