#include "support/PhoneTest.h"

#include <vector>

#include "platform/MainQueue.h"
#include "ui/Animation.h"
#include "ui/View.h"

using namespace ui;
using platform::MainQueue;
using platform::Timer;

class TimeTest : public PhoneTest { };

TEST_F(TimeTest, QueueRunsTasksAtTheirTimesInOrder)
{
    std::vector<int> order;
    auto& queue = MainQueue::shared();
    queue.after(0.5, [&] { order.push_back(3); });
    queue.async([&] { order.push_back(1); });
    queue.after(0.2, [&] {
        order.push_back(2);
        queue.async([&] { order.push_back(25); });
    });
    auto cancelled = queue.after(0.3, [&] { order.push_back(99); });
    queue.cancel(cancelled);
    EXPECT_TRUE(order.empty()); // nothing runs synchronously
    advance(0.4);
    EXPECT_EQ(order, (std::vector<int> { 1, 2, 25 }));
    advance(0.1);
    EXPECT_EQ(order, (std::vector<int> { 1, 2, 25, 3 }));
}

TEST_F(TimeTest, RepeatingTimerFiresOnItsGridUntilInvalidated)
{
    int fired = 0;
    auto timer = Timer::scheduled(0.01, true, [&](Timer& t) {
        if (++fired == 25)
            t.invalidate();
    });
    advance(0.1);
    EXPECT_EQ(fired, 10);
    advance(1);
    EXPECT_EQ(fired, 25);

    // Dropping the last reference stops it too.
    int other = 0;
    auto second = Timer::scheduled(0.1, true, [&](Timer&) { ++other; });
    advance(0.25);
    second.reset();
    advance(1);
    EXPECT_EQ(other, 2);
}

TEST_F(TimeTest, AnimationsChangeModelAtOnceAndPresentationOverTimeFromWhereItIsDrawn)
{
    auto view = std::make_shared<View>(Rect { 0, 0, 100, 100 });
    bool done = false;
    Animation::animate(1.0, 0, AnimationCurve::Linear, [&] { view->setAlpha(0); }, [&](bool finished) { done = finished; });
    EXPECT_EQ(view->alpha(), 0);
    EXPECT_DOUBLE_EQ(view->presentationAlpha(), 1);
    advance(0.5);
    EXPECT_NEAR(view->presentationAlpha(), 0.5, 1e-4);
    EXPECT_FALSE(done);
    advance(0.5);
    EXPECT_TRUE(done);
    EXPECT_EQ(view->presentationAlpha(), 0);

    // Interrupted halfway, the new animation starts from where it is drawn.
    Animation::animate(1.0, 0, AnimationCurve::Linear, [&] { view->setAlpha(1); });
    advance(0.5);
    Animation::animate(1.0, 0, AnimationCurve::Linear, [&] { view->setAlpha(0); });
    EXPECT_NEAR(view->presentationAlpha(), 0.5, 1e-4);
    advance(0.5);
    EXPECT_NEAR(view->presentationAlpha(), 0.25, 1e-4);
}

TEST_F(TimeTest, NestedAnimationsKeepTheirOwnTimingAndDelaysHoldTheStart)
{
    auto outer = std::make_shared<View>(Rect { 0, 0, 100, 100 });
    auto inner = std::make_shared<View>(Rect { 0, 0, 100, 100 });
    std::vector<std::string> completions;
    Animation::animate(1.0, 0, AnimationCurve::Linear, [&] {
        outer->setCenter({ 150, 50 });
        Animation::animate(0.1, 0, AnimationCurve::Linear, [&] { inner->setCenter({ 150, 50 }); },
            [&](bool) { completions.push_back("inner"); });
    }, [&](bool) { completions.push_back("outer"); });
    advance(0.1);
    EXPECT_DOUBLE_EQ(inner->presentationCenter().x, 150);
    EXPECT_NEAR(outer->presentationCenter().x, 60, 1e-4);
    advance(1);
    EXPECT_EQ(completions, (std::vector<std::string> { "inner", "outer" }));

    auto delayed = std::make_shared<View>(Rect { 0, 0, 10, 10 });
    Animation::animate(0.2, 0.3, AnimationCurve::Linear, [&] { delayed->setAlpha(0); });
    advance(0.2);
    EXPECT_DOUBLE_EQ(delayed->presentationAlpha(), 1);
    advance(0.2);
    EXPECT_NEAR(delayed->presentationAlpha(), 0.5, 1e-4);
}
