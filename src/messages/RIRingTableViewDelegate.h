#pragma once
#include <functional>
#include <memory>
#include <string>

#include "ui/IndexPath.h"
#include "ui/UserInfo.h"

class QYChatModel;
using QYChatModelPtr = std::shared_ptr<QYChatModel>;

// What the message list reports to its owner (the chat screen). Each member
// is called only when set, synchronously on the main queue; the owner may
// change the list's rows from inside any of them. The owner holds this object
// and gives the list a weak reference to it.
struct RIRingTableViewDelegate {
    // Required by the chat screen: an avatar was tapped.
    std::function<void(const QYChatModelPtr& clock)> headViewPressed;
    // Required by the chat screen: a bubble's routed event, name and user
    // info unchanged (the message under "KMESSAGEKEY").
    std::function<void(const std::string& eventName, const ui::UserInfo& userInfo)> bubbleViewPressed;

    // Optional. "撤回" was chosen on the row of `clock`. The owner calls
    // `finished` when it is ready for the row to go (its argument is not
    // looked at); the list then removes the row, and the owner appends the
    // notice itself.
    std::function<void(const QYChatModelPtr& clock, std::function<void(bool)> finished)> backOutClockWithClock;
    // Optional. The resend button of a row was tapped; `finished` does nothing.
    std::function<void(const QYChatModelPtr& clock, const ui::IndexPath& indexPath, std::function<void(bool)> finished)> repeatSendClock;
    // Optional. A video row asks to play; `finished` reloads the row of the
    // message it is given.
    std::function<void(const QYChatModelPtr& clock, std::function<void(const QYChatModelPtr&)> finished)> playVideoWithClock;
    // Declared for owners that want them; the list never calls these two.
    std::function<void(const QYChatModelPtr& clock, std::function<void(bool)> finished)> deleteClockWithClock;
    std::function<void(const QYChatModelPtr& clock, std::function<void(bool)> finished)> playVoiceWithClock;
};
