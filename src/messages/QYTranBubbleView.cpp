#include "messages/QYTranBubbleView.h"

#include <algorithm>

#include "chat/records/QYChatModel.h"
#include "messages/RIMoneyRules.h"
#include "messages/RIRouterEvents.h"
#include "ui/Screen.h"
#include "widgets/AppStyle.h"

namespace {

constexpr double kContextLeft[2] = { 55, 62 };
constexpr double kContextTop = 16;
constexpr double kAmountTop = 34;
constexpr double kContextEndInset = 12;

} // namespace

QYTranBubbleView::QYTranBubbleView()
{
    build();
}

QYTranBubbleView::QYTranBubbleView(const ui::Rect& frame)
    : RIBaseBubbleView(frame)
{
    build();
}

void QYTranBubbleView::build()
{
    backImageView()->setContentMode(ui::ContentMode::ScaleAspectFill);
    m_labelContext = View::make<ui::Label>();
    m_labelContext->setFont(appFont(AppFont::MoneyCardText));
    m_labelContext->setTextColor(ui::Color::whiteColor());
    m_labelContext->setText("");
    addSubview(m_labelContext);
    m_tranNum = View::make<ui::Label>();
    m_tranNum->setFont(appFont(AppFont::PaymentTransferAmount));
    m_tranNum->setTextColor(ui::Color::whiteColor());
    m_tranNum->setText("0.10");
    addSubview(m_tranNum);
    m_receView = View::make<RIMoneyPillView>(RIMoneyPillView::Look { "QYPay_MoneyIcon.png", 3, 0.12, 15, appColor(AppColor::PaymentMoneyAccent) });
    addSubview(m_receView);
}

double QYTranBubbleView::amountLeft(bool isSend)
{
    bool older = ui::Screen::main().profile().compareSystemVersion("9.3") < 0;
    if (isSend)
        return older ? 52 : 55;
    return older ? 57 : 60;
}

void QYTranBubbleView::setClock(std::shared_ptr<QYChatModel> clock)
{
    RIBaseBubbleView::setClock(clock);
    if (!clock)
        return;
    bool isSend = clock->isSend();
    bool isRedPacket = clock->type() == QYChatModel::RedPacket;
    bool isTransfer = clock->type() == QYChatModel::Transfer;
    if (isRedPacket || isTransfer)
        backImageView()->setImage(ui::Image::named(RIMoneyRules::cardImage(2, clock->type(), isSend, clock->isGet(), clock->isTran())));
    m_tranNum->setHidden(!isTransfer);
    if (isTransfer)
        m_tranNum->setText(RIMoneyRules::paymentAmount(RIMoneyRules::textOf(clock->redPac())));
    // A reused cell's bubble may have shown a taken packet before.
    bool showsPill = isRedPacket && clock->isGet();
    m_receView->setHidden(!showsPill);
    if (showsPill)
        m_receView->setLine(RIMoneyRules::pillText(isSend, RIMoneyRules::textOf(clock->heNickName()), RIMoneyRules::textOf(clock->nickName()), true));
    m_labelContext->setText(RIMoneyRules::textOf(clock->context()).value_or(""));
    setNeedsLayout();
}

void QYTranBubbleView::bubbleViewPressed()
{
    sendEvent(kRIVideoBubbleViewTapVideoEventName);
}

ui::Size QYTranBubbleView::sizeThatFits(ui::Size size) const
{
    auto card = backImageView()->image();
    return card ? card->size() : RIBaseBubbleView::sizeThatFits(size);
}

void QYTranBubbleView::layoutSubviews()
{
    RIBaseBubbleView::layoutSubviews();
    ui::Rect b = bounds();
    bool isSend = clock() && clock()->isSend();
    int side = isSend ? 0 : 1;

    ui::Size context = m_labelContext->sizeThatFits({});
    double contextWidth = std::min(context.width, std::max(0.0, b.width() - kContextLeft[side] - kContextEndInset));
    m_labelContext->setFrame({ kContextLeft[side], kContextTop, contextWidth, context.height });
    ui::Size amount = m_tranNum->sizeThatFits({});
    m_tranNum->setFrame({ amountLeft(isSend), kAmountTop, amount.width, amount.height });

    if (!m_receView->isHidden()) {
        double offset = RIMoneyRules::pillCentreOffset(ui::Screen::main().size().height, isSend);
        m_receView->placeAt(b.midX() + offset, b.height() + RIMoneyRules::kPillGap);
    }
}
