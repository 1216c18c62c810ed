#include "money/common/MoneyAmountText.h"

#include "money/common/MoneyScreen.h"
#include "platform/PhoneValues.h"
#include "ui/graphics/AttributedString.h"

namespace values = platform::values;

namespace {

std::string currencyTextOf(const std::optional<std::string>& typed)
{
    return values::currencyText(values::floatValue(ui::toUtf16(typed.value_or(""))));
}

} // namespace

std::string MoneyAmountText::withoutSign(const std::optional<std::string>& currencyText)
{
    std::size_t signLength = MoneyScreen::systemBelow("9.3") ? 2 : 1;
    return values::substringFromIndex(currencyText.value_or(""), signLength);
}

std::string MoneyAmountText::transferAmount(const std::optional<std::string>& typed)
{
    return typed ? values::withCentsIfWhole(*typed) : std::string {};
}

std::string MoneyAmountText::billAmount(const std::optional<std::string>& typed, const std::string& prefix)
{
    return values::withoutCommas(prefix + values::substringFromIndex(currencyTextOf(typed), 1));
}

std::string MoneyAmountText::billPaymentAmount(const std::optional<std::string>& typed)
{
    return values::substringFromIndex(currencyTextOf(typed), 1);
}
