#include "ui/NavigationController.h"

#include <algorithm>

#include "ui/Screen.h"

namespace ui {

class NavigationContainerView : public View {
public:
    using View::View;
    std::string className() const override { return "UINavigationTransitionView"; }
    std::function<void()> onLayout;
    void layoutSubviews() override
    {
        if (onLayout)
            onLayout();
    }
};

NavigationController::NavigationController(std::shared_ptr<ViewController> root)
{
    if (root)
        m_stack.push_back(root);
}

std::shared_ptr<NavigationController> NavigationController::make(std::shared_ptr<ViewController> root)
{
    auto controller = std::make_shared<NavigationController>(root);
    if (root)
        root->setParentViewController(controller.get());
    return controller;
}

void NavigationController::loadView()
{
    auto root = std::make_shared<NavigationContainerView>(Screen::main().bounds());
    root->setBackgroundColor(Color::whiteColor());
    root->setClipsToBounds(true);
    std::weak_ptr<View> weakRoot = root;
    root->onLayout = [this] { layoutContent(); };
    setView(root);
    m_container = std::make_shared<View>(root->bounds());
    m_container->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    root->addSubview(m_container);
    m_bar = std::make_shared<NavigationBar>();
    m_bar->setFrame({ 0, 20, root->bounds().width(), NavigationBar::kHeight });
    root->addSubview(m_bar);
    m_edgePan = std::make_shared<ScreenEdgePanGestureRecognizer>([this](GestureRecognizer& r) { handleEdgePan(r); });
    m_edgePan->shouldBegin = [this](GestureRecognizer&) { return m_stack.size() > 1; };
    root->addGestureRecognizer(m_edgePan);
    for (auto& controller : m_stack)
        controller->setParentViewController(this);
    if (auto top = topViewController()) {
        top->view()->setFrame(contentFrame());
        m_container->addSubview(top->view());
    }
    showTopItem();
}

Rect NavigationController::contentFrame() const
{
    Rect all = m_container ? m_container->bounds() : Screen::main().bounds();
    if (m_barHidden || !m_bar || m_bar->isTranslucent())
        return all;
    double top = 20 + NavigationBar::kHeight;
    return { 0, top, all.width(), all.height() - top };
}

void NavigationController::layoutContent()
{
    if (!m_bar)
        return;
    m_bar->setFrame({ 0, 20, view()->bounds().width(), NavigationBar::kHeight });
    if (!m_transitioning) {
        if (auto top = topViewController())
            top->view()->setFrame(contentFrame());
    }
}

std::shared_ptr<NavigationController> asShared(NavigationController* controller)
{
    return std::static_pointer_cast<NavigationController>(controller->sharedController());
}

void NavigationController::showTopItem()
{
    if (!m_bar)
        return;
    auto top = topViewController();
    if (!top) {
        m_bar->showItem(nullptr, std::nullopt, {});
        return;
    }
    std::optional<std::string> backTitle;
    if (m_stack.size() > 1) {
        auto& below = m_stack[m_stack.size() - 2];
        auto& item = below->navigationItem();
        if (item.backBarButtonItem && item.backBarButtonItem->title)
            backTitle = item.backBarButtonItem->title;
        else if (item.title && !item.title->empty())
            backTitle = item.title;
        else
            backTitle = "返回";
    }
    std::weak_ptr<ViewController> weakSelf = sharedController();
    m_bar->showItem(&top->navigationItem(), backTitle, [weakSelf] {
        if (auto self = std::static_pointer_cast<NavigationController>(weakSelf.lock()))
            self->popViewController(true);
    });
}

void NavigationController::navigationItemDidChange(ViewController* controller)
{
    if (topViewController().get() == controller || (m_stack.size() > 1 && m_stack[m_stack.size() - 2].get() == controller))
        showTopItem();
}

void NavigationController::pushViewController(const std::shared_ptr<ViewController>& controller, bool animated)
{
    if (!controller || std::find(m_stack.begin(), m_stack.end(), controller) != m_stack.end())
        return;
    view();
    auto from = topViewController();
    controller->setParentViewController(this);
    m_stack.push_back(controller);
    auto toView = controller->view();
    if (m_appeared && from)
        from->beginAppearanceTransition(false, animated);
    if (m_appeared)
        controller->beginAppearanceTransition(true, animated);
    // Measured after the screens were told: one may have hidden or shown the bar.
    Rect frame = contentFrame();
    double width = frame.width();
    toView->setFrame(frame);
    m_container->addSubview(toView);
    showTopItem();
    auto self = asShared(this);
    auto finish = [self, from, controller](bool) {
        self->m_transitioning = false;
        if (from && self->topViewController() != from) {
            from->view()->removeFromSuperview();
            from->view()->setTransform(AffineTransform::identity());
            from->view()->setFrame(self->contentFrame());
        }
        if (self->m_appeared) {
            if (from)
                from->endAppearanceTransition();
            controller->endAppearanceTransition();
        }
    };
    if (animated && from && m_appeared) {
        m_transitioning = true;
        Animation::performWithoutAnimation([&] { toView->setFrame(frame.offsetBy(width, 0)); });
        Animation::animate(kTransitionDuration, 0, AnimationCurve::EaseOut, [&] {
            toView->setFrame(frame);
            from->view()->setFrame(frame.offsetBy(-width * 0.3, 0));
        }, finish);
    } else {
        finish(true);
    }
}

std::shared_ptr<ViewController> NavigationController::popViewController(bool animated)
{
    if (m_stack.size() < 2 || m_transitioning)
        return nullptr;
    auto from = m_stack.back();
    m_stack.pop_back();
    auto to = m_stack.back();
    if (m_appeared) {
        from->beginAppearanceTransition(false, animated);
        to->beginAppearanceTransition(true, animated);
    }
    // Measured after the screens were told: one may have hidden or shown the bar.
    Rect frame = contentFrame();
    double width = frame.width();
    auto toView = to->view();
    m_container->insertSubviewBelow(toView, from->view().get());
    showTopItem();
    auto self = asShared(this);
    auto finish = [self, from, to](bool) {
        self->m_transitioning = false;
        from->view()->removeFromSuperview();
        from->setParentViewController(nullptr);
        if (self->m_appeared) {
            from->endAppearanceTransition();
            to->endAppearanceTransition();
        }
    };
    if (animated && m_appeared) {
        m_transitioning = true;
        Animation::performWithoutAnimation([&] { toView->setFrame(frame.offsetBy(-width * 0.3, 0)); });
        Animation::animate(kTransitionDuration, 0, AnimationCurve::EaseOut, [&] {
            toView->setFrame(frame);
            from->view()->setFrame(frame.offsetBy(width, 0));
        }, finish);
    } else {
        toView->setFrame(frame);
        finish(true);
    }
    return from;
}

void NavigationController::popToRootViewController(bool animated)
{
    while (m_stack.size() > 2) {
        auto middle = m_stack[m_stack.size() - 2];
        m_stack.erase(m_stack.end() - 2);
        middle->setParentViewController(nullptr);
    }
    popViewController(animated);
}

void NavigationController::setNavigationBarHidden(bool hidden, bool animated)
{
    if (m_barHidden == hidden)
        return;
    m_barHidden = hidden;
    view();
    auto apply = [this, hidden] {
        m_bar->setAlpha(hidden ? 0 : 1);
        if (auto top = topViewController(); top && !m_transitioning)
            top->view()->setFrame(contentFrame());
    };
    if (animated)
        Animation::animate(0.2, apply);
    else
        apply();
    m_bar->setHidden(false);
    m_bar->setUserInteractionEnabled(!hidden);
}

void NavigationController::handleEdgePan(GestureRecognizer& recognizer)
{
    auto& pan = static_cast<PanGestureRecognizer&>(recognizer);
    Rect frame = contentFrame();
    double width = frame.width();
    switch (recognizer.state()) {
    case GestureRecognizer::State::Began: {
        if (m_stack.size() < 2 || m_transitioning)
            return;
        m_transitioning = true;
        m_interactiveFrom = m_stack.back();
        auto to = m_stack[m_stack.size() - 2];
        m_interactiveFrom->beginAppearanceTransition(false, true);
        to->beginAppearanceTransition(true, true);
        to->view()->setFrame(frame.offsetBy(-width * 0.3, 0));
        m_container->insertSubviewBelow(to->view(), m_interactiveFrom->view().get());
        [[fallthrough]];
    }
    case GestureRecognizer::State::Changed: {
        if (!m_interactiveFrom)
            return;
        double dx = std::clamp(pan.translationIn(nullptr).x, 0.0, width);
        m_interactiveFrom->view()->setFrame(frame.offsetBy(dx, 0));
        m_stack[m_stack.size() - 2]->view()->setFrame(frame.offsetBy(-width * 0.3 + dx * 0.3, 0));
        break;
    }
    case GestureRecognizer::State::Ended: {
        if (!m_interactiveFrom)
            return;
        double dx = pan.translationIn(nullptr).x;
        finishInteractivePop(dx > width / 2 || pan.velocityIn(nullptr).x > 500);
        break;
    }
    case GestureRecognizer::State::Cancelled:
    case GestureRecognizer::State::Failed:
        if (m_interactiveFrom)
            finishInteractivePop(false);
        break;
    case GestureRecognizer::State::Possible:
        break;
    }
}

void NavigationController::finishInteractivePop(bool completed)
{
    auto from = m_interactiveFrom;
    m_interactiveFrom.reset();
    auto to = m_stack[m_stack.size() - 2];
    Rect frame = contentFrame();
    double width = frame.width();
    auto self = asShared(this);
    if (completed) {
        m_stack.pop_back();
        showTopItem();
        Animation::animate(0.2, 0, AnimationCurve::EaseOut, [&] {
            from->view()->setFrame(frame.offsetBy(width, 0));
            to->view()->setFrame(frame);
        }, [self, from, to](bool) {
            self->m_transitioning = false;
            from->view()->removeFromSuperview();
            from->setParentViewController(nullptr);
            from->endAppearanceTransition();
            to->endAppearanceTransition();
        });
    } else {
        // Cancelled: the screens go back and the appearance calls are undone.
        Animation::animate(0.2, 0, AnimationCurve::EaseOut, [&] {
            from->view()->setFrame(frame);
            to->view()->setFrame(frame.offsetBy(-width * 0.3, 0));
        }, [self, from, to](bool) {
            self->m_transitioning = false;
            to->view()->removeFromSuperview();
            to->beginAppearanceTransition(false, true);
            to->endAppearanceTransition();
            from->beginAppearanceTransition(true, true);
            from->endAppearanceTransition();
        });
    }
}

void NavigationController::viewWillAppear(bool animated)
{
    if (auto top = topViewController())
        top->beginAppearanceTransition(true, animated);
}

void NavigationController::viewDidAppear(bool)
{
    m_appeared = true;
    if (auto top = topViewController())
        top->endAppearanceTransition();
}

void NavigationController::viewWillDisappear(bool animated)
{
    if (auto top = topViewController())
        top->beginAppearanceTransition(false, animated);
}

void NavigationController::viewDidDisappear(bool)
{
    m_appeared = false;
    if (auto top = topViewController())
        top->endAppearanceTransition();
}

} // namespace ui
