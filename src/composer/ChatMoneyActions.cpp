#include "composer/ChatMoneyActions.h"

#include "ui/TextField.h"

namespace ChatMoneyActions {

namespace {

coding::StringPtr optionalText(const std::optional<std::string>& text)
{
    return text ? coding::String::make(*text) : nullptr;
}

} // namespace

std::shared_ptr<ui::NavigationController> redPacketStack(int style, std::weak_ptr<QYRedPacViewControllerDelegate> delegate)
{
    auto form = std::make_shared<QYRedPacViewController>();
    form->setDelegate(std::move(delegate));
    form->setStyle(style);
    return ui::NavigationController::make(form);
}

std::shared_ptr<ui::AlertView> showTransferPrompt(std::function<void(const std::u16string& amount)> send)
{
    auto alert = ui::AlertView::make("输入转账金额", std::nullopt, "取消", { "发送" });
    alert->setAlertViewStyle(ui::AlertView::Style::PlainTextInput);
    alert->textFieldAtIndex(0)->keyboardType = ui::KeyboardType::DecimalPad;
    alert->clickedButtonAtIndex = [send = std::move(send)](ui::AlertView& shown, int index) {
        if (index != 1 || !send)
            return;
        auto field = shown.textFieldAtIndex(0);
        if (field && !field->text().empty())
            send(field->text());
    };
    alert->show();
    return alert;
}

void fillRedPacket(QYChatModel& message, const std::string& amount, const std::string& blessing,
    const std::optional<std::string>& heNick)
{
    message.setType(QYChatModel::RedPacket);
    message.setRedPac(coding::String::make(amount));
    message.setContext(coding::String::make(blessing));
    message.setIsGet(true);
    message.setHeNickName(optionalText(heNick));
}

void fillTransfer(QYChatModel& message, const std::u16string& amount, const std::optional<std::string>& heNick,
    coding::DataPtr receiveAvatar)
{
    message.setType(QYChatModel::Transfer);
    message.setRedPac(coding::String::fromUtf16(amount));
    message.setContext(coding::String::make(""));
    message.setIsTran(true);
    message.setReceiveAvatar(std::move(receiveAvatar));
    message.setHeNickName(optionalText(heNick));
}

} // namespace ChatMoneyActions
