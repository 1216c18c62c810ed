#pragma once
#include <memory>

#include "ui/ImageView.h"
#include "ui/ProgressView.h"
#include "ui/View.h"

class QYChatModel;

// The speech bubble of one message: the side's stretchable background, the
// message it shows and the tap that reports the message up the responder
// chain. Subclasses draw the content of one message kind.
class RIBaseBubbleView : public ui::View {
public:
    RIBaseBubbleView();
    explicit RIBaseBubbleView(const ui::Rect& frame);

    std::string className() const override { return "RIBaseBubbleView"; }

    const std::shared_ptr<QYChatModel>& clock() const { return m_clock; }
    // Stores the message and shows it. Subclasses call the base first, which
    // sets the side's background, then lay out their content.
    virtual void setClock(std::shared_ptr<QYChatModel> clock);

    const std::shared_ptr<ui::ImageView>& backImageView() const { return m_backImageView; }
    // Made on first read; no bubble shows it.
    const std::shared_ptr<ui::ProgressView>& progressView();
    virtual void setProgress(double) { }

    // Called by the bubble's tap recogniser, synchronously during the touch.
    // Sends this bubble's event with the message; the receiver may release
    // the bubble.
    virtual void bubbleViewPressed();

    // The height the row rule reserves for a bubble of this class.
    static double heightForBubbleWithObject(const QYChatModel& message);

    // The bubble's own size, which the cell places beside the avatar.
    ui::Size sizeThatFits(ui::Size size) const override;
    void layoutSubviews() override;

    // The side's background picture with its caps ("QYMessage_1" own side,
    // "QYMessage_2" other side).
    static ui::ImagePtr backgroundImage(bool isSend);

protected:
    // Sends a routed event carrying the message.
    void sendEvent(const char* name);

private:
    void build();

    std::shared_ptr<QYChatModel> m_clock;
    std::shared_ptr<ui::ImageView> m_backImageView;
    std::shared_ptr<ui::ProgressView> m_progressView;
};
