#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/BarButtonItem.h"
#include "ui/Responder.h"
#include "ui/View.h"

namespace ui {

class NavigationController;

// A screen: makes its root view on first use (`loadView`, then `viewDidLoad`)
// and hears when it appears and disappears. Appearance calls are made
// synchronously by the container that shows the screen.
class ViewController : public Responder {
public:
    ViewController();
    ~ViewController() override;

    std::shared_ptr<ViewController> sharedController()
    {
        return std::static_pointer_cast<ViewController>(shared_from_this());
    }

    // The root view, made on first access.
    const std::shared_ptr<View>& view();
    bool isViewLoaded() const { return m_view != nullptr; }
    void setView(std::shared_ptr<View> view);

    virtual void loadView();
    virtual void viewDidLoad() { }
    virtual void viewWillAppear(bool) { }
    virtual void viewDidAppear(bool) { }
    virtual void viewWillDisappear(bool) { }
    virtual void viewDidDisappear(bool) { }
    virtual void viewWillLayoutSubviews() { }
    virtual void viewDidLayoutSubviews() { }

    const std::optional<std::string>& title() const { return m_title; }
    void setTitle(std::optional<std::string> title);
    NavigationItem& navigationItem() { return m_navigationItem; }
    const NavigationItem& navigationItem() const { return m_navigationItem; }

    // The navigation stack holding this screen, if any.
    NavigationController* navigationController() const;
    ViewController* parentViewController() const { return m_parent; }
    void setParentViewController(ViewController* parent) { m_parent = parent; }

    // Modal presentation: the presented screen gets a window of its own above
    // the normal ones and covers the screen, sliding up when animated. The
    // screen below (the root of the presenter's container) disappears and
    // appears again on dismissal. Completions run on the main queue once the
    // screen is in place or gone, never synchronously. Presenting while a
    // screen is already presented, or a screen that is not presentable, does
    // nothing (no completion). Dismissing asked of the presented screen itself
    // dismisses it through its presenter.
    void presentViewController(const std::shared_ptr<ViewController>& controller, bool animated,
        std::function<void()> completion = {});
    void dismissViewController(bool animated, std::function<void()> completion = {});
    // Asked synchronously by presentViewController before anything moves; a
    // screen that cannot be shown (a camera picker without a camera) says no.
    virtual bool isPresentable() { return true; }
    const std::shared_ptr<ViewController>& presentedViewController() const { return m_presented; }
    ViewController* presentingViewController() const { return m_presenting; }

    // Whether the screen's content starts under the bars (the phone's default).
    bool automaticallyAdjustsScrollViewInsets = true;

    // Appearance bookkeeping used by containers.
    void beginAppearanceTransition(bool appearing, bool animated = false);
    void endAppearanceTransition();

    // The desktop's Esc key reached this screen with no dialog in front: a
    // screen that has something of its own open (a panel, or a keyboard it
    // puts away its own way) closes it and returns true; the default returns
    // false, and the keyboard goes or the screen goes back.
    virtual bool closeForEscape() { return false; }

    Responder* nextResponder() const override;
    virtual std::string className() const { return "UIViewController"; }

private:
    std::shared_ptr<View> m_view;
    std::optional<std::string> m_title;
    NavigationItem m_navigationItem;
    ViewController* m_parent = nullptr;
    std::shared_ptr<ViewController> m_presented;
    ViewController* m_presenting = nullptr;
    std::shared_ptr<class Window> m_presentationWindow;
    enum class Appearance { Disappeared, Appearing, Appeared, Disappearing };
    Appearance m_appearance = Appearance::Disappeared;
    bool m_transitionAnimated = false;
};

using ViewControllerPtr = std::shared_ptr<ViewController>;

} // namespace ui
