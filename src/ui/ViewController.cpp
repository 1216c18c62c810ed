#include "ui/ViewController.h"

#include "platform/MainQueue.h"
#include "ui/Application.h"
#include "ui/NavigationController.h"
#include "ui/Screen.h"
#include "ui/Window.h"

namespace ui {

ViewController::ViewController() = default;

ViewController::~ViewController()
{
    if (m_view)
        m_view->setViewController(nullptr);
}

const std::shared_ptr<View>& ViewController::view()
{
    if (!m_view) {
        loadView();
        if (!m_view)
            setView(std::make_shared<View>(Screen::main().bounds()));
        viewDidLoad();
    }
    return m_view;
}

void ViewController::setView(std::shared_ptr<View> view)
{
    if (m_view)
        m_view->setViewController(nullptr);
    m_view = std::move(view);
    if (m_view)
        m_view->setViewController(this);
}

void ViewController::loadView()
{
    setView(std::make_shared<View>(Screen::main().bounds()));
}

void ViewController::setTitle(std::optional<std::string> title)
{
    if (m_title == title)
        return;
    m_title = title;
    m_navigationItem.title = title;
    if (auto* navigation = navigationController())
        navigation->navigationItemDidChange(this);
}

NavigationController* ViewController::navigationController() const
{
    for (ViewController* c = m_parent; c; c = c->m_parent) {
        if (auto* navigation = dynamic_cast<NavigationController*>(c))
            return navigation;
    }
    // A presented screen stands outside its presenter's stack.
    return nullptr;
}

void ViewController::beginAppearanceTransition(bool appearing, bool animated)
{
    m_transitionAnimated = animated;
    if (appearing && (m_appearance == Appearance::Disappeared || m_appearance == Appearance::Disappearing)) {
        m_appearance = Appearance::Appearing;
        view();
        viewWillAppear(animated);
    } else if (!appearing && (m_appearance == Appearance::Appeared || m_appearance == Appearance::Appearing)) {
        m_appearance = Appearance::Disappearing;
        viewWillDisappear(animated);
    }
}

void ViewController::endAppearanceTransition()
{
    if (m_appearance == Appearance::Appearing) {
        m_appearance = Appearance::Appeared;
        viewDidAppear(m_transitionAnimated);
    } else if (m_appearance == Appearance::Disappearing) {
        m_appearance = Appearance::Disappeared;
        viewDidDisappear(m_transitionAnimated);
    }
}

Responder* ViewController::nextResponder() const
{
    if (m_view && m_view->superview())
        return m_view->superview();
    if (m_parent)
        return m_parent;
    return nullptr;
}

// The controller whose appearance a full-screen presentation changes: the root
// of the container the presenter sits in.
static ViewController* appearanceHost(ViewController* controller)
{
    while (controller->parentViewController())
        controller = controller->parentViewController();
    return controller;
}

void ViewController::presentViewController(const std::shared_ptr<ViewController>& controller, bool animated,
    std::function<void()> completion)
{
    if (!controller || m_presented || controller->m_presenting)
        return;
    if (!controller->isPresentable())
        return;
    m_presented = controller;
    controller->m_presenting = this;
    // A presented screen lives in a window of its own above the normal ones,
    // so it covers the navigation bar and the screens below it.
    auto window = std::make_shared<Window>(Screen::main().bounds());
    window->setWindowLevel(WindowLevel::Normal + 1);
    controller->m_presentationWindow = window;
    auto root = controller->view();
    double height = Screen::main().size().height;
    root->setFrame(Screen::main().bounds());
    auto* host = appearanceHost(this);
    bool hostShown = host->m_appearance == Appearance::Appeared || host->m_appearance == Appearance::Appearing;
    if (hostShown)
        host->beginAppearanceTransition(false, animated);
    controller->beginAppearanceTransition(true, animated);
    window->addSubview(root);
    window->makeKeyAndVisible();
    auto weakController = std::weak_ptr<ViewController>(controller);
    auto weakHost = std::weak_ptr<Responder>(host->shared_from_this());
    auto finish = [weakController, weakHost, hostShown, completion = std::move(completion)](bool) {
        auto c = weakController.lock();
        // Dismissed before it was in place: the dismissal finishes the story.
        if (!c || !c->m_presenting)
            return;
        c->endAppearanceTransition();
        if (auto h = std::static_pointer_cast<ViewController>(weakHost.lock()); h && hostShown)
            h->endAppearanceTransition();
        if (completion)
            completion();
    };
    if (animated) {
        root->setFrame(Screen::main().bounds().offsetBy(0, height));
        Animation::animate(0.4, 0, AnimationCurve::EaseOut, [&] { root->setFrame(Screen::main().bounds()); }, finish);
    } else {
        platform::MainQueue::shared().async([finish] { finish(true); });
    }
}

void ViewController::dismissViewController(bool animated, std::function<void()> completion)
{
    // Asked of the presented screen, it dismisses itself through its presenter.
    if (!m_presented && m_presenting) {
        m_presenting->dismissViewController(animated, std::move(completion));
        return;
    }
    auto presented = m_presented;
    if (!presented)
        return;
    m_presented.reset();
    auto* host = appearanceHost(this);
    bool hostHidden = host->m_appearance == Appearance::Disappeared || host->m_appearance == Appearance::Disappearing;
    presented->beginAppearanceTransition(false, animated);
    if (hostHidden)
        host->beginAppearanceTransition(true, animated);
    auto window = presented->m_presentationWindow;
    auto weakHost = std::weak_ptr<Responder>(host->shared_from_this());
    auto done = [presented, window, weakHost, hostHidden, completion = std::move(completion)](bool) {
        if (window) {
            window->setHidden(true);
            Application::shared().removeWindow(window.get());
        }
        presented->endAppearanceTransition();
        presented->m_presentationWindow.reset();
        presented->m_presenting = nullptr;
        if (auto h = std::static_pointer_cast<ViewController>(weakHost.lock()); h && hostHidden)
            h->endAppearanceTransition();
        if (completion)
            completion();
    };
    // The key window goes back to the presenter's window, or else to the
    // front-most ordinary window below.
    auto& app = Application::shared();
    if (window && window->isKeyWindow()) {
        Window* own = isViewLoaded() ? view()->window() : nullptr;
        WindowPtr target;
        for (auto& other : app.windows()) {
            if (other != window && other->windowLevel() < WindowLevel::StatusBar)
                target = other;
        }
        for (auto& other : app.windows()) {
            if (other.get() == own && other != window)
                target = other;
        }
        if (target)
            target->makeKeyWindow();
    }
    if (animated && presented->isViewLoaded()) {
        auto root = presented->view();
        Animation::animate(0.35, 0, AnimationCurve::EaseIn,
            [&] { root->setFrame(Screen::main().bounds().offsetBy(0, Screen::main().size().height)); }, done);
    } else {
        // Gone from the screen at once; the bookkeeping follows on the queue
        // as it does after an animation.
        if (window)
            window->setHidden(true);
        platform::MainQueue::shared().async([done] { done(true); });
    }
}

} // namespace ui
