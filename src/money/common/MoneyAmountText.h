#pragma once
#include <optional>
#include <string>

// How the money pages turn a stored amount into the text they show. Every rule
// takes what a message may hold, absent or short texts included, and never fails.
struct MoneyAmountText {
    // A red packet's amount is its currency text ("¥1,234.50"). The sign goes:
    // one character, or two on systems below 9.3; a shorter text shows empty.
    static std::string withoutSign(const std::optional<std::string>& currencyText);

    // A transfer as typed ("100", "100.5"): two zero decimals where it has no
    // "."; otherwise unchanged. Absent shows empty. Commas are never added.
    static std::string transferAmount(const std::optional<std::string>& typed);

    // A bill's amount: the typed transfer read as a 32-bit float, in the
    // locale's currency text, its sign replaced by `prefix` ("+" or "-"), every
    // grouping comma removed: "1234.5" → "-1234.50".
    static std::string billAmount(const std::optional<std::string>& typed, const std::string& prefix);

    // The outgoing bill's payment line: the same currency text without its sign,
    // commas kept: "1234.5" → "1,234.50".
    static std::string billPaymentAmount(const std::optional<std::string>& typed);
};
