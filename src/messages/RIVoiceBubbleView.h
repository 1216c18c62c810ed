#pragma once
#include <vector>

#include "messages/RIBaseBubbleView.h"
#include "ui/Label.h"

// The bubble of a voice message: a width that grows in steps with the clip's
// length, the horn near the tail and the length in whole seconds in grey just
// outside the bubble, on the side away from the avatar.
class RIVoiceBubbleView : public RIBaseBubbleView {
public:
    // The horn's distance from the bubble's edge on the tail side, and the
    // length label's from the other edge (outside the bubble).
    static constexpr double kHornInset = 15;
    static constexpr double kLengthLabelOutset = 22;
    static constexpr double kLengthLabelTop = 12;
    static constexpr double kLengthLabelBottom = 5;
    // The least room between the length and the bubble.
    static constexpr double kLengthLabelGap = 4;

    RIVoiceBubbleView();
    explicit RIVoiceBubbleView(const ui::Rect& frame);

    std::string className() const override { return "RIVoiceBubbleView"; }

    const std::shared_ptr<ui::ImageView>& animationView() const { return m_animationView; }
    const std::shared_ptr<ui::Label>& timeLengthLabel() const { return m_timeLengthLabel; }
    // Frames of a horn animation per side; nothing fills them.
    const std::vector<ui::ImagePtr>& sendAnimations() const { return m_sendAnimations; }
    const std::vector<ui::ImagePtr>& receiveAnimations() const { return m_receiveAnimations; }

    void setClock(std::shared_ptr<QYChatModel> clock) override;
    void setImagewidthWithVoiceTimeLength(double seconds);
    double bubbleWidth() const { return m_width; }
    // Cycle the horn through the side's animation frames; with no frames the
    // horn stays as it is.
    void startAnimation();
    void stopAnimation();
    bool isAnimating() const { return m_animating; }
    void bubbleViewPressed() override;

    static double heightForBubbleWithObject(const QYChatModel& message);

    ui::Size sizeThatFits(ui::Size size) const override;
    void layoutSubviews() override;

private:
    void build();
    double bubbleHeight() const;

    std::shared_ptr<ui::ImageView> m_animationView;
    std::shared_ptr<ui::Label> m_timeLengthLabel;
    std::vector<ui::ImagePtr> m_sendAnimations;
    std::vector<ui::ImagePtr> m_receiveAnimations;
    double m_width = 20;
    bool m_animating = false;
};
