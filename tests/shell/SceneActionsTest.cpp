#include "ShellTest.h"

#include <vector>

#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/MenuController.h"
#include "ui/ScrollView.h"

using namespace ui;

// A view that takes typed text, as a text field does.
class TextSink : public View {
public:
    using View::View;
    bool canBecomeFirstResponder() const override { return true; }
    bool hasKeyInput() const override { return true; }
    void insertText(const std::u16string& text) override { typed += text; }
    void deleteBackward() override
    {
        if (!typed.empty())
            typed.pop_back();
    }
    std::u16string typed;
};

// A row that shows the edit menu with two items of its own and performs them.
struct MenuRow : View {
    using View::View;
    std::vector<std::string> performed;
    bool canBecomeFirstResponder() const override { return true; }
    bool canPerformAction(const std::string& action) const override
    {
        return action == "deleteMenuAction" || action == "backOutMenuAction";
    }
    bool performAction(const std::string& action) override
    {
        if (!canPerformAction(action))
            return View::performAction(action);
        performed.push_back(action);
        return true;
    }
};

class SceneActionsTest : public ShellTest {
protected:
    // A button at `frame` that counts its touch-up-inside events in `count`.
    static std::shared_ptr<Button> countingButton(Rect frame, int& count)
    {
        auto button = Button::make(Button::Type::System);
        button->setFrame(frame);
        button->addAction(TouchUpInside, [&count](Control&) { ++count; });
        return button;
    }
};

TEST_F(SceneActionsTest, TapByTextTagImageAndPointArrivesAsTouchUpInsideOnThatButtonOnly)
{
    int titled = 0, other = 0, tagged = 0, pictured = 0, pointed = 0;
    play(R"({"actions": [{"tap": {"text": "确定"}}, {"tap": {"tag": 7}}, {"tap": {"image": "QYHome_1"}}, {"tap": [50, 420]}]})",
        [&](Window& w) {
            auto button = countingButton({ 20, 20, 120, 44 }, titled);
            button->setTitle(std::string("确定"));
            w.addSubview(button);
            w.addSubview(countingButton({ 200, 20, 120, 44 }, other));
            auto a = countingButton({ 20, 100, 120, 44 }, tagged);
            a->setTag(7);
            w.addSubview(a);
            auto b = countingButton({ 20, 200, 320, 120 }, pictured);
            b->setImage(Image::named("QYHome_1.png"));
            w.addSubview(b);
            w.addSubview(countingButton({ 20, 400, 100, 44 }, pointed));
        });
    EXPECT_EQ(std::vector<int>({ titled, other, tagged, pictured, pointed }), std::vector<int>({ 1, 0, 1, 1, 1 }));
}

TEST_F(SceneActionsTest, TextIsFoundFrontMostFirst)
{
    int below = 0, above = 0;
    std::shared_ptr<Window> alert;
    play(R"({"actions": [{"tap": {"text": "好"}}]})", [&](Window& w) {
        auto back = countingButton({ 20, 100, 120, 44 }, below);
        back->setTitle(std::string("好"));
        w.addSubview(back);
        // A higher window showing the same title elsewhere: the person sees it on top.
        alert = std::make_shared<Window>(Rect { 0, 300, 375, 200 });
        alert->setWindowLevel(WindowLevel::Alert);
        auto front = countingButton({ 20, 50, 120, 44 }, above);
        front->setTitle(std::string("好"));
        alert->addSubview(front);
        alert->setHidden(false);
        ui::Application::shared().addWindow(alert);
    });
    EXPECT_EQ(above, 1);
    EXPECT_EQ(below, 0);
}

TEST_F(SceneActionsTest, MissingHiddenAndOffScreenTargetsAreErrorsNamingTheAction)
{
    auto build = [](Window& w) {
        auto hidden = std::make_shared<Label>(Rect { 10, 10, 100, 20 });
        hidden->setText(std::string("藏"));
        hidden->setHidden(true);
        w.addSubview(hidden);
        auto below = std::make_shared<Label>(Rect { 10, 900, 100, 20 });
        below->setText(std::string("远"));
        w.addSubview(below);
    };
    std::string missing = failure(R"({"actions": [{"wait": 0}, {"tap": {"text": "无"}}]})", build);
    EXPECT_EQ(missing.rfind("actions[1].tap: no visible view showing \"无\"", 0), 0u) << missing;
    std::string hidden = failure(R"({"actions": [{"longPress": {"text": "藏"}}]})", build);
    EXPECT_EQ(hidden.rfind("actions[0].longPress: no visible view", 0), 0u) << hidden;
    std::string far = failure(R"({"actions": [{"tap": {"text": "远"}}]})", build);
    EXPECT_NE(far.find("off screen"), std::string::npos) << far;
    std::string untyped = failure(R"({"actions": [{"type": "x"}]})", build);
    EXPECT_EQ(untyped.rfind("actions[0].type: ", 0), 0u) << untyped;
}

