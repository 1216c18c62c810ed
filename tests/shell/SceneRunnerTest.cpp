#include "ShellTest.h"

#include <vector>

#include "platform/MainQueue.h"

namespace {

// Notes the virtual time of each of its layouts.
class TimedLayoutView : public ui::View {
public:
    using View::View;
    void layoutSubviews() override { times.push_back(platform::MainQueue::shared().now()); }
    std::vector<double> times;
};

} // namespace

class SceneRunnerTest : public ShellTest { };

TEST_F(SceneRunnerTest, AnIdleWaitFiresTimersOnTimeAndLaysOutOnlyAtTheFrameAfterEach)
{
    std::shared_ptr<TimedLayoutView> view;
    std::shared_ptr<platform::Timer> timer;
    std::vector<double> fired;
    play(R"({"actions": []})", [&](ui::Window& window) {
        view = std::make_shared<TimedLayoutView>(ui::Rect { 0, 0, 50, 50 });
        window.addSubview(view);
        timer = platform::Timer::scheduled(0.7, true, [&](platform::Timer&) {
            fired.push_back(platform::MainQueue::shared().now());
            view->setNeedsLayout();
        });
    });
    double start = platform::MainQueue::shared().now();
    fired.clear();
    view->times.clear();

    runner->pass(60);
    EXPECT_NEAR(platform::MainQueue::shared().now(), start + 60, 1e-6);
    ASSERT_FALSE(fired.empty());
    double firstFire = fired.front();
    EXPECT_LE(firstFire, start + 0.7);
    EXPECT_GT(fired.back() + 0.7, start + 60) << "every fire due within the wait happened";
    ASSERT_EQ(view->times.size(), fired.size()) << "nothing else marked the view, so nothing else lays it out";
    for (std::size_t i = 0; i < fired.size(); ++i) {
        EXPECT_NEAR(fired[i], firstFire + 0.7 * double(i), 1e-4) << "timers keep their grid";
        // Laid out at the end of the frame the timer fired in.
        EXPECT_GE(view->times[i], fired[i]) << i;
        EXPECT_LE(view->times[i], fired[i] + shell::SceneRunner::kFrameSeconds + 1e-9) << i;
    }
    timer->invalidate();
}
