// The messenger transfer detail and the two payment-app bill pages with their
// nickname editor, driven as the user does.
#include "money/MoneyPageTest.h"

#include "money/bill/QYAliTranMeViewController.h"
#include "money/bill/QYAliTranViewController.h"
#include "money/bill/QYEditNickNameViewController.h"
#include "money/common/MoneyTitleView.h"
#include "money/transfer/QYPayMentViewController.h"
#include "ui/Keyboard.h"
#include "ui/NavigationBar.h"
#include "ui/Screen.h"
#include "widgets/QYNoticeHUD.h"

using namespace ui;

class TransferPagesTest : public MoneyPageTest {
protected:
    void TearDown() override
    {
        ui::Keyboard::shared().reset();
        MoneyPageTest::TearDown();
    }
    std::shared_ptr<QYPayMentViewController> openDetail(std::optional<std::string> num)
    {
        auto page = std::make_shared<QYPayMentViewController>();
        page->setNum(std::move(num));
        page->setCreatStr("2016-11-24 09:41:00");
        page->setReceStr("2016-11-24 09:45:12");
        return push(page);
    }
    template<typename Page>
    std::shared_ptr<Page> openBill(QYChatModelPtr model)
    {
        auto page = std::make_shared<Page>();
        page->setModel(std::move(model));
        return push(page);
    }
    // Taps the name, replaces the editor's text by typing and taps "保存".
    void renameTo(AliBillViewController& bill, const std::u16string& text)
    {
        tapView(bill.nickName());
        auto editor = std::dynamic_pointer_cast<QYEditNickNameViewController>(top());
        ASSERT_TRUE(editor);
        tapView(editor->textField());
        auto field = editor->textField();
        while (!field->text().empty())
            field->deleteBackward();
        field->insertText(text);
        tapView(editor->doneButton());
        EXPECT_EQ(top().get(), &bill);
    }
};

TEST_F(TransferPagesTest, DetailAmountsAndWhereTheyStand)
{
    struct Case { const char* device; std::optional<std::string> num; std::string shown; double top; const char* background; };
    for (const auto& [device, num, shown, top, background] : std::initializer_list<Case> {
             { "iphone6", "100", "100.00", 190, "WTPayment" },
             { "iphone6plus", "100.5", "100.5", 190, "WTPayment" },
             { "iphone5", "100.25", "100.25", 155, "WTPayment" },
             { "iphone4", std::nullopt, "", 190, "WTPayment_iphone4" },
         }) {
        SCOPED_TRACE(device);
        open(device);
        auto page = openDetail(num);
        auto root = page->view();
        double w = Screen::main().size().width, h = root->bounds().height();
        EXPECT_EQ(page->backgroundView()->image()->name(), std::string(background) + ".png");
        EXPECT_EQ(textOf(page->numLabel()), shown);
        EXPECT_EQ(page->num(), num ? std::optional(shown) : std::nullopt) << "the shown text is written back";
        Rect amount = page->numLabel()->frame(), sign = page->signLabel()->frame();
        EXPECT_EQ(amount.y(), top);
        EXPECT_DOUBLE_EQ(amount.midX(), w / 2 + 7);
        EXPECT_EQ(textOf(page->signLabel()), "￥");
        if (shown.empty()) {
            EXPECT_EQ(sign.y(), amount.y()) << "the sign alone keeps the amount's top";
        }
        EXPECT_DOUBLE_EQ(sign.maxX(), amount.x() + 10);
        // The times at the foot, the receiving time lowest.
        Rect received = page->receiveTimeLabel()->frame(), sent = page->transferTimeLabel()->frame();
        EXPECT_EQ(textOf(page->receiveTimeLabel()), "收钱时间：2016-11-24 09:45:12");
        EXPECT_EQ(textOf(page->transferTimeLabel()), "转账时间：2016-11-24 09:41:00");
        EXPECT_DOUBLE_EQ(received.maxY(), h - 16);
        EXPECT_DOUBLE_EQ(received.midX(), w / 2);
        EXPECT_DOUBLE_EQ(sent.maxY(), received.y() - 4);
        EXPECT_DOUBLE_EQ(sent.midX(), w / 2 - 1);
        EXPECT_EQ(page->titleView()->titleLabel()->text(), "转账详情");
        EXPECT_EQ(page->titleView()->titleLabel()->textColor(), Color::whiteColor());
        // The chat's bar stays as it is.
        EXPECT_EQ(navigation->navigationBar()->backgroundImage()->name(), "QYNavigation_bar.png");
        tapView(page->backButton());
        EXPECT_EQ(this->top(), chatStandIn);
    }
}

