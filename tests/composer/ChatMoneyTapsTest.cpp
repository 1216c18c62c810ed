// Taps on money bubbles in the chat screen, as the user makes them: which page
// opens with what, collecting a messenger transfer, the refusal of one's own
// uncollected transfer; and replacing one side's avatar from a row.
#include "ComposerTest.h"

#include "messages/RIRingTabelViewCell.h"
#include "messages/RIVideoBubbleView.h"
#include "money/bill/QYAliTranMeViewController.h"
#include "money/bill/QYAliTranViewController.h"
#include "money/opened/QYAliRedViewController.h"
#include "money/opened/QYCheckRedPacViewController.h"
#include "money/transfer/QYPayMentViewController.h"
#include "platform/Locale.h"
#include "ui/ActionSheet.h"
#include "ui/DialogButton.h"
#include "widgets/QYNoticeHUD.h"

class ChatMoneyTapsTest : public ComposerTest {
protected:
    void SetUp() override
    {
        ComposerTest::SetUp();
        platform::locale::setLocale("zh_CN");
        platform::locale::setTimeZone("Asia/Shanghai");
    }
    void speakAs(bool own)
    {
        chooseItem(own ? 0 : 1);
        EXPECT_EQ(chat->isSend(), own);
    }
    std::shared_ptr<RIRingTabelViewCell> cellOf(int row)
    {
        auto list = chat->baseTableView();
        list->scrollToRow(ui::IndexPath::forRow(row), ui::TableViewScrollPosition::Bottom, false);
        settle();
        return std::dynamic_pointer_cast<RIRingTabelViewCell>(list->cellForRow(ui::IndexPath::forRow(row)));
    }
    // Taps the bubble of `row` and returns the screen on top afterwards.
    std::shared_ptr<ui::ViewController> tapBubble(int row)
    {
        auto cell = cellOf(row);
        EXPECT_TRUE(cell);
        if (!cell)
            return nullptr;
        tapView(cell->bubbleView());
        settle();
        return navigation->topViewController();
    }
    void leavePage()
    {
        navigation->popViewController(false);
        settle();
        ASSERT_EQ(navigation->topViewController(), chat);
    }
    static std::string formatted(double seconds) { return platform::locale::formatDate(seconds, "yyyy-MM-dd HH:mm:ss"); }
};

// The other side sends a transfer; the own side taps it: the same record is
// marked taken in place, a receipt ("已收钱") follows on the own side, and the
// detail shows the transfer's date and the tap's time. A second tap opens the
// detail and appends nothing.
TEST_F(ChatMoneyTapsTest, CollectingATransferFromTheOtherSide)
{
    openChat(1);
    makeTransfer(u"100");
    auto transfer = rows().at(0);
    double sent = transfer->creatDate()->secondsSince1970();
    advance(300);
    speakAs(true);
    double tapped = clock->now();
    auto page = std::dynamic_pointer_cast<QYPayMentViewController>(tapBubble(0));
    ASSERT_TRUE(page);
    EXPECT_EQ(page->num(), "100.00");
    EXPECT_EQ(page->transferTimeLabel()->text(), "转账时间：" + formatted(sent));
    EXPECT_NE(formatted(sent), formatted(tapped));
    // Received when tapped (the tap itself takes a moment after `tapped`).
    std::string received = page->receiveTimeLabel()->text().value_or("");
    EXPECT_TRUE(received == "收钱时间：" + formatted(tapped) || received == "收钱时间：" + formatted(tapped + 1)) << received;

    auto list = rows();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], transfer) << "the same record, in its own row";
    EXPECT_TRUE(transfer->isGet());
    EXPECT_TRUE(transfer->isTran());
    const auto& receipt = list[1];
    EXPECT_EQ(receipt->type(), QYChatModel::Transfer);
    EXPECT_FALSE(receipt->isTran());
    EXPECT_TRUE(receipt->isGet());
    EXPECT_TRUE(receipt->isSend());
    EXPECT_EQ(coding::text(receipt->redPac()), u"100");
    EXPECT_GE(receipt->creatDate()->secondsSince1970(), tapped);
    EXPECT_LE(receipt->creatDate()->secondsSince1970(), clock->now());
    // The time stamp was decided by the transfer's date: none, and the
    // reference went back to it, so the next message minutes later shows one.
    EXPECT_FALSE(receipt->isShowDateTime());
    leavePage();
    auto bubble = std::dynamic_pointer_cast<RIVideoBubbleView>(cellOf(1)->bubbleView());
    ASSERT_TRUE(bubble);
    EXPECT_EQ(bubble->tranText()->text(), "已收钱");
    send(u"收到了");
    EXPECT_TRUE(rows().back()->isShowDateTime());

    // Tapping the transfer again (either side) opens the detail and changes nothing.
    for (bool own : { true, false }) {
        speakAs(own);
        EXPECT_TRUE(std::dynamic_pointer_cast<QYPayMentViewController>(tapBubble(0)));
        leavePage();
        EXPECT_EQ(rows().size(), 3u);
    }
    // The receipt itself opens the detail too.
    EXPECT_TRUE(std::dynamic_pointer_cast<QYPayMentViewController>(tapBubble(1)));
}

