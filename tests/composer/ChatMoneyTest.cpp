// Money made on the chat screen: red packets through their form, transfers
// through the prompt, saved and shown again like the other messages.
#include "ComposerTest.h"

#include "money/redpacket/QYRedPacViewController.h"
#include "platform/Locale.h"
#include "ui/Keyboard.h"

class ChatMoneyTest : public ComposerTest {
protected:
    void SetUp() override
    {
        ComposerTest::SetUp();
        platform::locale::setLocale("zh_CN");
    }
};

// Both styles, both speakers: a packet of the form's amount text, taken at
// once, naming the other side; a transfer as typed, carrying the other
// side's avatar. An empty prompt or "取消" makes nothing.
TEST_F(ChatMoneyTest, RedPacketsAndTransfersFromBothSides)
{
    for (int type : { 1, 2 }) {
        SCOPED_TRACE(type);
        openChat(type);
        makeRedPacket(u"8.8");
        chooseItem(0);
        makeRedPacket(u"20", u"生日快乐");
        makeTransfer(u"");
        makeTransfer(u"66", 0);
        EXPECT_EQ(rows().size(), 2u);
        makeTransfer(u"66");
        chooseItem(1);
        makeTransfer(u"0.5");

        auto list = rows();
        ASSERT_EQ(list.size(), 4u);
        struct Expected {
            int kind;
            bool isSend;
            std::u16string redPac, context, nickName;
        };
        const Expected expected[] = {
            { 3, false, u"￥8.80", type == 1 ? u"恭喜发财，大吉大利！" : u"恭喜发财，万事如意！", u"小明" },
            { 3, true, u"￥20.00", u"生日快乐", u"我自己" },
            { 4, true, u"66", u"", u"我自己" },
            { 4, false, u"0.5", u"", u"小明" },
        };
        for (size_t i = 0; i < list.size(); ++i) {
            SCOPED_TRACE(i);
            const auto& row = list[i];
            EXPECT_EQ(row->type(), expected[i].kind);
            EXPECT_EQ(row->isSend(), expected[i].isSend);
            EXPECT_EQ(coding::text(row->redPac()), expected[i].redPac);
            EXPECT_EQ(coding::text(row->context()), expected[i].context);
            EXPECT_EQ(coding::text(row->nickName()), expected[i].nickName);
            EXPECT_EQ(coding::text(row->heNickName()), u"小明") << "the other side, whoever speaks";
            EXPECT_EQ(row->isGet(), row->type() == QYChatModel::RedPacket);
            EXPECT_EQ(row->isTran(), row->type() == QYChatModel::Transfer);
            EXPECT_EQ(bytesOf(row->receiveAvatar()), row->type() == QYChatModel::Transfer ? heAvatar->jpegData(1.0) : std::vector<std::uint8_t> {});
        }
        // Saved by the back button (every field's round trip is the records'
        // own test), shown again on reopening.
        pressBack();
        ASSERT_EQ(stored(type).size(), 4u);
        openChat(type);
        EXPECT_EQ(rows().size(), 4u);
        popToHome();
    }
}

// Closing the form with "关闭" makes nothing, and the chat screen takes the
// keyboard back as before.
TEST_F(ChatMoneyTest, ClosedFormMakesNothing)
{
    openChat(1);
    auto form = openRedPacketForm();
    ASSERT_TRUE(form);
    tapView(form->textPr());
    form->textPr()->insertText(u"5");
    form->navigationItem().leftBarButtonItem->action();
    settle();
    EXPECT_FALSE(chat->presentedViewController());
    EXPECT_TRUE(rows().empty());
    EXPECT_FALSE(ui::Keyboard::shared().isVisible()) << "the form's keyboard leaves with it";
    EXPECT_FALSE(form->textPr()->isFirstResponder());
    send(u"还在");
    EXPECT_EQ(rows().size(), 1u);
}
