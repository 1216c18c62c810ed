#pragma once
#include <optional>
#include <string>

#include "coding/String.h"

// The text and placement rules of the money bubbles (red packets and
// transfers), apart from their views so that they can be checked directly.
namespace RIMoneyRules {

// A stored text as UTF-8, absent when the record has none.
inline std::optional<std::string> textOf(const coding::StringPtr& text)
{
    return text ? std::optional<std::string>(text->utf8()) : std::nullopt;
}

// Gap between a bubble's bottom and the taken-red-packet pill, and its height.
constexpr double kPillGap = 15;
constexpr double kPillHeight = 25;
// Inside the pill: the icon's inset, the gap after it and the text's end inset.
constexpr double kPillIconInset = 12;
constexpr double kPillTextGap = 8;
constexpr double kPillEndInset = 8;

// How far the pill's centre lies from the bubble's centre, by the main screen's
// height (compared exactly, as the screen classes are): positive is to the right.
double pillCentreOffset(double screenHeight, bool isSend);

// The pill's line and the length of its coloured end (the last two characters).
// `spaced` is the payment-app form, with a space before "红包". The own side
// names who took it (`heNickName`); the other side names the sender (`nickName`).
std::string pillText(bool isSend, const std::optional<std::string>& heNickName,
    const std::optional<std::string>& nickName, bool spaced);

// The messenger transfer's amount: "%@.00" unless the text holds a ".".
std::string messengerAmount(const std::optional<std::string>& redPac);
// The payment-app transfer's amount: the text read as a single-precision value,
// in the locale's currency style without its sign or grouping commas, and "元".
std::string paymentAmount(const std::optional<std::string>& redPac);

// The messenger transfer's caption: "已收钱" on a receipt, "转账给%@" on an own
// transfer, "转账给你" on one from the other side.
std::string transferCaption(bool isSend, bool isGet, bool isTran, const std::optional<std::string>& heNickName);

// The card picture of a message of kind 3 or 4 by style, side and state.
std::string cardImage(int styleType, int type, bool isSend, bool isGet, bool isTran);

} // namespace RIMoneyRules
