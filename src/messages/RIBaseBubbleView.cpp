#include "messages/RIBaseBubbleView.h"

#include "chat/records/QYChatModel.h"
#include "messages/RIRouterEvents.h"
#include "ui/GestureRecognizer.h"

RIBaseBubbleView::RIBaseBubbleView()
{
    build();
}

RIBaseBubbleView::RIBaseBubbleView(const ui::Rect& frame)
    : View(frame)
{
    build();
}

void RIBaseBubbleView::build()
{
    m_backImageView = View::make<ui::ImageView>(bounds());
    m_backImageView->setUserInteractionEnabled(true);
    addSubview(m_backImageView);
    // The recogniser must not keep the bubble alive through its action.
    addGestureRecognizer(std::make_shared<ui::TapGestureRecognizer>([](ui::GestureRecognizer& recognizer) {
        if (auto* bubble = dynamic_cast<RIBaseBubbleView*>(recognizer.view())) {
            auto keep = bubble->sharedView();
            bubble->bubbleViewPressed();
        }
    }));
}

ui::ImagePtr RIBaseBubbleView::backgroundImage(bool isSend)
{
    // Making a stretchable image copies the pixels, so each side's is made
    // once per picture the resources hand out (a new screen scale gives a new one).
    static ui::ImagePtr named[2];
    static ui::ImagePtr stretched[2];
    int side = isSend ? 0 : 1;
    auto image = ui::Image::named(isSend ? "QYMessage_1" : "QYMessage_2");
    if (!image)
        return nullptr;
    if (image != named[side]) {
        named[side] = image;
        stretched[side] = isSend ? image->stretchable(5, 25) : image->stretchable(25, 25);
    }
    return stretched[side];
}

void RIBaseBubbleView::setClock(std::shared_ptr<QYChatModel> clock)
{
    m_clock = std::move(clock);
    if (!m_clock)
        return;
    m_backImageView->setImage(backgroundImage(m_clock->isSend()));
}

const std::shared_ptr<ui::ProgressView>& RIBaseBubbleView::progressView()
{
    if (!m_progressView)
        m_progressView = View::make<ui::ProgressView>();
    return m_progressView;
}

void RIBaseBubbleView::bubbleViewPressed()
{
    sendEvent(kRIBaseBubbleViewEventName);
}

void RIBaseBubbleView::sendEvent(const char* name)
{
    ui::UserInfo userInfo;
    userInfo[KMESSAGEKEY] = m_clock;
    routerEventWithName(name, userInfo);
}

double RIBaseBubbleView::heightForBubbleWithObject(const QYChatModel&)
{
    return 30;
}

ui::Size RIBaseBubbleView::sizeThatFits(ui::Size) const
{
    return bounds().size;
}

void RIBaseBubbleView::layoutSubviews()
{
    m_backImageView->setFrame(bounds());
}
