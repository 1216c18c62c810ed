#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "ui/GestureRecognizer.h"
#include "ui/NavigationBar.h"
#include "ui/ViewController.h"

namespace ui {

// A stack of screens under one navigation bar. With an opaque bar the top
// screen's view starts 64 points down (20 status bar + 44 bar); with a
// translucent or hidden bar it fills the whole view. Push and pop slide
// screens in from and out to the right; a swipe from the left edge pops.
class NavigationController : public ViewController {
public:
    static constexpr double kTransitionDuration = 0.35;

    explicit NavigationController(std::shared_ptr<ViewController> root);
    static std::shared_ptr<NavigationController> make(std::shared_ptr<ViewController> root);

    std::string className() const override { return "UINavigationController"; }

    const std::vector<std::shared_ptr<ViewController>>& viewControllers() const { return m_stack; }
    std::shared_ptr<ViewController> topViewController() const { return m_stack.empty() ? nullptr : m_stack.back(); }

    void pushViewController(const std::shared_ptr<ViewController>& controller, bool animated);
    // Pops the top screen unless it is the root; returns the popped screen.
    std::shared_ptr<ViewController> popViewController(bool animated);
    void popToRootViewController(bool animated);
    bool isTransitioning() const { return m_transitioning; }

    const std::shared_ptr<NavigationBar>& navigationBar() const { return m_bar; }
    bool isNavigationBarHidden() const { return m_barHidden; }
    void setNavigationBarHidden(bool hidden, bool animated);

    // The swipe-back gesture; set its `shouldBegin` to decide when it may start
    // (by default: when more than one screen is on the stack).
    const std::shared_ptr<ScreenEdgePanGestureRecognizer>& interactivePopGestureRecognizer() const { return m_edgePan; }

    // Where the top screen's view goes.
    Rect contentFrame() const;

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;

    // Called by a screen of the stack when its title or items changed.
    void navigationItemDidChange(ViewController* controller);

private:
    void showTopItem();
    void layoutContent();
    void handleEdgePan(GestureRecognizer& recognizer);
    void finishInteractivePop(bool completed);

    std::vector<std::shared_ptr<ViewController>> m_stack;
    std::shared_ptr<NavigationBar> m_bar;
    std::shared_ptr<View> m_container;
    std::shared_ptr<ScreenEdgePanGestureRecognizer> m_edgePan;
    bool m_barHidden = false;
    bool m_transitioning = false;
    bool m_appeared = false;
    std::shared_ptr<ViewController> m_interactiveFrom;
};

} // namespace ui
