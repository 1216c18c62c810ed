#include "support/PhoneTest.h"

#include "app/support/QYNoticeHUD.h"
#include "ui/Button.h"
#include "ui/Window.h"

using namespace ui;

class QYNoticeHUDTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        window = std::make_shared<Window>();
        window->makeKeyAndVisible();
    }
    void TearDown() override
    {
        QYNoticeHUD::sharedView()->removeFromSuperview();
        PhoneTest::TearDown();
    }
    // How long the box stays in the window after the call, to 10 ms.
    double timeOnScreen()
    {
        auto hud = QYNoticeHUD::sharedView();
        double start = platform::MainQueue::shared().now();
        advance(0);
        EXPECT_EQ(hud->superview(), window.get());
        while (hud->superview() && platform::MainQueue::shared().now() - start < 10)
            advance(0.01);
        return platform::MainQueue::shared().now() - start;
    }
    std::shared_ptr<Window> window;
};

TEST_F(QYNoticeHUDTest, DisplayTimeGrowsWithTheTextUpToFiveSeconds)
{
    EXPECT_DOUBLE_EQ(QYNoticeHUD::displayDurationForString(""), 0.5);
    EXPECT_NEAR(QYNoticeHUD::displayDurationForString("abc"), 0.68, 1e-9);
    EXPECT_NEAR(QYNoticeHUD::displayDurationForString("已保存到相册"), 0.86, 1e-9);
    EXPECT_DOUBLE_EQ(QYNoticeHUD::displayDurationForString(std::string(75, 'x')), 5.0);
    EXPECT_DOUBLE_EQ(QYNoticeHUD::displayDurationForString(std::string(500, 'x')), 5.0);
}

TEST_F(QYNoticeHUDTest, ShowsThenFadesOutByItself)
{
    QYNoticeHUD::showSuccessWithStatus("已保存到相册");
    EXPECT_EQ(QYNoticeHUD::sharedView()->superview(), nullptr); // shown on the next turn of the queue
    // 0.86 s on show, then the 0.15 s fade.
    EXPECT_NEAR(timeOnScreen(), 0.86 + 0.15, 0.021);
    EXPECT_EQ(QYNoticeHUD::sharedView()->kind(), QYNoticeHUD::Kind::Success);

    QYNoticeHUD::showErrorWithStatus("");
    EXPECT_NEAR(timeOnScreen(), 0.5 + 0.15, 0.021);
}

TEST_F(QYNoticeHUDTest, ANewMessageReplacesTheShowingOneAndRestartsTheClock)
{
    auto hud = QYNoticeHUD::sharedView();
    QYNoticeHUD::showInfoWithStatus("点击名字可修改");
    advance(0.5);
    QYNoticeHUD::showErrorWithStatus("余额不能大于总金额");
    advance(0);
    EXPECT_EQ(hud->status(), "余额不能大于总金额");
    EXPECT_EQ(hud->kind(), QYNoticeHUD::Kind::Error);
    // The first message's timer would have ended at 0.92 s; the box stays for the new 1.04 s.
    advance(0.9);
    EXPECT_TRUE(hud->isVisible());
    advance(0.3);
    EXPECT_FALSE(hud->superview());
}

TEST_F(QYNoticeHUDTest, TouchesPassThroughToTheScreenBelow)
{
    int taps = 0;
    auto button = Button::make();
    button->setFrame({ 100, 300, 175, 67 }); // under the box in the middle
    button->addAction(TouchUpInside, [&](Control&) { ++taps; });
    window->addSubview(button);
    QYNoticeHUD::showInfoWithStatus("提示");
    advance(0.05);
    ASSERT_TRUE(QYNoticeHUD::sharedView()->isVisible());
    tap({ 187, 333 });
    EXPECT_EQ(taps, 1);
}
