#include "ui/Application.h"

#include <algorithm>

#include "platform/MainQueue.h"
#include "ui/Animation.h"
#include "ui/Control.h"
#include "ui/GestureRecognizer.h"
#include "ui/Keyboard.h"
#include "ui/ScrollView.h"

namespace ui {

Application& Application::shared()
{
    static Application app;
    return app;
}

std::vector<WindowPtr> Application::windows() const
{
    std::vector<WindowPtr> visible;
    for (auto& window : m_windows) {
        if (!window->isHidden())
            visible.push_back(window);
    }
    std::stable_sort(visible.begin(), visible.end(),
        [](const WindowPtr& a, const WindowPtr& b) { return a->windowLevel() < b->windowLevel(); });
    return visible;
}

void Application::addWindow(const WindowPtr& window)
{
    if (std::find(m_windows.begin(), m_windows.end(), window) == m_windows.end())
        m_windows.push_back(window);
}

void Application::removeWindow(const Window* window)
{
    m_windows.erase(std::remove_if(m_windows.begin(), m_windows.end(), [&](auto& w) { return w.get() == window; }),
        m_windows.end());
}

void Application::setKeyWindow(const WindowPtr& window)
{
    m_keyWindow = window;
}

std::shared_ptr<Responder> Application::firstResponder() const
{
    auto key = keyWindow();
    if (key) {
        if (auto responder = key->firstResponder())
            return responder;
    }
    for (auto& window : m_windows) {
        if (auto responder = window->firstResponder())
            return responder;
    }
    return nullptr;
}

void Application::setFirstResponder(const std::shared_ptr<Responder>& responder)
{
    clearFirstResponder();
    WindowPtr target = keyWindow();
    if (auto* view = dynamic_cast<View*>(responder.get())) {
        if (auto* own = view->window()) {
            for (auto& window : m_windows) {
                if (window.get() == own)
                    target = window;
            }
        }
    }
    if (!target && !m_windows.empty())
        target = m_windows.back();
    if (target)
        target->setFirstResponder(responder);
}

void Application::clearFirstResponder()
{
    for (auto& window : m_windows)
        window->setFirstResponder({});
}

// How long a scroll view holds a touch back from its content.
static constexpr double kTouchDelay = 0.15;

static bool isTapOnControl(const GestureRecognizer& recognizer, const View* hit)
{
    // A control keeps its own taps: tap recognizers above it do not take them.
    if (!dynamic_cast<const TapGestureRecognizer*>(&recognizer))
        return false;
    for (const View* v = hit; v && v != recognizer.view(); v = v->superview()) {
        if (dynamic_cast<const Control*>(v))
            return true;
    }
    return false;
}

std::shared_ptr<View> Application::hitView(Point point) const
{
    auto all = windows();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        auto& window = *it;
        Point local = window->fromWindow({ point.x - window->frame().x(), point.y - window->frame().y() });
        if (auto hit = window->hitTest(local))
            return hit;
    }
    return nullptr;
}

bool Application::scrollWheel(Point point, Point delta)
{
    for (auto view = hitView(point); view; view = view->superview() ? view->superview()->sharedView() : nullptr) {
        if (auto* scroll = dynamic_cast<ScrollView*>(view.get()); scroll && scroll->scrollByWheel(delta))
            return true;
    }
    return false;
}

bool Application::dropFile(Point point, const std::string& path)
{
    auto view = hitView(point);
    return view && view->acceptDroppedFile(path, point);
}

void Application::touchDown(Point point)
{
    if (m_touch)
        touchCancel();
    auto all = windows();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        auto& window = *it;
        Point local = window->fromWindow({ point.x - window->frame().x(), point.y - window->frame().y() });
        auto hit = window->hitTest(local);
        if (!hit)
            continue;
        m_touch = std::make_shared<Touch>(window, hit, local, platform::MainQueue::shared().now());
        m_touchView = hit;
        m_touchCancelledForView = false;
        m_beganDelivered = false;
        m_recognizers.clear();
        for (View* v = hit.get(); v; v = v->superview()) {
            for (auto& recognizer : v->gestureRecognizers()) {
                if (recognizer->isEnabled() && !isTapOnControl(*recognizer, hit.get()))
                    m_recognizers.push_back(recognizer);
            }
        }
        deliver(&Responder::touchesBegan, &GestureRecognizer::touchesBegan);
        return;
    }
}

void Application::updateTouch(TouchPhase phase, Point point)
{
    // Screen points to the coordinates of the window the touch began in.
    auto window = m_touch->window();
    Point origin = window ? window->frame().origin : Point {};
    m_touch->update(phase, { point.x - origin.x, point.y - origin.y }, platform::MainQueue::shared().now());
}

void Application::touchMove(Point point)
{
    if (!m_touch)
        return;
    updateTouch(TouchPhase::Moved, point);
    deliver(&Responder::touchesMoved, &GestureRecognizer::touchesMoved);
}

void Application::touchUp(Point point)
{
    if (!m_touch)
        return;
    updateTouch(TouchPhase::Ended, point);
    deliver(&Responder::touchesEnded, &GestureRecognizer::touchesEnded);
    finishSequence();
}

void Application::touchCancel()
{
    if (!m_touch)
        return;
    m_touch->update(TouchPhase::Cancelled, m_touch->locationInWindow(), platform::MainQueue::shared().now());
    deliver(&Responder::touchesCancelled, &GestureRecognizer::touchesCancelled);
    finishSequence();
}

