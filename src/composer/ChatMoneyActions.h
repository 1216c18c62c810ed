#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "chat/records/QYChatModel.h"
#include "coding/Data.h"
#include "money/redpacket/QYRedPacViewController.h"
#include "ui/AlertView.h"
#include "ui/NavigationController.h"

// The chat screen's making of money messages: the red-packet form in a
// navigation stack of its own, the transfer prompt, and the fields each
// message carries on top of those every message gets.
namespace ChatMoneyActions {

// The red-packet form of the chat style, at the root of a new stack, ready
// to be presented. The form holds `delegate` weakly.
std::shared_ptr<ui::NavigationController> redPacketStack(int style, std::weak_ptr<QYRedPacViewControllerDelegate> delegate);

// Shows the transfer prompt: a text input on the decimal pad, "取消" and
// "发送". `send` hears the typed text on "发送" when there is any.
std::shared_ptr<ui::AlertView> showTransferPrompt(std::function<void(const std::u16string& amount)> send);

// A red packet: the amount as the form showed it, the blessing, taken at once,
// naming the other side (whoever sends it).
void fillRedPacket(QYChatModel& message, const std::string& amount, const std::string& blessing,
    const std::optional<std::string>& heNick);

// A transfer as typed, to the other side, carrying the other side's avatar.
void fillTransfer(QYChatModel& message, const std::u16string& amount, const std::optional<std::string>& heNick,
    coding::DataPtr receiveAvatar);

} // namespace ChatMoneyActions
