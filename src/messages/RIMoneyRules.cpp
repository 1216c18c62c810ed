#include "messages/RIMoneyRules.h"

#include "chat/records/QYChatModel.h"
#include "platform/PhoneValues.h"
#include "ui/graphics/AttributedString.h"

namespace RIMoneyRules {

double pillCentreOffset(double screenHeight, bool isSend)
{
    double offset;
    if (screenHeight == 480 || screenHeight == 568)
        offset = 10;
    else if (screenHeight == 667)
        offset = -15;
    else
        offset = -37;
    return isSend ? offset : -offset;
}

std::string pillText(bool isSend, const std::optional<std::string>& heNickName,
    const std::optional<std::string>& nickName, bool spaced)
{
    std::string tail = spaced ? "的 红包" : "的红包";
    if (isSend)
        return heNickName.value_or("") + "领取了你" + tail;
    return "你领取了" + nickName.value_or("") + tail;
}

std::string messengerAmount(const std::optional<std::string>& redPac)
{
    return platform::values::withCentsIfWhole(redPac.value_or(""));
}

std::string paymentAmount(const std::optional<std::string>& redPac)
{
    namespace values = platform::values;
    float amount = values::floatValue(ui::toUtf16(redPac.value_or("")));
    return values::withoutCommas(values::withoutCurrencySign(values::currencyText(amount))) + "元";
}

std::string transferCaption(bool isSend, bool isGet, bool isTran, const std::optional<std::string>& heNickName)
{
    if (isGet && !isTran)
        return "已收钱";
    return isSend ? "转账给" + heNickName.value_or("") : "转账给你";
}

std::string cardImage(int styleType, int type, bool isSend, bool isGet, bool isTran)
{
    const char* suffix = isSend ? ".png" : "_2.png";
    if (styleType == 2) {
        std::string name = type == QYChatModel::RedPacket ? "QYPay_BriberyMoneyIcon" : "QYPay_TransferIcon_Finish";
        return name + suffix;
    }
    if (type == QYChatModel::RedPacket)
        return isSend ? "QYCheck_BriberyMoneyIcon.png" : "QYBriberyMoneyIcon_2.png";
    if (isGet && !isTran)
        return std::string("QYTransferIcon_Finish") + suffix;
    return std::string("QYTransferIcon") + suffix;
}

} // namespace RIMoneyRules
