#pragma once
#include <memory>

#include "chat/records/QYChatModel.h"
#include "ui/ViewController.h"

// What a tap on a money bubble does in the chat: which page opens with which
// inputs, or whether the transfer is collected first or refused.
namespace ChatMoneyTaps {

enum class Action {
    // Payment-app style: a transfer opens its bill, a red packet its page.
    OpenOutgoingBill,
    OpenIncomingBill,
    OpenPaymentRedPacket,
    // Messenger style.
    OpenRedPacket,
    CollectAndOpenTransfer,
    OpenTransfer,
    // The speaker taps their own transfer that nobody has collected yet.
    RefuseOwnUncollected,
};

// The notice shown for RefuseOwnUncollected.
inline constexpr const char* kCollectHint = "切换说话状态后，再点击这里即可收钱";

// Decides by the message's style, kind, side and state and the speaker
// switch (`speakerIsSend`). Red packets are never collected.
Action actionFor(const QYChatModel& message, bool speakerIsSend);

// The page the action opens, its inputs filled from the message; `now` (the
// tap, seconds since 1970) is the transfer's receiving time. nullptr for
// RefuseOwnUncollected.
std::shared_ptr<ui::ViewController> pageFor(Action action, const QYChatModelPtr& message, double now);

} // namespace ChatMoneyTaps
