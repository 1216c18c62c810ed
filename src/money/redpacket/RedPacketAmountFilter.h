#pragma once
#include <string>

#include "ui/graphics/Range.h"

// Decides which keystrokes the red-packet form's amount field takes. The
// messenger style keeps a typed amount at 200 or less in its whole part, with
// at most two decimals; the payment-app style only refuses a second ".".
// Texts, positions and ranges are in the phone's string units.
class RedPacketAmountFilter {
public:
    enum class Style { Messenger, PaymentApp };

    explicit RedPacketAmountFilter(Style style)
        : m_style(style)
    {
    }

    // Whether `replacement` may replace `range` of `text`. A replacement of
    // several characters (a paste, typed text from the desktop) is taken as
    // those characters typed one after another, each of which must pass.
    bool shouldChange(const std::u16string& text, ui::Range range, const std::u16string& replacement) const;

    // The rules for one keystroke inserting `inserted` at `position`.
    bool acceptsKeystroke(const std::u16string& text, std::size_t position, const std::u16string& inserted) const;

private:
    Style m_style;
};
