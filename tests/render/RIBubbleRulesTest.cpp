#include <gtest/gtest.h>

#include "chat/records/QYChatModel.h"
#include "render/RIBubbleRules.h"

using namespace RIBubbleRules;

namespace {

struct RowCase {
    int type;
    bool isGet;
    double withoutTime;
};

} // namespace

TEST(RIBubbleRulesTest, RowHeightsPerKindAreThirtyTwoHigherWithTheTimeLabel)
{
    // A one-line text measures below 60, so its bubble counts as 60.
    const RowCase cases[] = {
        { QYChatModel::Voice, false, 65 },
        { QYChatModel::Text, false, 65 },
        { QYChatModel::RedPacket, true, 150 },
        { QYChatModel::RedPacket, false, 107 },
        { QYChatModel::Transfer, true, 107 },
        { QYChatModel::Transfer, false, 107 },
        { QYChatModel::Reserved, false, 69 },
        { QYChatModel::Image, false, 160 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(rowHeight(c.type, false, c.isGet, 60), c.withoutTime);
        EXPECT_EQ(rowHeight(c.type, true, c.isGet, 60), c.withoutTime + 32);
    }
}

TEST(RIBubbleRulesTest, NoticesAreAlways38AndUnknownKindsTakeNoRoom)
{
    EXPECT_EQ(rowHeight(QYChatModel::RecallNotice, false, false, 0), 38);
    EXPECT_EQ(rowHeight(QYChatModel::RecallNotice, true, true, 0), 38);
    for (int type : { 0, 8, 9, -1, 100 }) {
        EXPECT_EQ(rowHeight(type, false, false, 60), 0) << type;
        EXPECT_EQ(rowHeight(type, true, false, 60), 0) << type;
    }
}

TEST(RIBubbleRulesTest, TextBubbleHeightIsSixtyUntilTheLabelReachesSixty)
{
    EXPECT_EQ(textBubbleHeight(0), 60);
    EXPECT_EQ(textBubbleHeight(24), 60);
    EXPECT_EQ(textBubbleHeight(59.99), 60);
    EXPECT_EQ(textBubbleHeight(60), 85);
    EXPECT_EQ(textBubbleHeight(100), 125);
    EXPECT_EQ(rowHeight(QYChatModel::Text, false, false, textBubbleHeight(100)), 130);
}

TEST(RIBubbleRulesTest, VoiceWidthGrowsInStepsWithTheClip)
{
    const std::pair<double, double> cases[] = {
        { 0, 70 }, { 1.0, 70 }, { 1.98, 70 }, { 2.0, 80 }, { 4.99, 80 }, { 5, 90 },
        { 6.9, 90 }, { 7, 110 }, { 9, 130 }, { 10.99, 130 }, { 11, 150 }, { 60, 150 },
    };
    for (auto [seconds, width] : cases)
        EXPECT_EQ(voiceBubbleWidth(seconds), width) << seconds;
}

TEST(RIBubbleRulesTest, VoiceTextRoundsHalvesToEven)
{
    EXPECT_EQ(voiceLengthText(1.0), "1''");
    EXPECT_EQ(voiceLengthText(1.98), "2''");
    EXPECT_EQ(voiceLengthText(2.5), "2''");
    EXPECT_EQ(voiceLengthText(3.5), "4''");
    EXPECT_EQ(voiceLengthText(3.51), "4''");
    EXPECT_EQ(voiceLengthText(60), "60''");
}

TEST(RIBubbleRulesTest, PictureLongerSideBecomes141)
{
    auto check = [](std::optional<ui::Size> picture, double width, double height) {
        ui::Size size = imageBubbleSize(picture);
        EXPECT_DOUBLE_EQ(size.width, width);
        EXPECT_DOUBLE_EQ(size.height, height);
    };
    check(ui::Size { 1000, 500 }, 141, 70.5);
    check(ui::Size { 500, 1000 }, 70.5, 141);
    check(ui::Size { 640, 640 }, 141, 141);
    check(ui::Size { 100, 4000 }, 3.525, 141);
    check(std::nullopt, 141, 141);
}

TEST(RIBubbleRulesTest, NoticeTextsNameWhoRecalled)
{
    EXPECT_EQ(noticeText(true, std::nullopt), "你撤回了一条消息");
    EXPECT_EQ(noticeText(true, "小明"), "你撤回了一条消息");
    EXPECT_EQ(noticeText(false, "小明"), "\"小明\" 撤回了一条消息");
    EXPECT_EQ(noticeText(false, ""), "\"\" 撤回了一条消息");
    EXPECT_EQ(noticeText(false, std::nullopt), "撤回了一条消息");
}

TEST(RIBubbleRulesTest, ReuseIdentifiersNameSideAndKind)
{
    EXPECT_EQ(cellIdentifier(true, QYChatModel::Text), "MessageCellSenderText");
    EXPECT_EQ(cellIdentifier(false, QYChatModel::RedPacket), "MessageCellReceiverRed");
    EXPECT_EQ(cellIdentifier(true, QYChatModel::Voice), "MessageCellSenderAudio");
    EXPECT_EQ(cellIdentifier(false, QYChatModel::Transfer), "MessageCellReceiverTran");
    EXPECT_EQ(cellIdentifier(true, QYChatModel::Reserved), "MessageCellSenderMie");
    EXPECT_EQ(cellIdentifier(false, QYChatModel::Image), "MessageCellReceiverImage");
    EXPECT_EQ(cellIdentifier(false, 9), "MessageCellReceiver");
}
