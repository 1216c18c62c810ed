#pragma once
#include <memory>
#include <optional>
#include <string>

#include "chat/records/ChatStyle.h"
#include "ui/Button.h"

// The chat screen's own back button: the style's arrow and the name of the
// list the user came from, with the unread count in brackets when one is set.
struct ChatBackButton {
    // "微信(%@)"/"微信" for the messenger style, "朋友(%@)"/"朋友" for any other.
    static std::string title(ChatStyle style, const std::optional<std::string>& unReadNum);
    // Left-aligned, pulled towards the screen edge, white like the bar's tint.
    static std::shared_ptr<ui::Button> make(ChatStyle style, const std::optional<std::string>& unReadNum);
};
