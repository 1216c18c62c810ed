#include "messages/RITextBubbleView.h"

#include <limits>

#include "chat/records/QYChatModel.h"
#include "messages/RIBubbleRules.h"
#include "messages/RIRouterEvents.h"
#include "ui/GestureRecognizer.h"
#include "widgets/AppStyle.h"

namespace {

// Emoji codes: an opening bracket, letters, digits or CJK ideographs, a closing bracket.
const std::u16string kEmojiPattern = u"\\[[a-zA-Z0-9\\u4e00-\\u9fa5]+\\]";

} // namespace

RITextBubbleView::RITextBubbleView()
{
    build();
}

RITextBubbleView::RITextBubbleView(const ui::Rect& frame)
    : RIBaseBubbleView(frame)
{
    build();
}

void RITextBubbleView::build()
{
    m_textLabel = View::make<QYEmojiLabel>();
    m_textLabel->setNumberOfLines(0);
    m_textLabel->setPreferredMaxLayoutWidth(RIBubbleRules::kTextWrapWidth);
    addSubview(m_textLabel);
    // The label's own one-second press (copy) must not take over once the
    // list's shorter press has opened the row's menu: a press that a view
    // further up already recognised is theirs, as on the phone.
    for (auto& recognizer : m_textLabel->gestureRecognizers()) {
        if (!dynamic_cast<ui::LongPressGestureRecognizer*>(recognizer.get()))
            continue;
        recognizer->shouldBegin = [](ui::GestureRecognizer& press) {
            for (ui::View* view = press.view() ? press.view()->superview() : nullptr; view; view = view->superview()) {
                for (auto& other : view->gestureRecognizers()) {
                    if (dynamic_cast<ui::LongPressGestureRecognizer*>(other.get()) && other->hasRecognized())
                        return false;
                }
            }
            return true;
        };
    }
}

std::string RITextBubbleView::emojiPlistName(int styleType)
{
    return styleType == 1 ? "Emotion" : "BaseEmotion";
}

void RITextBubbleView::configureLabel(QYEmojiLabel& label, const QYChatModel& message)
{
    label.setCustomEmojiRegex(kEmojiPattern);
    label.setCustomEmojiPlistName(emojiPlistName(message.styleType()));
    label.setIsNeedAtAndPoundSign(true);
    label.setFont(appFont(AppFont::MessageText));
    label.setLineBreakMode(ui::LineBreakMode::WordWrap);
    label.setNumberOfLines(0);
    label.setText(coding::text(message.context()));
}

void RITextBubbleView::setClock(std::shared_ptr<QYChatModel> clock)
{
    RIBaseBubbleView::setClock(clock);
    if (!clock)
        return;
    configureLabel(*m_textLabel, *clock);
    setNeedsLayout();
}

void RITextBubbleView::bubbleViewPressed()
{
    sendEvent(kRITextBubbleViewTapTextEventName);
}

double RITextBubbleView::heightForBubbleWithObject(const QYChatModel& message)
{
    // One label measures every row: set up as the bubble sets up its own, it
    // rebuilds its whole displayed text from each message, so nothing of one
    // row reaches the next; only the making of a view per row is saved. Never
    // freed, so that it outlives every row asked about at exit.
    static QYEmojiLabel* label = new QYEmojiLabel();
    configureLabel(*label, message);
    double h = label->sizeThatFits({ RIBubbleRules::kTextWrapWidth, std::numeric_limits<double>::max() }).height;
    return RIBubbleRules::textBubbleHeight(h);
}

ui::Size RITextBubbleView::sizeThatFits(ui::Size) const
{
    ui::Size label = m_textLabel->intrinsicContentSize();
    return { label.width + kPlainSideInset + kTailSideInset, label.height + 2 * kVerticalInset };
}

void RITextBubbleView::layoutSubviews()
{
    RIBaseBubbleView::layoutSubviews();
    bool isSend = clock() && clock()->isSend();
    // The tail points at the speaker's avatar: right for the own side.
    double left = isSend ? kPlainSideInset : kTailSideInset;
    double right = isSend ? kTailSideInset : kPlainSideInset;
    ui::Rect b = bounds();
    m_textLabel->setFrame({ left, kVerticalInset, b.width() - left - right, b.height() - 2 * kVerticalInset });
}
