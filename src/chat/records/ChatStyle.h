#pragma once
#include <cstdint>

// The two looks of a conversation. Records store the value as the integer
// `styleType`, so the numbers are part of the saved data and never change.
enum class ChatStyle : std::int32_t {
    Messenger = 1,
    PaymentApp = 2,
};

// Any value other than the messenger's draws the payment-app look, the way
// saved records with an unknown style have always been shown.
constexpr bool isMessenger(ChatStyle style) { return style == ChatStyle::Messenger; }
constexpr std::int32_t styleValue(ChatStyle style) { return static_cast<std::int32_t>(style); }
