#pragma once
#include <optional>
#include <string>
#include <vector>

#include "chat/records/ChatStyle.h"
#include "shell/scene/Scene.h"

namespace shell {

// One conversation written as text: the chat's settings, both participants and
// the messages in order, as read from a chat script. Paths are absolute and
// every line has been checked, so the records can be made without failing.
struct ChatScript {
    struct Participant {
        std::optional<std::string> nick;
        std::optional<std::string> avatarPath;
    };

    enum class Kind { Text, Photo, Voice, RedPacket, Transfer, Recall };

    struct Line {
        // Where the line starts in the file (1-based), for messages about it.
        int fileLine = 0;
        bool isSend = false;
        Kind kind = Kind::Text;
        // Seconds since 1970 when the line is said.
        double date = 0;
        std::u16string text;
        std::string photoPath;
        double seconds = 0;
        // A money line's amount as typed.
        std::u16string amount;
        std::string greeting;
        bool taken = true;
        bool collected = false;
        // The 0-based index of the recalled line.
        int recalled = -1;
    };

    std::string path;
    ChatStyle style = ChatStyle::Messenger;
    std::optional<std::string> device;
    std::optional<std::string> timeZone;
    Scene::StatusBarSettings statusBar;
    Participant me;
    Participant other;
    std::optional<std::string> backgroundPath;
    std::optional<std::string> unread;
    // Whether the picture files are JPEG data as the store keeps it (an
    // exported chat), used as they are, rather than pictures to be picked.
    bool picturesAsSaved = false;
    std::vector<Line> lines;
    // When the screenshot is taken: the last line's date.
    double now = 0;
};

} // namespace shell
