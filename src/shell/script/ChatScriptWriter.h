#pragma once
#include <string>

#include "chat/records/ChatStyle.h"

namespace shell {

// Writes the saved conversation of one chat style back as a chat script, so a
// chat composed in the window can be edited as text and rendered again. The
// pictures (avatars, background, photos) go next to the script as JPEG files
// named after it; times are written as absolute local times.
class ChatScriptWriter {
public:
    // Reads the store of the current home folder. Returns an error message,
    // empty on success; nothing is written when there is no saved chat.
    static std::string write(ChatStyle style, const std::string& scriptPath);
};

} // namespace shell
