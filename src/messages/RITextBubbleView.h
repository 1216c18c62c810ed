#pragma once
#include "input/label/QYEmojiLabel.h"
#include "messages/RIBaseBubbleView.h"

// The bubble of a text message: the text with inline emoji pictures, wrapped
// at 200 points, 8 points from the bubble's plain side and 18 from its tail.
class RITextBubbleView : public RIBaseBubbleView {
public:
    // Horizontal room between the bubble's edges and its label.
    static constexpr double kPlainSideInset = 8;
    static constexpr double kTailSideInset = 18;
    static constexpr double kVerticalInset = 5;

    RITextBubbleView();
    explicit RITextBubbleView(const ui::Rect& frame);

    std::string className() const override { return "RITextBubbleView"; }

    const std::shared_ptr<QYEmojiLabel>& textLabel() const { return m_textLabel; }

    void setClock(std::shared_ptr<QYChatModel> clock) override;
    void bubbleViewPressed() override;

    // The row rule's height for a text: the label measured at 200, 60 at least.
    static double heightForBubbleWithObject(const QYChatModel& message);

    // The label's natural size plus the insets, at most 226 wide.
    ui::Size sizeThatFits(ui::Size size) const override;
    void layoutSubviews() override;

    // The emoji table a message's style uses: "Emotion" for the messenger
    // style, "BaseEmotion" for any other.
    static std::string emojiPlistName(int styleType);
    // Sets up a label as the bubble draws and measures text.
    static void configureLabel(QYEmojiLabel& label, const QYChatModel& message);

private:
    void build();

    std::shared_ptr<QYEmojiLabel> m_textLabel;
};
