#pragma once
#include <vector>

#include "chat/records/QYChatModel.h"
#include "composer/ChatMessageMaker.h"
#include "shell/script/ChatScript.h"

namespace shell {

// Turns a script's lines into the conversation's records the way the chat
// screen makes them as the user composes: the same maker (qualities, shared
// avatar data, the time-stamp rule), red packets and transfers as the money
// actions fill them, recalls that take the row out and append the notice, and
// the receipt row a collected transfer gets.
class ChatScriptRecords {
public:
    // `maker` holds the style and the participants the chat screen is given.
    static std::vector<QYChatModelPtr> make(const ChatScript& script, ChatMessageMaker& maker);
    // The receipt appended when `transfer` is collected at `now`.
    static QYChatModelPtr transferReceipt(ChatMessageMaker& maker, const QYChatModel& transfer, double now);
};

} // namespace shell
