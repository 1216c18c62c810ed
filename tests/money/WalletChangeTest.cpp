// The wallet-change form and its preview, reached from the home screen.
#include "MoneyTest.h"

#include "money/common/MoneyTitleView.h"
#include "money/wallet/QYMoneyViewController.h"
#include "money/wallet/QYPreviewViewController.h"
#include "ui/NavigationBar.h"
#include "ui/Screen.h"

using namespace ui;

namespace {

std::shared_ptr<QYPreviewViewController> previewOn(const NavigationController& navigation)
{
    return std::dynamic_pointer_cast<QYPreviewViewController>(navigation.topViewController());
}

} // namespace

TEST_F(MoneyTest, WalletPreviewLaysTheAmountOverThePictureOfEachPhone)
{
    struct Phone {
        const char* device;
        double titleWidth;
        const char* picture;
        double amountTop;
    };
    for (const Phone& phone : { Phone { "iphone4", 135, "QYChange_iphone4.png", 180 }, Phone { "iphone5", 150, "QYChange.png", 180 },
             Phone { "iphone6", 150, "QYChange.png", 220 }, Phone { "iphone6plus", 150, "QYChange.png", 220 } }) {
        SCOPED_TRACE(phone.device);
        launch(phone.device);
        Size screen = Screen::main().size();
        auto wallet = openWallet();
        ASSERT_TRUE(wallet);
        EXPECT_EQ(navigation->navigationBar()->titleLabel()->text(), "设置金额");
        EXPECT_EQ(wallet->textField()->frameInScreen(), (Rect { 17, 64 + 15, screen.width - 34, 45 }));
        EXPECT_EQ(wallet->doneButton()->frameInScreen(), (Rect { 17, 64 + 80, screen.width - 34, 45 }));
        EXPECT_EQ(wallet->bannerView()->frameInScreen(), (Rect { 0, screen.height - 48, screen.width, 48 }));
        EXPECT_FALSE(wallet->doneButton()->isEnabled());

        tapAndType(wallet->textField(), u"88");
        EXPECT_TRUE(wallet->doneButton()->isEnabled());
        tapView(wallet->doneButton());
        settle();
        auto preview = previewOn(*navigation);
        ASSERT_TRUE(preview);
        EXPECT_FALSE(wallet->textField()->isFirstResponder()) << "the keyboard stays with the form";
        EXPECT_EQ(preview->amountMoney()->text(), "88.00");
        EXPECT_EQ(preview->signLabel()->text(), "￥");
        Rect amount = preview->amountMoney()->frameInScreen();
        Rect sign = preview->signLabel()->frameInScreen();
        EXPECT_DOUBLE_EQ(amount.y(), 64 + phone.amountTop);
        EXPECT_DOUBLE_EQ(amount.midX(), screen.width / 2 + 10);
        EXPECT_DOUBLE_EQ(sign.y(), amount.y());
        EXPECT_DOUBLE_EQ(sign.maxX(), amount.x() + 10);
        EXPECT_EQ(nameOf(preview->backgroundView()->image()), phone.picture);
        EXPECT_EQ(preview->backgroundView()->frameInScreen(), (Rect { 0, 64, screen.width, screen.height - 64 }));
        EXPECT_DOUBLE_EQ(preview->titleView()->width(), phone.titleWidth);
        EXPECT_EQ(preview->titleView()->titleLabel()->text(), "零钱");
        EXPECT_EQ(preview->titleView()->subtitleLabel()->text(), "微信安全支付");
        EXPECT_EQ(nameOf(navigation->navigationBar()->backgroundImage()), "QYNavigation_bar_2.png");
        EXPECT_EQ(preview->detailButton()->currentTitle(), "零钱明细");
        EXPECT_EQ(preview->backButton()->currentTitle(), "返回");

        // Back: the form keeps the amount until editing starts again.
        tapView(preview->backButton());
        settle();
        EXPECT_EQ(navigation->topViewController(), wallet);
        EXPECT_EQ(wallet->textField()->utf8Text(), "88");
        EXPECT_TRUE(wallet->doneButton()->isEnabled());
        popToHome();
    }
}

TEST_F(MoneyTest, WalletButtonFollowsTheFieldAndThePreviewShowsTheAmountAsTyped)
{
    auto wallet = openWallet();
    ASSERT_TRUE(wallet);
    // Deleting the last character disables the button again.
    tapAndType(wallet->textField(), u"8");
    EXPECT_TRUE(wallet->doneButton()->isEnabled());
    typeText(u"", 1);
    EXPECT_FALSE(wallet->doneButton()->isEnabled());
    tapView(wallet->doneButton());
    settle();
    EXPECT_EQ(navigation->topViewController(), wallet) << "a disabled button opens nothing";

    struct Typed {
        std::u16string text;
        std::string shown;
    };
    for (const Typed& typed : { Typed { u"88", "88.00" }, Typed { u".", "." }, Typed { u"12.5", "12.5" }, Typed { u"0", "0.00" },
             Typed { u"1234567", "1234567.00" }, Typed { u"3.", "3." } }) {
        // Each new edit starts on an empty field with the button off.
        tapAndType(wallet->textField(), u"");
        EXPECT_EQ(wallet->textField()->text(), u"");
        EXPECT_FALSE(wallet->doneButton()->isEnabled());
        typeText(typed.text);
        tapView(wallet->doneButton());
        settle();
        auto preview = previewOn(*navigation);
        ASSERT_TRUE(preview);
        EXPECT_EQ(preview->amountMoney()->text(), typed.shown);
        tapView(preview->backButton());
        settle();
    }
}
