#include "money/redpacket/RedPacketAmountFilter.h"

#include "platform/PhoneValues.h"

namespace {

// The whole part of a messenger-style amount stays below this.
constexpr std::int64_t kAmountLimit = 201;
// Text longer than this without a "." takes no further digit.
constexpr std::size_t kWholeDigits = 2;

} // namespace

bool RedPacketAmountFilter::acceptsKeystroke(const std::u16string& text, std::size_t position, const std::u16string& inserted) const
{
    std::size_t dot = text.find(u'.');
    bool hasDot = dot != std::u16string::npos;
    if (hasDot && inserted == u".")
        return false;
    if (inserted.empty() || inserted == u".")
        return true;
    if (m_style == Style::PaymentApp)
        return true;
    if (hasDot) {
        // Unsigned on purpose: every position left of the "." wraps around to
        // a huge distance and is refused, as are the third decimal and beyond.
        std::size_t distance = position - dot;
        return distance <= 2;
    }
    if (text.size() > kWholeDigits)
        return false;
    // The check reads the text with the keystroke at its end, wherever it goes.
    return platform::values::integerValue(text + inserted) < kAmountLimit;
}

bool RedPacketAmountFilter::shouldChange(const std::u16string& text, ui::Range range, const std::u16string& replacement) const
{
    if (range.location > text.size())
        return false;
    if (replacement.size() <= 1)
        return acceptsKeystroke(text, range.location, replacement);
    // The selection goes first, as a deletion would take it; then each character in turn.
    std::u16string working = text;
    working.erase(range.location, range.length);
    std::size_t position = range.location;
    for (char16_t c : replacement) {
        std::u16string key(1, c);
        if (!acceptsKeystroke(working, position, key))
            return false;
        working.insert(position, key);
        ++position;
    }
    return true;
}
