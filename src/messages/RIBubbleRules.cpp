#include "messages/RIBubbleRules.h"

#include <cstdio>

#include "chat/records/QYChatModel.h"

namespace RIBubbleRules {

double textBubbleHeight(double labelHeight)
{
    return labelHeight < 60 ? 60 : labelHeight + 25;
}

double rowHeight(int type, bool showTime, bool isGet, double textBubble)
{
    double base = showTime ? kTimeLabelHeight : 0;
    switch (type) {
    case QYChatModel::Voice:
        return base + kVoiceBubbleHeight + 24;
    case QYChatModel::Text:
        return base + textBubble + 5;
    case QYChatModel::RedPacket:
        return base + (isGet ? 150 : 107);
    case QYChatModel::Transfer:
        return base + 107;
    case QYChatModel::Reserved:
        return base + kVoiceBubbleHeight + 28;
    case QYChatModel::Image:
        return base + 160;
    case QYChatModel::RecallNotice:
        return 38;
    default:
        return 0;
    }
}

double voiceBubbleWidth(double duration)
{
    if (duration < 2)
        return 70;
    if (duration < 5)
        return 80;
    if (duration < 7)
        return 90;
    if (duration < 9)
        return 110;
    if (duration < 11)
        return 130;
    return 150;
}

std::string voiceLengthText(double duration)
{
    // printf's "%.f" rounds exact halves to even, as the phone's formatter does.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.f''", duration);
    return buffer;
}

ui::Size imageBubbleSize(std::optional<ui::Size> picture)
{
    if (!picture)
        return { kImageSide, kImageSide };
    double w = picture->width, h = picture->height;
    if (h > w)
        return { w * kImageSide / h, kImageSide };
    if (h < w)
        return { kImageSide, h * kImageSide / w };
    return { kImageSide, kImageSide };
}

std::string noticeText(bool isMeRevoke, const std::optional<std::string>& heNickName)
{
    if (isMeRevoke)
        return "你撤回了一条消息";
    if (heNickName)
        return "\"" + *heNickName + "\" 撤回了一条消息";
    return "撤回了一条消息";
}

std::string cellIdentifier(bool isSend, int type)
{
    std::string identifier = isSend ? "MessageCellSender" : "MessageCellReceiver";
    switch (type) {
    case QYChatModel::Voice: return identifier + "Audio";
    case QYChatModel::Text: return identifier + "Text";
    case QYChatModel::RedPacket: return identifier + "Red";
    case QYChatModel::Transfer: return identifier + "Tran";
    case QYChatModel::Reserved: return identifier + "Mie";
    case QYChatModel::Image: return identifier + "Image";
    default: return identifier;
    }
}

} // namespace RIBubbleRules
