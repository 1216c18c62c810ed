#include "support/PhoneTest.h"

#include "widgets/QYNoticeHUD.h"
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

TEST_F(QYNoticeHUDTest, StaysForATimeSetByTheTextUpToFiveSecondsThenFades)
{
    // 0.06 s per character plus 0.5 s, characters counted as UTF-16 units.
    struct Case { std::string text; double seconds; };
    for (const Case& c : { Case { "", 0.5 }, Case { "abc", 0.68 }, Case { "已保存到相册", 0.86 },
             Case { std::string(500, 'x'), 5 } }) {
        EXPECT_NEAR(QYNoticeHUD::displayDurationForString(c.text), c.seconds, 1e-9) << c.text;
        QYNoticeHUD::showSuccessWithStatus(c.text);
        EXPECT_EQ(QYNoticeHUD::sharedView()->superview(), nullptr); // shown on the next turn of the queue
        EXPECT_NEAR(timeOnScreen(), c.seconds + 0.15, 0.021) << c.text; // and the fade
    }
}

TEST_F(QYNoticeHUDTest, ANewMessageReplacesTheShowingOneAndRestartsTheClockWhileTouchesPassThrough)
{
    int taps = 0;
    auto button = Button::make();
    button->setFrame({ 100, 300, 175, 67 }); // under the box in the middle
    button->addAction(TouchUpInside, [&](Control&) { ++taps; });
    window->addSubview(button);
    auto hud = QYNoticeHUD::sharedView();
    QYNoticeHUD::showInfoWithStatus("点击名字可修改");
    advance(0.44);
    ASSERT_TRUE(hud->isVisible());
    tap({ 187, 333 });
    EXPECT_EQ(taps, 1);
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
