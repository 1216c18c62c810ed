#include "support/PhoneTest.h"

#include "ui/Button.h"
#include "ui/ScrollView.h"
#include "ui/Window.h"

#include <string>
#include <vector>

using namespace ui;

class ScrollViewTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        window = std::make_shared<Window>();
        window->makeKeyAndVisible();
        scroll = std::make_shared<ScrollView>(Rect { 0, 0, 375, 600 });
        scroll->setContentSize({ 375, 2000 });
        window->addSubview(scroll);
    }
    std::shared_ptr<Window> window;
    std::shared_ptr<ScrollView> scroll;
};

TEST_F(ScrollViewTest, DragMovesContentAndFlickDecelerates)
{
    int scrolled = 0, ended = 0;
    scroll->didScroll = [&](ScrollView&) { ++scrolled; };
    scroll->didEndDecelerating = [&](ScrollView&) { ++ended; };
    // A drag that stops before the finger lifts leaves the content where it is.
    auto& app = Application::shared();
    app.touchDown({ 200, 500 });
    for (int i = 1; i <= 10; ++i) {
        advance(0.05);
        app.touchMove({ 200, 500 - 20.0 * i });
    }
    advance(0.1);
    app.touchMove({ 200, 300 });
    app.touchUp({ 200, 300 });
    advance(2);
    EXPECT_NEAR(scroll->contentOffset().y, 200, 1e-6);
    EXPECT_GT(scrolled, 0);
    EXPECT_EQ(ended, 0);

    drag({ 200, 500 }, { 200, 300 }, 4, 0.08); // fast flick
    double afterDrag = scroll->contentOffset().y;
    advance(5);
    EXPECT_GT(scroll->contentOffset().y, afterDrag + 100);
    EXPECT_LE(scroll->contentOffset().y, scroll->maximumOffset().y);
    EXPECT_EQ(ended, 1);
}

TEST_F(ScrollViewTest, PullingPastTheTopBouncesBack)
{
    Application::shared().touchDown({ 200, 100 });
    for (int i = 1; i <= 10; ++i) {
        advance(0.1);
        Application::shared().touchMove({ 200, 100 + 20.0 * i });
    }
    EXPECT_LT(scroll->contentOffset().y, -50); // rubber band: half the finger's way
    EXPECT_GT(scroll->contentOffset().y, -150);
    Application::shared().touchUp({ 200, 300 });
    advance(2);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 0);
}

TEST_F(ScrollViewTest, ContentTouchesWaitSoADragNeverPressesAButton)
{
    auto button = Button::make();
    button->setFrame({ 100, 100, 175, 100 });
    scroll->addSubview(button);
    std::vector<std::string> events;
    button->addAction(TouchDown, [&](Control&) { events.push_back("down"); });
    button->addAction(TouchUpInside, [&](Control&) { events.push_back("up"); });
    button->addAction(TouchCancel, [&](Control&) { events.push_back("cancel"); });

    // A quick drag: the button never hears of it.
    drag({ 150, 150 }, { 150, 50 });
    EXPECT_TRUE(events.empty());
    advance(5);
    scroll->setContentOffset({ 0, 0 });

    // A quick tap still arrives whole, when the finger lifts.
    tap({ 150, 150 });
    EXPECT_EQ(events, (std::vector<std::string> { "down", "up" }));

    // A finger that rests first presses the button; the drag then takes the touch away.
    events.clear();
    auto& app = Application::shared();
    app.touchDown({ 150, 150 });
    advance(0.2);
    EXPECT_EQ(events, (std::vector<std::string> { "down" }));
    for (int i = 1; i <= 5; ++i) {
        advance(0.02);
        app.touchMove({ 150, 150 - 10.0 * i });
    }
    app.touchUp({ 150, 100 });
    EXPECT_EQ(events, (std::vector<std::string> { "down", "cancel" }));
}

TEST_F(ScrollViewTest, ContentThatMayNotBeCancelledKeepsItsTouch)
{
    auto button = Button::make();
    button->setFrame({ 100, 100, 175, 100 });
    scroll->addSubview(button);
    scroll->canCancelContentTouches = false;
    scroll->setDelaysContentTouches(false);
    int ups = 0;
    button->addAction(TouchUpInside, [&](Control&) { ++ups; });
    drag({ 150, 150 }, { 150, 120 });
    EXPECT_EQ(scroll->contentOffset().y, 0);
    EXPECT_EQ(ups, 1);
}

TEST_F(ScrollViewTest, PagingSettlesOnAPage)
{
    scroll->setContentSize({ 375 * 3, 600 });
    scroll->pagingEnabled = true;
    drag({ 300, 300 }, { 100, 300 }, 10, 1.0);
    advance(1);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().x, 375);
    drag({ 300, 300 }, { 250, 300 }, 2, 0.05); // a short quick flick still turns the page
    advance(1);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().x, 750);
}

TEST_F(ScrollViewTest, ScrollRectToVisibleMovesTheLeastNeeded)
{
    scroll->scrollRectToVisible({ 0, 900, 10, 50 }, false);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 350);
    scroll->scrollRectToVisible({ 0, 400, 10, 50 }, false);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 350);
    scroll->scrollRectToVisible({ 0, 100, 10, 50 }, true);
    advance(1);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 100);
}