// One's own uncollected transfer: the error notice and nothing else; once the
// other side has taken it, it opens the detail.
TEST_F(ChatMoneyTapsTest, OwnUncollectedTransferIsRefused)
{
    openChat(1);
    speakAs(true);
    makeTransfer(u"5");
    EXPECT_EQ(tapBubble(0), chat);
    auto hud = QYNoticeHUD::sharedView();
    EXPECT_TRUE(hud->isVisible());
    EXPECT_EQ(hud->kind(), QYNoticeHUD::Kind::Error);
    EXPECT_EQ(hud->status(), "切换说话状态后，再点击这里即可收钱");
    ASSERT_EQ(rows().size(), 1u);
    EXPECT_FALSE(rows()[0]->isGet());

    speakAs(false);
    EXPECT_TRUE(std::dynamic_pointer_cast<QYPayMentViewController>(tapBubble(0)));
    leavePage();
    ASSERT_EQ(rows().size(), 2u);
    EXPECT_FALSE(rows()[1]->isSend()) << "the other side took it";
    speakAs(true);
    EXPECT_TRUE(std::dynamic_pointer_cast<QYPayMentViewController>(tapBubble(0)));
}

// Red packets open from either side and never change; payment-app transfers
// open their bill by side and are never collected.
TEST_F(ChatMoneyTapsTest, RedPacketsAndPaymentAppMoneyOpenTheirPages)
{
    for (int type : { 1, 2 }) {
        SCOPED_TRACE(type);
        openChat(type);
        makeRedPacket(u"8.8");
        speakAs(true);
        makeTransfer(u"1234.5");
        speakAs(false);
        makeTransfer(u"0.1");
        auto before = rows();
        ASSERT_EQ(before.size(), 3u);

        // The pages' own contents are checked where the pages are; here, what
        // the chat hands over.
        for (bool own : { false, true }) {
            speakAs(own);
            auto page = tapBubble(0);
            if (type == 1) {
                auto opened = std::dynamic_pointer_cast<QYCheckRedPacViewController>(page);
                ASSERT_TRUE(opened);
                EXPECT_EQ(opened->nameLabel()->text(), "小明的红包");
                EXPECT_EQ(opened->money()->text(), "8.80");
            } else {
                auto opened = std::dynamic_pointer_cast<QYAliRedViewController>(page);
                ASSERT_TRUE(opened);
                EXPECT_EQ(opened->money()->text(), "8.80");
                EXPECT_EQ(opened->codeLabel()->text().value_or("").substr(0, 23), "红包编号：" + platform::locale::formatDate(before[0]->creatDate()->secondsSince1970(), "yyyyMMdd"));
            }
            leavePage();
        }
        if (type == 2) {
            auto outgoing = std::dynamic_pointer_cast<QYAliTranMeViewController>(tapBubble(1));
            ASSERT_TRUE(outgoing);
            EXPECT_EQ(outgoing->model(), before[1]);
            leavePage();
            EXPECT_TRUE(std::dynamic_pointer_cast<QYAliTranViewController>(tapBubble(2)));
            leavePage();
        }
        auto after = rows();
        EXPECT_EQ(after.size(), 3u);
        EXPECT_TRUE(after[0]->isGet());
        EXPECT_EQ(coding::text(after[0]->redPac()), u"￥8.80");
        if (type == 2) {
            EXPECT_FALSE(after[1]->isGet());
            EXPECT_FALSE(after[2]->isGet());
        }
        popToHome();
    }
}

// A tap on an other-side avatar, "修改头像", "相册选择" and a photo: every
// other-side row (notices included) carries the photo at quality 0.001, later
// ones at 1.0, own rows keep theirs; the back button stores it.
TEST_F(ChatMoneyTapsTest, ReplacingTheOtherSidesAvatar)
{
    auto photo = albumPhoto("face.png", 120, 120, 7);
    openChat(1);
    send(u"你好");
    speakAs(true);
    send(u"在的");
    send(u"说错了");
    speakAs(false);
    send(u"晚上见");
    chooseFromRowMenu(2, "撤回"); // the notice comes from the other side, the speaker
    std::vector<std::vector<std::uint8_t>> before;
    for (const auto& row : rows())
        before.push_back(bytesOf(row->avatar()));
    ASSERT_EQ(before.size(), 4u);

    tapView(cellOf(0)->headView());
    settle();
    auto sheet = ui::ActionSheet::visibleSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->title(), "修改头像");
    EXPECT_EQ(sheet->buttonTitleAtIndex(0), "拍照");
    EXPECT_EQ(sheet->buttonTitleAtIndex(1), "相册选择");
    tapView(sheet->buttonAtIndex(1));
    pickFromAlbum(photo);

    EXPECT_EQ(rows().back()->type(), QYChatModel::RecallNotice);
    // The chat now speaks for the other side with the photo.
    auto picture = chat->heAvatar();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixelWidth(), 120);
    EXPECT_EQ(chat->meAvatar(), meAvatar);
    auto small = picture->jpegData(0.001);
    auto after = rows();
    ASSERT_EQ(after.size(), before.size()) << "no picture message was sent";
    for (size_t i = 0; i < after.size(); ++i) {
        SCOPED_TRACE(i);
        if (after[i]->isSend())
            EXPECT_EQ(bytesOf(after[i]->avatar()), before[i]);
        else
            EXPECT_EQ(bytesOf(after[i]->avatar()), small);
    }
    send(u"换了头像");
    EXPECT_EQ(coding::text(rows().back()->context()), u"换了头像");
    EXPECT_FALSE(rows().back()->isSend());
    EXPECT_EQ(bytesOf(rows().back()->avatar()).size(), picture->jpegData(1.0).size());
    pressBack();
    EXPECT_EQ(bytesOf(storedUser(1)->heAvatar()), small);
    EXPECT_EQ(bytesOf(storedUser(1)->meAvatar()), meAvatar->jpegData(0.001));
}
