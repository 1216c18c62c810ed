#include "messages/RIRingTabelViewCell.h"

#include "chat/records/QYChatModel.h"
#include "platform/Locale.h"
#include "messages/QYTranBubbleView.h"
#include "messages/RIBubbleRules.h"
#include "messages/RIImageBubbleView.h"
#include "messages/RITextBubbleView.h"
#include "messages/RIVideoBubbleView.h"
#include "messages/RIVoiceBubbleView.h"

RIRingTabelViewCell::RIRingTabelViewCell(const std::shared_ptr<QYChatModel>& message, std::string reuseIdentifier)
    : RIBaseTableViewCell(std::move(reuseIdentifier))
{
    m_isRead = View::make<ui::ImageView>(ui::Rect { 0, 0, 10, 10 });
    m_isRead->setBackgroundColor(ui::Color::redColor());
    m_isRead->setCornerRadius(5);
    if (message)
        m_bubbleView = bubbleViewForMessageModel(*message);
    if (m_bubbleView)
        contentView()->addSubview(m_bubbleView);
}

std::shared_ptr<RIBaseBubbleView> RIRingTabelViewCell::bubbleViewForMessageModel(const QYChatModel& message)
{
    switch (message.type()) {
    case QYChatModel::Voice:
    case QYChatModel::Reserved:
        return View::make<RIVoiceBubbleView>();
    case QYChatModel::Text:
        return View::make<RITextBubbleView>();
    case QYChatModel::Image:
        return View::make<RIImageBubbleView>();
    case QYChatModel::RedPacket:
    case QYChatModel::Transfer:
        if (message.styleType() == 2)
            return View::make<QYTranBubbleView>();
        return View::make<RIVideoBubbleView>();
    default:
        return nullptr;
    }
}

std::string RIRingTabelViewCell::cellIdentifierForMessageModel(const QYChatModel& message)
{
    return RIBubbleRules::cellIdentifier(message.isSend(), message.type());
}

double RIRingTabelViewCell::heightForRowAtIndexPath(ui::TableView&, const ui::IndexPath&, const QYChatModel& object)
{
    return rowHeightForMessage(object);
}

double RIRingTabelViewCell::rowHeightForMessage(const QYChatModel& message)
{
    // Only text rows measure anything.
    double textBubble = message.type() == QYChatModel::Text ? RITextBubbleView::heightForBubbleWithObject(message) : 0;
    return RIBubbleRules::rowHeight(message.type(), message.isShowDateTime(), message.isGet(), textBubble);
}

void RIRingTabelViewCell::bindWithObject(const std::shared_ptr<QYChatModel>& message, const ui::IndexPath& indexPath)
{
    if (!message)
        return;
    bool showTime = message->isShowDateTime();
    dateTime()->setHidden(!showTime);
    if (showTime && message->creatDate())
        dateTime()->setText(platform::locale::formatDate(message->creatDate()->secondsSince1970(), "HH:mm"));

    const auto& avatar = message->avatar();
    if (!avatar || avatar != m_avatarSource.lock()) {
        m_avatarSource = avatar;
        ui::ImagePtr image = avatar ? ui::Image::fromData(avatar->bytes()) : nullptr;
        // Data that is there but unreadable shows nothing, as a failed decode does.
        headView()->setImage(avatar ? image : ui::Image::named("QYAvatar.png"));
    }

    // Money rows of the two chat styles share their reuse identifiers but not
    // their bubbles; a cell handed a row of the other style changes its bubble.
    bool isMoney = message->type() == QYChatModel::RedPacket || message->type() == QYChatModel::Transfer;
    if (isMoney && m_bubbleView && (message->styleType() == 2) != bool(std::dynamic_pointer_cast<QYTranBubbleView>(m_bubbleView))) {
        m_bubbleView->removeFromSuperview();
        m_bubbleView = bubbleViewForMessageModel(*message);
        contentView()->addSubview(m_bubbleView);
    }
    if (m_bubbleView)
        m_bubbleView->setClock(message);
    m_clock = message;
    m_indexPath = indexPath;
    placeRow();
}

void RIRingTabelViewCell::placeRow()
{
    if (!m_clock)
        return;
    double width = contentView()->bounds().width();
    bool showTime = m_clock->isShowDateTime();
    if (showTime)
        dateTime()->setFrame({ (width - kTimeWidth) / 2, kTimeTop, kTimeWidth, kTimeHeight });
    else
        dateTime()->setFrame({ width / 2, kTimeTop, 0, 0 });

    bool isSend = m_clock->isSend();
    double avatarTop = showTime ? kTimeTop + kTimeHeight + kAvatarTop : kAvatarTop;
    double avatarX = isSend ? width - kAvatarSide - kAvatarSize : kAvatarSide;
    headView()->setFrame({ avatarX, avatarTop, kAvatarSize, kAvatarSize });

    if (!m_bubbleView)
        return;
    ui::Size size = m_bubbleView->sizeThatFits({});
    double bubbleX = isSend ? avatarX - kBubbleGap - size.width : avatarX + kAvatarSize + kBubbleGap;
    m_bubbleView->setFrame({ bubbleX, avatarTop, size.width, size.height });
    m_bubbleView->layoutIfNeeded();

    double resendX = isSend ? bubbleX - kBubbleGap - kResendSize : bubbleX + size.width + kBubbleGap;
    repeatBUtton()->setFrame({ resendX, avatarTop + (size.height - kResendSize) / 2, kResendSize, kResendSize });
}

void RIRingTabelViewCell::layoutSubviews()
{
    RIBaseTableViewCell::layoutSubviews();
    placeRow();
}

void RIRingTabelViewCell::headViewAction()
{
    if (auto delegate = m_delegate.lock())
        delegate->headViewTap(m_clock);
}

void RIRingTabelViewCell::repeatAction()
{
    if (auto delegate = m_delegate.lock())
        delegate->repeatSendClock(m_clock, m_indexPath, *repeatBUtton());
}