void Application::deliver(void (Responder::*handler)(const TouchList&),
    void (GestureRecognizer::*recognizerHandler)(const TouchList&))
{
    TouchList touches { m_touch };
    auto recognizers = m_recognizers; // callbacks may remove views and recognizers
    for (auto& recognizer : recognizers) {
        if (recognizer->view() && !recognizer->isFinished() && recognizer->state() != GestureRecognizer::State::Failed)
            ((*recognizer).*recognizerHandler)(touches);
        if (!m_touch)
            return; // a callback cancelled the whole sequence
    }
    // Once one recognizer has the gesture, the others give up unless they may share it.
    std::shared_ptr<GestureRecognizer> winner;
    for (auto& recognizer : recognizers) {
        if (recognizer->hasRecognized()) {
            winner = recognizer;
            break;
        }
    }
    bool cancelView = false;
    if (winner && !winner->cancelsTouchesInView() && !m_beganDelivered && handler != &Responder::touchesBegan)
        deliverDelayedBegan(); // the recognizer shares the touch: the view gets it after all
    if (winner) {
        dropLosersTo(winner);
        cancelView = winner->cancelsTouchesInView();
    }
    auto view = m_touchView.lock();
    if (!view || m_touchCancelledForView)
        return;
    bool delayed = handler == &Responder::touchesBegan
        && std::any_of(recognizers.begin(), recognizers.end(), [](auto& r) { return r->delaysTouchesBegan(); });
    if (cancelView) {
        m_touchCancelledForView = true;
        platform::MainQueue::shared().cancel(m_delayedBegan);
        // A view that never saw the touch begin is not told it ended.
        if (handler != &Responder::touchesBegan && m_beganDelivered)
            view->touchesCancelled(touches);
        return;
    }
    if (handler == &Responder::touchesBegan) {
        if (delayed) {
            m_delayedBegan = platform::MainQueue::shared().after(kTouchDelay, [this] { deliverDelayedBegan(); });
            return;
        }
        m_beganDelivered = true;
    } else if (!m_beganDelivered) {
        // Moves while the touch is held back stay unseen; a finger that lifts
        // before the delay ran out is a tap, so the view sees it begin first.
        if (handler != &Responder::touchesEnded)
            return;
        deliverDelayedBegan();
        if (!m_touch || m_touchCancelledForView)
            return;
    }
    (view.get()->*handler)(touches);
}

void Application::dropLosersTo(const std::shared_ptr<GestureRecognizer>& winner)
{
    auto others = m_recognizers;
    for (auto& other : others) {
        if (other == winner || other->hasRecognized())
            continue;
        bool shares = (winner->shouldRecognizeSimultaneously && winner->shouldRecognizeSimultaneously(*winner, *other))
            || (other->shouldRecognizeSimultaneously && other->shouldRecognizeSimultaneously(*other, *winner));
        if (shares)
            continue;
        m_recognizers.erase(std::remove(m_recognizers.begin(), m_recognizers.end(), other), m_recognizers.end());
        // A beaten recognizer is out for the rest of the touch: its timers stop too.
        other->reset();
    }
}

void Application::recognizerBeganWithoutTouchEvent(GestureRecognizer& recognizer)
{
    if (!m_touch)
        return;
    auto it = std::find_if(m_recognizers.begin(), m_recognizers.end(), [&](auto& r) { return r.get() == &recognizer; });
    if (it == m_recognizers.end())
        return;
    auto winner = *it;
    dropLosersTo(winner);
    if (!winner->cancelsTouchesInView() || m_touchCancelledForView)
        return;
    m_touchCancelledForView = true;
    platform::MainQueue::shared().cancel(m_delayedBegan);
    auto view = m_touchView.lock();
    if (view && m_beganDelivered)
        view->touchesCancelled({ m_touch });
}

void Application::deliverDelayedBegan()
{
    platform::MainQueue::shared().cancel(m_delayedBegan);
    m_delayedBegan = 0;
    if (m_beganDelivered || m_touchCancelledForView || !m_touch)
        return;
    auto view = m_touchView.lock();
    if (!view)
        return;
    m_beganDelivered = true;
    view->touchesBegan({ m_touch });
}

void Application::finishSequence()
{
    platform::MainQueue::shared().cancel(m_delayedBegan);
    m_delayedBegan = 0;
    auto recognizers = m_recognizers;
    for (auto& recognizer : recognizers)
        recognizer->reset();
    m_recognizers.clear();
    m_touch.reset();
    m_touchView.reset();
}

void Application::layoutIfNeeded()
{
    for (auto& window : windows())
        window->layoutIfNeeded();
}

bool Application::needsLayout() const
{
    return std::any_of(m_windows.begin(), m_windows.end(), [](const WindowPtr& window) {
        return !window->isHidden() && window->needsLayoutInTree();
    });
}

static bool anyAnimating(const View& view)
{
    if (view.isAnimating())
        return true;
    for (auto& child : view.subviews()) {
        if (anyAnimating(*child))
            return true;
    }
    return false;
}

bool Application::hasRunningAnimations() const
{
    if (platform::MainQueue::shared().now() >= Animation::latestEnd())
        return false;
    for (auto& window : windows()) {
        if (anyAnimating(*window))
            return true;
    }
    return false;
}

void Application::reset()
{
    Keyboard::shared().reset();
    m_touch.reset();
    m_recognizers.clear();
    m_touchView.reset();
    for (auto& window : m_windows)
        window->setFirstResponder({});
    m_windows.clear();
    m_keyWindow.reset();
}

} // namespace ui