TEST_F(TransferPagesTest, BillAmountsNamesAndRows)
{
    struct Case { std::optional<std::string> amount; bool outgoing; std::optional<std::string> counterparty; std::string shown, name, paid; };
    for (const auto& [amount, outgoing, counterparty, shown, name, paid] : std::initializer_list<Case> {
             { "5", false, "李华", "+5.00", "李华", "" },
             { "5", true, "小明", "-5.00", "小明", "5.00" },
             { "0.1", false, "", "+0.10", "点我修改", "" },
             { "1234.5", true, "", "-1234.50", "点我修改", "1,234.50" },
             { std::nullopt, false, std::nullopt, "+0.00", "(absent)", "" },
             { std::nullopt, true, std::nullopt, "-0.00", "(absent)", "0.00" },
         }) {
        SCOPED_TRACE(amount.value_or("(absent)") + (outgoing ? " out" : " in"));
        // The incoming page names the sender (nickName), the outgoing one the receiver (heNickName).
        auto model = outgoing ? transfer(amount, true, "不是他", counterparty) : transfer(amount, false, counterparty, "不是他");
        std::shared_ptr<AliBillViewController> bill;
        if (outgoing)
            bill = openBill<QYAliTranMeViewController>(model);
        else
            bill = openBill<QYAliTranViewController>(model);
        auto root = bill->view();
        double w = Screen::main().size().width;
        EXPECT_EQ(textOf(bill->numString()), shown);
        EXPECT_EQ(textOf(bill->nickName()), name);
        Rect num = bill->numString()->frame(), avatar = bill->avatar()->frame(), nick = bill->nickName()->frame();
        EXPECT_EQ(num.origin, (Point { 18, 53 }));
        EXPECT_EQ(avatar, (Rect { 15, num.maxY() + 38, 39, 39 }));
        EXPECT_EQ(nick.x(), avatar.maxX() + 8);
        EXPECT_EQ(nick.maxX(), w - 10);
        EXPECT_DOUBLE_EQ(nick.midY(), avatar.midY());
        // Each page shows the counterparty's picture: the sender's or the receiver's.
        auto picture = bill->avatar()->image();
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->pixels().pixels[2] > 128, outgoing);
        EXPECT_EQ(textOf(bill->creatTime()), "2016-11-24 23:06");
        Rect time = bill->creatTime()->frame();
        EXPECT_EQ(time.x(), 87);
        if (auto me = std::dynamic_pointer_cast<QYAliTranMeViewController>(bill)) {
            EXPECT_EQ(textOf(me->detail()), "余额宝");
            EXPECT_EQ(me->detail()->frame().origin, (Point { 87, avatar.maxY() + 129 }));
            EXPECT_EQ(textOf(me->detailNum()), paid);
            EXPECT_EQ(me->detailNum()->frame().maxX(), w - 15);
            EXPECT_EQ(me->detailNum()->frame().y(), avatar.maxY() + 128);
            EXPECT_EQ(time.y(), me->detailNum()->frame().maxY() + 32);
        } else {
            EXPECT_EQ(time.y(), avatar.maxY() + 128);
        }
        EXPECT_EQ(bill->backgroundView()->frame(), root->bounds());
        navigation->popViewController(false);
    }
}

TEST_F(TransferPagesTest, BillBarMoreNoticeAndBackButton)
{
    auto bill = openBill<QYAliTranViewController>(transfer("5", false));
    EXPECT_EQ(bill->title(), "账单详情");
    EXPECT_EQ(NavigationBarAppearance::defaults().barTintColor, Color::rgb(58, 58, 58)) << "for bars made from now on";
    EXPECT_EQ(bill->backButton()->frame().width(), 87);
    EXPECT_EQ(bill->backButton()->titleLabel()->font().pointSize(), 14);
    EXPECT_EQ(bill->moreButton()->frame().size, (Size { 30, 30 }));
    EXPECT_EQ(bill->moreButton()->currentTitle(), "更多");

    tapView(bill->moreButton());
    auto hud = QYNoticeHUD::sharedView();
    EXPECT_TRUE(hud->isVisible());
    EXPECT_EQ(hud->status(), "点击名字可修改");
    EXPECT_EQ(hud->kind(), QYNoticeHUD::Kind::Info);
    tapView(bill->backButton());
    EXPECT_EQ(top(), chatStandIn);
}

TEST_F(TransferPagesTest, NicknameEditorRoundTrip)
{
    auto model = transfer("5", false);
    auto bill = openBill<QYAliTranViewController>(model);

    // The editor opens on the name shown, in grey, field and button in their places.
    tapView(bill->nickName());
    auto editor = std::dynamic_pointer_cast<QYEditNickNameViewController>(top());
    ASSERT_TRUE(editor);
    double w = Screen::main().size().width;
    EXPECT_EQ(editor->title(), "修改昵称");
    EXPECT_EQ(editor->textField()->utf8Text(), "李华");
    EXPECT_EQ(editor->textField()->textColor(), Color::grayColor());
    EXPECT_EQ(editor->textField()->frame(), (Rect { 17, 15, w - 34, 45 }));
    EXPECT_EQ(editor->doneButton()->frame(), (Rect { 17, 80, w - 34, 45 }));
    EXPECT_EQ(editor->doneButton()->currentTitle(), "保存");
    // "保存" unchanged hands the same name back.
    tapView(editor->doneButton());
    EXPECT_EQ(top(), bill);
    EXPECT_EQ(textOf(bill->nickName()), "李华");

    renameTo(*bill, u"华哥");
    EXPECT_EQ(textOf(bill->nickName()), "华哥");
    // An emptied field keeps the name shown.
    renameTo(*bill, u"");
    EXPECT_EQ(textOf(bill->nickName()), "华哥");
    // Leaving the editor by its back button hands back nothing.
    tapView(bill->nickName());
    std::dynamic_pointer_cast<QYEditNickNameViewController>(top())->textField()->insertText(u"不要");
    navigation->popViewController(false);
    settle();
    EXPECT_EQ(textOf(bill->nickName()), "华哥");

    // The message never changes: the page opened again shows its stored name.
    EXPECT_EQ(model->nickName()->utf8(), "李华");
    tapView(bill->backButton());
    EXPECT_EQ(textOf(openBill<QYAliTranViewController>(model)->nickName()), "李华");
}

TEST_F(TransferPagesTest, EditorWithoutAnAnsweringDelegateStillCloses)
{
    for (bool delegateAlive : { false, true }) {
        auto delegate = std::make_shared<QYEditNickNameViewControllerDelegate>(); // no doneNickName
        auto editor = std::make_shared<QYEditNickNameViewController>();
        editor->setNickName("李华");
        editor->setDelegate(delegate);
        if (!delegateAlive)
            delegate.reset();
        push(editor);
        tapView(editor->doneButton());
        EXPECT_EQ(top(), chatStandIn);
    }
}
