#include "support/PhoneTest.h"

#include <string>
#include <vector>

#include "ui/NavigationController.h"
#include "ui/Window.h"

using namespace ui;

namespace {

std::vector<std::string> g_log;

struct Page : ViewController {
    explicit Page(std::string name)
        : name(std::move(name))
    {
        setTitle(this->name);
    }
    std::string name;
    void viewDidLoad() override { g_log.push_back(name + ".load"); }
    void viewWillAppear(bool) override { g_log.push_back(name + ".willAppear"); }
    void viewDidAppear(bool) override { g_log.push_back(name + ".didAppear"); }
    void viewWillDisappear(bool) override { g_log.push_back(name + ".willDisappear"); }
    void viewDidDisappear(bool) override { g_log.push_back(name + ".didDisappear"); }
};

} // namespace

class NavigationTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        g_log.clear();
        root = std::make_shared<Page>("root");
        navigation = NavigationController::make(root);
        window = std::make_shared<Window>();
        navigation->view();
        navigation->navigationBar()->setTranslucent(false);
        window->setRootViewController(navigation);
        window->makeKeyAndVisible();
        Application::shared().layoutIfNeeded();
    }
    Rect windowFrameOf(const std::shared_ptr<ViewController>& c)
    {
        auto v = c->view();
        return v->convertRectTo(v->bounds(), nullptr);
    }
    std::shared_ptr<Page> root;
    std::shared_ptr<NavigationController> navigation;
    std::shared_ptr<Window> window;
};

TEST_F(NavigationTest, OpaqueBarPutsContentAt64AndTranslucentAtZero)
{
    EXPECT_EQ(windowFrameOf(root), (Rect { 0, 64, 375, 603 }));
    auto next = std::make_shared<Page>("next");
    navigation->pushViewController(next, false);
    EXPECT_EQ(windowFrameOf(next), (Rect { 0, 64, 375, 603 }));
    EXPECT_EQ(navigation->navigationBar()->frame(), (Rect { 0, 20, 375, 44 }));

    navigation->navigationBar()->setTranslucent(true);
    navigation->view()->setNeedsLayout();
    Application::shared().layoutIfNeeded();
    EXPECT_EQ(windowFrameOf(next), (Rect { 0, 0, 375, 667 }));
}

TEST_F(NavigationTest, AnimatedPushAndPopCallAppearanceInOrder)
{
    g_log.clear();
    auto next = std::make_shared<Page>("next");
    navigation->pushViewController(next, true);
    EXPECT_TRUE(navigation->isTransitioning());
    advance(1);
    EXPECT_FALSE(navigation->isTransitioning());
    EXPECT_EQ(g_log, (std::vector<std::string> { "next.load", "root.willDisappear", "next.willAppear",
                         "root.didDisappear", "next.didAppear" }));
    EXPECT_EQ(root->view()->superview(), nullptr);
    EXPECT_EQ(navigation->navigationBar()->backButton()->currentTitle(), "root");

    g_log.clear();
    EXPECT_EQ(navigation->popViewController(true), next);
    advance(1);
    EXPECT_EQ(g_log, (std::vector<std::string> { "next.willDisappear", "root.willAppear", "next.didDisappear",
                         "root.didAppear" }));
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    EXPECT_EQ(navigation->popViewController(true), nullptr); // the root stays
}

TEST_F(NavigationTest, BackButtonTapPops)
{
    navigation->pushViewController(std::make_shared<Page>("next"), false);
    Application::shared().layoutIfNeeded();
    auto back = navigation->navigationBar()->backButton();
    ASSERT_TRUE(back);
    Rect frame = back->convertRectTo(back->bounds(), nullptr);
    tap(frame.center());
    advance(1);
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
}

TEST_F(NavigationTest, EdgeSwipePopsOnlyAboveTheRootAndHonoursItsHook)
{
    drag({ 5, 300 }, { 300, 300 });
    advance(1);
    EXPECT_EQ(navigation->viewControllers().size(), 1u);

    navigation->pushViewController(std::make_shared<Page>("next"), false);
    // A short swipe springs back.
    drag({ 5, 300 }, { 60, 300 }, 10, 1.0);
    advance(1);
    EXPECT_EQ(navigation->viewControllers().size(), 2u);
    EXPECT_EQ(windowFrameOf(navigation->topViewController()).x(), 0);

    // A swipe that starts away from the edge is no swipe back.
    drag({ 100, 300 }, { 370, 300 });
    advance(1);
    EXPECT_EQ(navigation->viewControllers().size(), 2u);

    bool asked = false;
    navigation->interactivePopGestureRecognizer()->shouldBegin = [&](GestureRecognizer&) {
        asked = true;
        return false;
    };
    drag({ 5, 300 }, { 300, 300 });
    advance(1);
    EXPECT_TRUE(asked);
    EXPECT_EQ(navigation->viewControllers().size(), 2u);

    navigation->interactivePopGestureRecognizer()->shouldBegin = nullptr;
    g_log.clear();
    drag({ 5, 300 }, { 300, 300 });
    advance(1);
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    EXPECT_EQ(g_log.back(), "root.didAppear");
}
