// Both opened red packet pages as the chat screen pushes them: what they show
// for the inputs a message may carry, where it sits on each screen class, and
// the bar they leave behind.
#include "money/MoneyPageTest.h"

#include <regex>

#include "money/common/MoneyTitleView.h"
#include "money/opened/QYAliRedViewController.h"
#include "money/opened/QYCheckRedPacViewController.h"
#include "ui/NavigationBar.h"
#include "ui/Screen.h"

using namespace ui;

namespace {

struct Inputs {
    std::optional<std::string> amount;
    std::optional<std::string> nick;
    bool avatar = true;
};

} // namespace

class OpenedRedPacketPagesTest : public MoneyPageTest {
protected:
    std::shared_ptr<QYCheckRedPacViewController> openMessenger(const Inputs& in)
    {
        auto page = std::make_shared<QYCheckRedPacViewController>();
        page->setAvatarHe(in.avatar ? Image::fromData(jpegOf(40, 40, 200)->bytes()) : nullptr);
        page->setNumString(in.amount);
        page->setContextString("恭喜发财，大吉大利！");
        page->setNick(in.nick);
        return push(page);
    }
    std::shared_ptr<QYAliRedViewController> openPaymentApp(const Inputs& in, std::optional<double> date = 1480000000)
    {
        auto page = std::make_shared<QYAliRedViewController>();
        page->setAvatarHe(in.avatar ? Image::fromData(jpegOf(40, 40, 200)->bytes()) : nullptr);
        page->setNumString(in.amount);
        page->setContextString("恭喜发财，万事如意！");
        page->setNick(in.nick);
        page->setCreatDate(date);
        return push(page);
    }
};

TEST_F(OpenedRedPacketPagesTest, WhatEachPageShowsForTheMessagesInputs)
{
    struct Case { Inputs in; std::string messengerName, messengerAmount, paymentName, paymentAmount; };
    for (const auto& [in, messengerName, messengerAmount, paymentName, paymentAmount] : std::initializer_list<Case> {
             { { "¥5.00", "李华" }, "李华的红包", "5.00", "李华", "5.00" },
             { { "¥1,234.50", "小明" }, "小明的红包", "1,234.50", "小明", "1234.50" },
             { { "¥", std::nullopt, false }, "请先设置昵称", "", "请先设置昵称", "" },
             { { std::nullopt, "" }, "的红包", "", "", "" },
         }) {
        SCOPED_TRACE(in.amount.value_or("(absent)"));
        auto messenger = openMessenger(in);
        EXPECT_EQ(textOf(messenger->nameLabel()), messengerName);
        EXPECT_EQ(textOf(messenger->money()), messengerAmount);
        EXPECT_EQ(textOf(messenger->context()), "恭喜发财，大吉大利！");
        EXPECT_EQ(textOf(messenger->unitLabel()), "元");
        // Without an avatar the circle stays grey.
        EXPECT_EQ(messenger->avatar()->image() != nullptr, in.avatar);
        EXPECT_EQ(messenger->avatar()->backgroundColor(), Color::grayColor());
        navigation->popViewController(false);

        auto payment = openPaymentApp(in);
        EXPECT_EQ(textOf(payment->nameLabel()), paymentName);
        EXPECT_EQ(textOf(payment->money()), paymentAmount);
        EXPECT_EQ(payment->avatar()->image() != nullptr, in.avatar);
        navigation->popViewController(false);
    }
}

TEST_F(OpenedRedPacketPagesTest, MessengerPageGeometryOnEveryScreenClass)
{
    struct Case { const char* device; const char* background; double titleWidth; };
    for (const auto& [device, background, titleWidth] : std::initializer_list<Case> {
             { "iphone4", "QYOpen_Money_iphone4", 114 }, { "iphone5", "QYOpen_Money_iphone5", 114 },
             { "iphone6", "QYOpen_Money", 150 }, { "iphone6plus", "QYOpen_Money", 150 } }) {
        SCOPED_TRACE(device);
        open(device);
        auto page = openMessenger({ "¥88.88", "一个很长很长很长很长很长很长的昵称" });
        auto root = page->view();
        double w = Screen::main().size().width;
        EXPECT_EQ(root->frameInScreen(), (Rect { 0, 64, w, Screen::main().size().height - 64 }));
        EXPECT_EQ(page->backgroundView()->frame(), root->bounds());
        EXPECT_EQ(page->backgroundView()->image()->name(), std::string(background) + ".png");
        EXPECT_EQ(page->titleView()->frame().width(), titleWidth);

        EXPECT_EQ(page->avatar()->frame(), (Rect { w / 2 - 30, 30, 60, 60 }));
        EXPECT_EQ(page->avatar()->cornerRadius(), 30);
        Rect name = page->nameLabel()->frame();
        EXPECT_EQ(name.x(), w / 2 - 75);
        EXPECT_EQ(name.y(), 100);
        EXPECT_EQ(name.width(), 150); // the long name is cut in its middle
        EXPECT_EQ(page->nameLabel()->lineBreakMode(), LineBreakMode::TruncateMiddle);
        Rect context = page->context()->frame(), money = page->money()->frame(), unit = page->unitLabel()->frame();
        EXPECT_EQ(context.y(), name.maxY() + 8);
        EXPECT_DOUBLE_EQ(context.midX(), w / 2);
        EXPECT_EQ(money.y(), context.maxY() + 11);
        EXPECT_DOUBLE_EQ(money.midX(), w / 2);
        EXPECT_EQ(unit.x(), money.maxX() + 3);
        EXPECT_EQ(unit.y(), context.maxY() + 54);
        // The unit sits on the amount's baseline region, inside its height.
        EXPECT_GT(unit.maxY(), money.midY());
        EXPECT_LE(unit.maxY(), money.maxY());
    }
}

