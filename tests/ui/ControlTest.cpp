#include "support/PhoneTest.h"

#include <string>
#include <vector>

#include "ui/Button.h"
#include "ui/GestureRecognizer.h"
#include "ui/Window.h"

using namespace ui;

class ControlTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        window = std::make_shared<Window>();
        window->makeKeyAndVisible();
        button = Button::make();
        button->setFrame({ 100, 100, 100, 44 });
        window->addSubview(button);
        for (auto [event, name] : std::vector<std::pair<ControlEvent, std::string>> {
                 { TouchDown, "down" }, { TouchUpInside, "upInside" }, { TouchUpOutside, "upOutside" },
                 { TouchDragEnter, "enter" }, { TouchDragExit, "exit" }, { TouchCancel, "cancel" } }) {
            button->addAction(event, [this, name](Control&) { events.push_back(name); });
        }
    }
    std::shared_ptr<Window> window;
    std::shared_ptr<Button> button;
    std::vector<std::string> events;
};

TEST_F(ControlTest, DraggingOutAndBackReportsExitAndEnter)
{
    auto& app = Application::shared();
    app.touchDown({ 150, 120 });
    EXPECT_TRUE(button->isHighlighted());
    app.touchMove({ 150, 300 }); // far beyond the finger margin
    EXPECT_FALSE(button->isHighlighted());
    app.touchMove({ 150, 125 });
    app.touchMove({ 150, 400 });
    app.touchUp({ 150, 400 });
    EXPECT_EQ(events, (std::vector<std::string> { "down", "exit", "enter", "exit", "upOutside" }));
}

TEST_F(ControlTest, ActionMayReleaseItsOwnButton)
{
    std::weak_ptr<Button> weak = button;
    button->addAction(TouchUpInside, [this](Control& sender) {
        sender.removeFromSuperview();
        button.reset();
    });
    tap({ 150, 120 });
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(events, (std::vector<std::string> { "down", "upInside" }));
}

TEST_F(ControlTest, TapRecognizerAboveAButtonLeavesTheButtonItsTap)
{
    int taps = 0;
    window->addGestureRecognizer(std::make_shared<TapGestureRecognizer>([&](GestureRecognizer&) { ++taps; }));
    tap({ 150, 120 });
    EXPECT_EQ(taps, 0);
    EXPECT_EQ(events, (std::vector<std::string> { "down", "upInside" }));
    EXPECT_FALSE(button->isHighlighted());
    tap({ 20, 400 });
    EXPECT_EQ(taps, 1);
}

TEST_F(ControlTest, DisabledButtonSwallowsTouchesWithoutEvents)
{
    button->setEnabled(false);
    tap({ 150, 120 });
    EXPECT_TRUE(events.empty());
}

TEST_F(ControlTest, PerStateTitlesFallBackToNormal)
{
    button->setTitle(std::string("好"));
    button->setTitle(std::string("按下"), StateHighlighted);
    EXPECT_EQ(button->titleForState(StateSelected), "好");
    EXPECT_EQ(button->titleForState(StateHighlighted | StateSelected), "按下");
    Application::shared().touchDown({ 150, 120 });
    EXPECT_EQ(button->titleLabel()->text(), "按下");
    Application::shared().touchUp({ 150, 120 });
    EXPECT_EQ(button->titleLabel()->text(), "好");
}

class GestureTest : public PhoneTest { };

TEST_F(GestureTest, RecognizedTapCancelsTheViewsTouches)
{
    struct Recorder : View {
        using View::View;
        std::vector<std::string> log;
        void touchesBegan(const TouchList&) override { log.push_back("began"); }
        void touchesEnded(const TouchList&) override { log.push_back("ended"); }
        void touchesCancelled(const TouchList&) override { log.push_back("cancelled"); }
    };
    auto window = std::make_shared<Window>();
    window->makeKeyAndVisible();
    auto view = std::make_shared<Recorder>(Rect { 0, 0, 100, 100 });
    window->addSubview(view);
    int taps = 0;
    view->addGestureRecognizer(std::make_shared<TapGestureRecognizer>([&](GestureRecognizer&) { ++taps; }));
    tap({ 50, 50 });
    EXPECT_EQ(taps, 1);
    EXPECT_EQ(view->log, (std::vector<std::string> { "began", "cancelled" }));

    // A finger that wanders is no tap.
    drag({ 10, 10 }, { 90, 90 });
    EXPECT_EQ(taps, 1);
}

TEST_F(GestureTest, LongPressFiresAfterItsDurationOnTheVirtualClock)
{
    auto window = std::make_shared<Window>();
    window->makeKeyAndVisible();
    auto view = std::make_shared<View>(Rect { 0, 0, 100, 100 });
    window->addSubview(view);
    auto press = std::make_shared<LongPressGestureRecognizer>();
    press->setMinimumPressDuration(1.0);
    std::vector<GestureRecognizer::State> states;
    press->addAction([&](GestureRecognizer& r) { states.push_back(r.state()); });
    view->addGestureRecognizer(press);

    struct Held : View {
        using View::View;
        int cancelled = 0;
        void touchesCancelled(const TouchList&) override { ++cancelled; }
    };
    auto inner = std::make_shared<Held>(Rect { 10, 10, 50, 50 });
    view->addSubview(inner);
    auto& app = Application::shared();
    app.touchDown({ 50, 50 });
    advance(0.99);
    EXPECT_TRUE(states.empty());
    advance(0.02);
    ASSERT_EQ(states.size(), 1u);
    EXPECT_EQ(states[0], GestureRecognizer::State::Began);
    // The pressed view loses the touch as the press is recognized, not later.
    EXPECT_EQ(inner->cancelled, 1);
    app.touchUp({ 50, 50 });
    EXPECT_EQ(states.back(), GestureRecognizer::State::Ended);

    // Released early: nothing.
    states.clear();
    app.touchDown({ 50, 50 });
    advance(0.5);
    app.touchUp({ 50, 50 });
    advance(1);
    EXPECT_TRUE(states.empty());
}

TEST_F(GestureTest, ABeatenLongPressNeverFiresLater)
{
    auto window = std::make_shared<Window>();
    window->makeKeyAndVisible();
    auto outer = std::make_shared<View>(Rect { 0, 0, 300, 300 });
    auto inner = std::make_shared<View>(Rect { 50, 50, 100, 100 });
    window->addSubview(outer);
    outer->addSubview(inner);
    int innerPresses = 0, outerPresses = 0;
    auto innerPress = std::make_shared<LongPressGestureRecognizer>([&](GestureRecognizer& r) {
        innerPresses += r.state() == GestureRecognizer::State::Began;
    });
    innerPress->setMinimumPressDuration(0.5);
    auto outerPress = std::make_shared<LongPressGestureRecognizer>([&](GestureRecognizer& r) {
        outerPresses += r.state() == GestureRecognizer::State::Began;
    });
    outerPress->setMinimumPressDuration(1.0);
    inner->addGestureRecognizer(innerPress);
    outer->addGestureRecognizer(outerPress);
    Application::shared().touchDown({ 100, 100 });
    advance(2);
    Application::shared().touchUp({ 100, 100 });
    EXPECT_EQ(innerPresses, 1);
    EXPECT_EQ(outerPresses, 0);
}
