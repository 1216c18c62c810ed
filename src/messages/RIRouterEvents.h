#pragma once

// Names of the events the bubbles send up the responder chain, and the key of
// the message in their user info. The message list ends the chain.
inline constexpr const char* kRIBaseBubbleViewEventName = "kRIBaseBubbleView";
inline constexpr const char* kRITextBubbleViewTapTextEventName = "kRITextBubbleViewTapTextEventName";
inline constexpr const char* kRIVoiceBubbleViewTapVoiceEventName = "kRIVoiceBubbleViewTapVoiceEventName";
inline constexpr const char* kRIVideoBubbleViewTapVideoEventName = "kRIVideoBubbleViewTapVideoEventName";
inline constexpr const char* KMESSAGEKEY = "KMESSAGEKEY";
