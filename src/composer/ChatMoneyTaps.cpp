#include "composer/ChatMoneyTaps.h"

#include "chat/records/ChatStyle.h"
#include "money/bill/QYAliTranMeViewController.h"
#include "money/bill/QYAliTranViewController.h"
#include "money/opened/QYAliRedViewController.h"
#include "money/opened/QYCheckRedPacViewController.h"
#include "money/transfer/QYPayMentViewController.h"
#include "platform/Locale.h"

namespace ChatMoneyTaps {

namespace {

constexpr const char* kDatePattern = "yyyy-MM-dd HH:mm:ss";

std::optional<std::string> textOf(const coding::StringPtr& text)
{
    return text ? std::optional(text->utf8()) : std::nullopt;
}

ui::ImagePtr pictureOf(const coding::DataPtr& data)
{
    return data ? ui::Image::fromData(data->bytes()) : nullptr;
}

std::optional<double> dateOf(const QYChatModel& message)
{
    return message.creatDate() ? std::optional(message.creatDate()->secondsSince1970()) : std::nullopt;
}

} // namespace

Action actionFor(const QYChatModel& message, bool speakerIsSend)
{
    bool transfer = message.type() == QYChatModel::Transfer;
    if (message.styleType() == styleValue(ChatStyle::PaymentApp)) {
        if (transfer)
            return message.isSend() ? Action::OpenOutgoingBill : Action::OpenIncomingBill;
        return Action::OpenPaymentRedPacket;
    }
    if (message.isSend() != speakerIsSend) {
        if (message.type() == QYChatModel::RedPacket)
            return Action::OpenRedPacket;
        return message.isGet() ? Action::OpenTransfer : Action::CollectAndOpenTransfer;
    }
    if (!transfer)
        return Action::OpenRedPacket;
    return message.isGet() ? Action::OpenTransfer : Action::RefuseOwnUncollected;
}

std::shared_ptr<ui::ViewController> pageFor(Action action, const QYChatModelPtr& message, double now)
{
    switch (action) {
    case Action::OpenOutgoingBill: {
        auto page = std::make_shared<QYAliTranMeViewController>();
        page->setModel(message);
        return page;
    }
    case Action::OpenIncomingBill: {
        auto page = std::make_shared<QYAliTranViewController>();
        page->setModel(message);
        return page;
    }
    case Action::OpenPaymentRedPacket: {
        auto page = std::make_shared<QYAliRedViewController>();
        page->setAvatarHe(pictureOf(message->avatar()));
        page->setNumString(textOf(message->redPac()));
        page->setContextString(textOf(message->context()));
        page->setNick(textOf(message->nickName()));
        page->setCreatDate(dateOf(*message));
        return page;
    }
    case Action::OpenRedPacket: {
        auto page = std::make_shared<QYCheckRedPacViewController>();
        page->setAvatarHe(pictureOf(message->avatar()));
        page->setNumString(textOf(message->redPac()));
        page->setContextString(textOf(message->context()));
        page->setNick(textOf(message->nickName()));
        return page;
    }
    case Action::CollectAndOpenTransfer:
    case Action::OpenTransfer: {
        auto page = std::make_shared<QYPayMentViewController>();
        auto created = dateOf(*message);
        page->setCreatStr(created ? std::optional(platform::locale::formatDate(*created, kDatePattern)) : std::nullopt);
        page->setReceStr(platform::locale::formatDate(now, kDatePattern));
        page->setNum(textOf(message->redPac()));
        return page;
    }
    case Action::RefuseOwnUncollected:
        break;
    }
    return nullptr;
}

} // namespace ChatMoneyTaps
