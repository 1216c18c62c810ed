#include "messages/RIVoiceBubbleView.h"

#include <algorithm>

#include "chat/records/QYChatModel.h"
#include "messages/RIBubbleRules.h"
#include "messages/RIRouterEvents.h"
#include "widgets/AppStyle.h"

RIVoiceBubbleView::RIVoiceBubbleView()
{
    build();
}

RIVoiceBubbleView::RIVoiceBubbleView(const ui::Rect& frame)
    : RIBaseBubbleView(frame)
{
    build();
}

void RIVoiceBubbleView::build()
{
    m_animationView = View::make<ui::ImageView>();
    m_animationView->setContentMode(ui::ContentMode::ScaleAspectFill);
    addSubview(m_animationView);
    m_timeLengthLabel = View::make<ui::Label>();
    m_timeLengthLabel->setFont(appFont(AppFont::VoiceLength));
    addSubview(m_timeLengthLabel);
}

void RIVoiceBubbleView::setClock(std::shared_ptr<QYChatModel> clock)
{
    RIBaseBubbleView::setClock(clock);
    if (!clock)
        return;
    if (clock->type() == QYChatModel::Reserved)
        m_timeLengthLabel->setText("3''");
    else if (clock->type() == QYChatModel::Voice)
        m_timeLengthLabel->setText(RIBubbleRules::voiceLengthText(clock->duration()));
    bool isSend = clock->isSend();
    m_timeLengthLabel->setTextColor(appColor(isSend ? AppColor::OwnVoiceLength : AppColor::OtherVoiceLength));
    m_animationView->setImage(ui::Image::named(isSend ? "QYHorn.png" : "QYHorn_2.png"));
    setImagewidthWithVoiceTimeLength(clock->duration());
    setNeedsLayout();
}

void RIVoiceBubbleView::setImagewidthWithVoiceTimeLength(double seconds)
{
    double width = RIBubbleRules::voiceBubbleWidth(seconds);
    if (width == m_width)
        return;
    m_width = width;
    setNeedsLayout();
}

void RIVoiceBubbleView::startAnimation()
{
    const auto& frames = clock() && clock()->isSend() ? m_sendAnimations : m_receiveAnimations;
    m_animating = !frames.empty();
}

void RIVoiceBubbleView::stopAnimation()
{
    m_animating = false;
}

void RIVoiceBubbleView::bubbleViewPressed()
{
    sendEvent(kRIVoiceBubbleViewTapVoiceEventName);
}

double RIVoiceBubbleView::heightForBubbleWithObject(const QYChatModel&)
{
    return RIBubbleRules::kVoiceBubbleHeight;
}

double RIVoiceBubbleView::bubbleHeight() const
{
    double label = m_timeLengthLabel->sizeThatFits({}).height + kLengthLabelTop + kLengthLabelBottom;
    auto horn = m_animationView->image();
    return std::max(label, horn ? horn->size().height : 0.0);
}

ui::Size RIVoiceBubbleView::sizeThatFits(ui::Size) const
{
    return { m_width, bubbleHeight() };
}

void RIVoiceBubbleView::layoutSubviews()
{
    RIBaseBubbleView::layoutSubviews();
    ui::Rect b = bounds();
    bool isSend = clock() && clock()->isSend();
    auto horn = m_animationView->image();
    double hornWidth = horn ? horn->size().width : 0;
    double hornX = isSend ? b.width() - kHornInset - hornWidth : kHornInset;
    m_animationView->setFrame({ hornX, 0, hornWidth, b.height() });

    double labelWidth = m_timeLengthLabel->sizeThatFits({}).width;
    double labelHeight = b.height() - kLengthLabelTop - kLengthLabelBottom;
    // The length stands outside the bubble, away from the avatar. A length of
    // two digits is wider than the 22 points outside the bubble, so it moves
    // out rather than run into the bubble.
    double labelX = isSend ? std::min(-kLengthLabelOutset, -labelWidth - kLengthLabelGap)
                           : std::max(b.width() + kLengthLabelOutset - labelWidth, b.width() + kLengthLabelGap);
    m_timeLengthLabel->setFrame({ labelX, kLengthLabelTop, labelWidth, labelHeight });
}