TEST_F(SceneActionsTest, AViewCoveredByAHigherWindowIsNotTapped)
{
    int taps = 0;
    std::shared_ptr<Window> cover;
    auto build = [&](Window& w) {
        auto under = countingButton({ 20, 500, 120, 44 }, taps);
        under->setTitle(std::string("下面"));
        w.addSubview(under);
        // A keyboard-like window over the bottom of the screen.
        cover = std::make_shared<Window>(Rect { 0, 451, 375, 216 });
        cover->setWindowLevel(WindowLevel::Alert);
        cover->setBackgroundColor(Color::whiteColor());
        cover->setHidden(false);
        ui::Application::shared().addWindow(cover);
    };
    std::string covered = failure(R"({"actions": [{"tap": {"text": "下面"}}]})", build);
    EXPECT_NE(covered.find("covered by"), std::string::npos) << covered;
    EXPECT_EQ(taps, 0);
}

TEST_F(SceneActionsTest, ALabelLyingOnATappableSiblingPassesTheTapToIt)
{
    int taps = 0;
    play(R"({"actions": [{"tap": {"text": "1000.00"}}]})", [&](Window& w) {
        auto card = std::make_shared<View>(Rect { 20, 200, 240, 100 });
        card->addSubview(countingButton({ 0, 0, 240, 100 }, taps));
        auto amount = std::make_shared<Label>(Rect { 60, 40, 80, 20 });
        amount->setText("1000.00");
        card->addSubview(amount);
        w.addSubview(card);
    });
    EXPECT_EQ(taps, 1);
}

TEST_F(SceneActionsTest, LongPressHoldsTheFingerDownForASecond)
{
    double down = 0, up = 0;
    play(R"({"actions": [{"longPress": [60, 120]}]})", [&](Window& w) {
        auto button = Button::make();
        button->setFrame({ 20, 100, 120, 44 });
        button->addAction(TouchDown, [&](Control&) { down = platform::MainQueue::shared().now(); });
        button->addAction(TouchUpInside, [&](Control&) { up = platform::MainQueue::shared().now(); });
        w.addSubview(button);
    });
    EXPECT_GE(up - down, 1.0 - 1e-9);
    EXPECT_LT(up - down, 1.1);
}

TEST_F(SceneActionsTest, WaitLetsVirtualTimePassSoDelayedWorkRuns)
{
    // Launch and every action settle for half a second; the scene's waits add theirs.
    std::vector<double> fired;
    double start = 0;
    auto build = [&](Window&) {
        start = platform::MainQueue::shared().now();
        platform::MainQueue::shared().after(2.0, [&] { fired.push_back(platform::MainQueue::shared().now() - start); });
    };
    play(R"({"time": 1000, "actions": [{"wait": 0.5}]})", build);
    EXPECT_DOUBLE_EQ(start, 1000);
    EXPECT_TRUE(fired.empty()); // 0.5 + 0.5 + 0.5 seconds have passed
    EXPECT_NEAR(platform::MainQueue::shared().now() - start, 1.5, 1e-6);

    play(R"({"time": 1000, "actions": [{"wait": 1.25}]})", build);
    ASSERT_EQ(fired.size(), 1u);
    // The task ran at its own due time, not at the end of a step.
    EXPECT_NEAR(fired[0], 2.0, 1e-6);
}

TEST_F(SceneActionsTest, TypedTextAndKeysGoToTheFirstResponder)
{
    std::shared_ptr<TextSink> sink;
    play(R"({"actions": [{"type": "你好ab"}, {"key": "backspace"}, {"key": "return"}, {"type": "😀"}]})", [&](Window& w) {
        sink = std::make_shared<TextSink>(Rect { 0, 100, 375, 40 });
        w.addSubview(sink);
        sink->becomeFirstResponder();
    });
    EXPECT_EQ(sink->typed, u"你好a\n😀");
}

TEST_F(SceneActionsTest, DragScrollsAScrollView)
{
    std::shared_ptr<ScrollView> scroll;
    play(R"({"actions": [{"drag": {"from": [180, 500], "to": [180, 300], "seconds": 0.5}}, {"wait": 3}]})", [&](Window& w) {
        scroll = std::make_shared<ScrollView>(Rect { 0, 64, 375, 603 });
        scroll->setContentSize({ 375, 2000 });
        w.addSubview(scroll);
    });
    EXPECT_GE(scroll->contentOffset().y, 200 - 1);
}

TEST_F(SceneActionsTest, AnEditMenuItemIsTappedByItsTitle)
{
    std::shared_ptr<MenuRow> row;
    auto build = [&](Window& w) {
        row = std::make_shared<MenuRow>(Rect { 0, 300, 375, 60 });
        w.addSubview(row);
        row->becomeFirstResponder();
        auto& menu = MenuController::shared();
        menu.setMenuItems({ { "删除", "deleteMenuAction" }, { "撤回", "backOutMenuAction" } });
        menu.setTargetRect({ 100, 10, 120, 40 }, row.get());
        menu.setMenuVisible(true, false);
    };
    play(R"({"actions": [{"tap": {"text": "撤回"}}]})", build);
    EXPECT_EQ(row->performed, (std::vector<std::string> { "backOutMenuAction" }));
    MenuController::shared().setMenuItems({});
}
