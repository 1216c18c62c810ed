#include "shell/script/ChatScriptRecords.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "composer/ChatMoneyActions.h"
#include "composer/ChatVoiceClip.h"
#include "money/redpacket/QYRedPacViewController.h"
#include "money/redpacket/RedPacketAmountText.h"
#include "ui/graphics/Image.h"

namespace shell {

QYChatModelPtr ChatScriptRecords::transferReceipt(ChatMessageMaker& maker, const QYChatModel& transfer, double now)
{
    // The rule is asked about the transfer's own date, as collecting does.
    double transferDate = transfer.creatDate() ? transfer.creatDate()->secondsSince1970() : now;
    auto receipt = maker.message(QYChatModel::Transfer, !transfer.isSend(), transferDate, true, true);
    receipt->setCreatDate(coding::Date::make(now));
    receipt->setRedPac(transfer.redPac());
    receipt->setContext(coding::String::make(""));
    receipt->setIsGet(true);
    receipt->setIsTran(false);
    return receipt;
}

std::vector<QYChatModelPtr> ChatScriptRecords::make(const ChatScript& script, ChatMessageMaker& maker)
{
    std::vector<QYChatModelPtr> rows;
    // The record each line made, for recalls.
    std::vector<QYChatModelPtr> made(script.lines.size());
    int style = styleValue(script.style);
    for (std::size_t i = 0; i < script.lines.size(); ++i) {
        const auto& line = script.lines[i];
        QYChatModelPtr record;
        switch (line.kind) {
        case ChatScript::Kind::Text:
            record = maker.text(line.isSend, line.date, line.text);
            break;
        case ChatScript::Kind::Photo: {
            std::vector<std::uint8_t> jpeg;
            if (script.picturesAsSaved) {
                std::ifstream in(line.photoPath, std::ios::binary);
                jpeg.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            } else if (auto picture = ui::Image::fromPhotoFile(line.photoPath)) {
                jpeg = picture->jpegData(1.0);
            }
            record = maker.picture(line.isSend, line.date, std::move(jpeg));
            break;
        }
        case ChatScript::Kind::Voice:
            record = maker.voice(line.isSend, line.date, ChatVoiceClip::newPath(), line.seconds);
            break;
        case ChatScript::Kind::RedPacket: {
            record = maker.message(QYChatModel::RedPacket, line.isSend, line.date, true, true);
            std::string amount = RedPacketAmountText::preview(line.amount).utf8();
            std::string greeting = line.greeting.empty() ? QYRedPacViewController::defaultBlessing(style) : line.greeting;
            ChatMoneyActions::fillRedPacket(*record, amount, greeting, maker.heNick());
            record->setIsGet(line.taken);
            break;
        }
        case ChatScript::Kind::Transfer:
            record = maker.message(QYChatModel::Transfer, line.isSend, line.date, true, true);
            ChatMoneyActions::fillTransfer(*record, line.amount, maker.heNick(),
                maker.avatarData(false, ChatMessageMaker::kMessageAvatarQuality));
            break;
        case ChatScript::Kind::Recall: {
            const auto& recalled = made[line.recalled];
            rows.erase(std::remove(rows.begin(), rows.end(), recalled), rows.end());
            record = maker.recallNotice(line.isSend, line.date, recalled);
            break;
        }
        }
        made[i] = record;
        rows.push_back(record);
        if (line.kind == ChatScript::Kind::Transfer && line.collected) {
            record->setIsGet(true);
            rows.push_back(transferReceipt(maker, *record, line.date + 1));
        }
    }
    return rows;
}

} // namespace shell