TEST_F(OpenedRedPacketPagesTest, PaymentAppPageGeometryAndNumberAtItsFoot)
{
    struct Case { const char* device; const char* background; double avatarTop, footGap; };
    for (const auto& [device, background, avatarTop, footGap] : std::initializer_list<Case> {
             { "iphone4", "QYPay_Openmoney_iphone4", 20, 2 }, { "iphone5", "QYPay_Openmoney_iphone5", 20, 10 },
             { "iphone6", "QYPay_Openmoney", 40, 10 }, { "iphone6plus", "QYPay_Openmoney", 40, 10 } }) {
        SCOPED_TRACE(device);
        open(device);
        auto page = openPaymentApp({ "¥1,000.00", "小明" });
        auto root = page->view();
        double w = Screen::main().size().width;
        EXPECT_EQ(page->backgroundView()->image()->name(), std::string(background) + ".png");
        EXPECT_EQ(page->avatar()->frame(), (Rect { w / 2 - 37.5, avatarTop, 75, 75 }));
        Rect name = page->nameLabel()->frame(), context = page->context()->frame();
        Rect money = page->money()->frame(), unit = page->unitLabel()->frame(), code = page->codeLabel()->frame();
        EXPECT_EQ(name.y(), avatarTop + 85);
        EXPECT_EQ(context.y(), name.maxY() + 8);
        EXPECT_EQ(money.y(), context.maxY() + 22);
        EXPECT_DOUBLE_EQ(money.midX(), w / 2 - 4);
        EXPECT_EQ(page->money()->textColor(), Color::rgb(238, 83, 71));
        EXPECT_EQ(unit.x(), money.maxX() + 3);
        EXPECT_EQ(unit.y(), context.maxY() + 66);
        EXPECT_DOUBLE_EQ(code.maxY(), root->bounds().height() - footGap);
        EXPECT_DOUBLE_EQ(code.midX(), w / 2);
        EXPECT_TRUE(std::regex_match(textOf(page->codeLabel()), std::regex("红包编号：20161124[0-8]{28}")));
    }
}

TEST_F(OpenedRedPacketPagesTest, EveryOpeningDrawsANewNumber)
{
    std::string first = textOf(openPaymentApp({ "¥1.00", "小明" })->codeLabel());
    navigation->popViewController(false);
    std::string second = textOf(openPaymentApp({ "¥1.00", "小明" })->codeLabel());
    EXPECT_NE(first, second);
    EXPECT_EQ(first.substr(0, first.size() - 28), second.substr(0, second.size() - 28));
}

TEST_F(OpenedRedPacketPagesTest, BarsTheyShowAndTheBackButton)
{
    auto bar = navigation->navigationBar();
    // The messenger page's red bar and golden arrow are checked in its pixels (the look test).
    auto messenger = openMessenger({ "¥1.00", "小明" });
    EXPECT_EQ(messenger->titleView()->titleLabel()->text(), "微信红包");
    EXPECT_EQ(messenger->titleView()->subtitleLabel()->text(), "微信安全支付");
    EXPECT_EQ(messenger->titleView()->titleLabel()->textColor(), Color::rgb(253, 220, 162));
    EXPECT_EQ(messenger->backButton()->currentTitle(), "返回");
    tapView(messenger->backButton());
    EXPECT_EQ(top(), chatStandIn);

    auto payment = openPaymentApp({ "¥1.00", "小明" });
    EXPECT_EQ(bar->backgroundImage()->name(), "QYPay_Money_Navigation_bar_2.png");
    EXPECT_EQ(bar->tintColor(), Color::rgb(253, 220, 162)) << "the page sets no tint of its own";
    EXPECT_EQ(payment->title(), "支付宝红包");
    EXPECT_EQ(payment->backButton()->imageForState(StateNormal)->name(), "QYPay_Arrow.png");
    EXPECT_EQ(payment->backButton()->titleLabel()->font().pointSize(), 14);
    EXPECT_EQ(payment->backButton()->frame().width(), 84);
    tapView(payment->backButton());
    EXPECT_EQ(top(), chatStandIn);
}
