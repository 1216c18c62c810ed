#pragma once
#include <string>

#include "shell/script/ChatScript.h"

namespace shell {

// Reads chat scripts (YAML). A script names the style, device, status bar,
// both participants, the background and unread count, then the messages:
//
//   messages:
//     - me: 你好[微笑]                 # a text
//     - other: {photo: cat.jpg}        # a picture file
//     - me: {voice: 5}                 # a voice clip of 5 seconds
//     - other: {redPacket: 8.88, greeting: 恭喜发财, taken: false}
//     - me: {transfer: 100, collected: true}
//     - me: {recall: 1}                # takes back the first message
//       at: +2m                        # or "2016-11-24T09:50"; else 5 s later
//
// Throws ChatScriptError naming the line and field of the first fault.
class ChatScriptReader {
public:
    // Seconds between two lines when the second names no time.
    static constexpr double kDefaultGap = 5;
    // Where the first line is said when the script names no time: 2016-11-24 09:46:40 UTC.
    static constexpr double kDefaultStart = 1480000000.0;

    static ChatScript readFile(const std::string& path);
    // `folder` resolves the relative picture paths.
    static ChatScript readText(const std::string& text, const std::string& folder);
};

} // namespace shell
