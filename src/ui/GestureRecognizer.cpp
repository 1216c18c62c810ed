#include "ui/GestureRecognizer.h"

#include <cmath>

#include "platform/MainQueue.h"
#include "ui/Application.h"
#include "ui/View.h"

namespace ui {

// How far a finger may wander before a tap or long press is no longer one.
static constexpr double kTapSlop = 10;
static constexpr double kPanThreshold = 10;
static constexpr double kEdgeWidth = 20;

static double distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

GestureRecognizer::GestureRecognizer(Action action)
{
    if (action)
        m_actions.push_back(std::move(action));
}

void GestureRecognizer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled && m_state != State::Possible) {
        if (hasRecognized() && m_state != State::Ended)
            setState(State::Cancelled);
        reset();
    }
}

Point GestureRecognizer::locationIn(const View* view) const
{
    if (!m_touch)
        return {};
    return m_touch->locationIn(view);
}

void GestureRecognizer::touchesBegan(const TouchList& touches)
{
    if (!touches.empty())
        m_touch = touches.front();
}

void GestureRecognizer::touchesMoved(const TouchList&) { }
void GestureRecognizer::touchesEnded(const TouchList&) { }

void GestureRecognizer::touchesCancelled(const TouchList&)
{
    if (hasRecognized() && m_state != State::Ended)
        setState(State::Cancelled);
    else if (m_state == State::Possible)
        setState(State::Failed);
}

void GestureRecognizer::reset()
{
    m_state = State::Possible;
    m_touch.reset();
}

void GestureRecognizer::setState(State state)
{
    if (state == State::Began || (state == State::Ended && m_state == State::Possible)) {
        if (shouldBegin && !shouldBegin(*this)) {
            m_state = State::Failed;
            return;
        }
    }
    m_state = state;
    if (state == State::Failed || state == State::Possible)
        return;
    auto self = shared_from_this(); // an action may drop the last other reference
    auto actions = m_actions;
    for (auto& action : actions)
        action(*self);
}

void TapGestureRecognizer::touchesBegan(const TouchList& touches)
{
    GestureRecognizer::touchesBegan(touches);
}

void TapGestureRecognizer::touchesMoved(const TouchList&)
{
    if (state() == State::Possible && m_touch && distance(m_touch->startLocationInWindow(), m_touch->locationInWindow()) > kTapSlop)
        setState(State::Failed);
}

void TapGestureRecognizer::touchesEnded(const TouchList&)
{
    if (state() != State::Possible)
        return;
    if (m_touch && distance(m_touch->startLocationInWindow(), m_touch->locationInWindow()) > kTapSlop) {
        setState(State::Failed);
        return;
    }
    setState(State::Ended);
}

void TapGestureRecognizer::touchesCancelled(const TouchList& touches)
{
    GestureRecognizer::touchesCancelled(touches);
}

LongPressGestureRecognizer::~LongPressGestureRecognizer()
{
    platform::MainQueue::shared().cancel(m_timer);
}

void LongPressGestureRecognizer::touchesBegan(const TouchList& touches)
{
    GestureRecognizer::touchesBegan(touches);
    std::weak_ptr<GestureRecognizer> weak = weak_from_this();
    m_timer = platform::MainQueue::shared().after(m_minimumPressDuration, [weak] {
        auto self = std::static_pointer_cast<LongPressGestureRecognizer>(weak.lock());
        if (!self)
            return;
        self->m_timer = 0;
        if (self->state() == State::Possible && self->m_touch && self->isEnabled()) {
            self->setState(State::Began);
            if (self->hasRecognized())
                Application::shared().recognizerBeganWithoutTouchEvent(*self);
        }
    });
}

void LongPressGestureRecognizer::touchesMoved(const TouchList&)
{
    if (!m_touch)
        return;
    if (state() == State::Possible) {
        if (distance(m_touch->startLocationInWindow(), m_touch->locationInWindow()) > kTapSlop) {
            platform::MainQueue::shared().cancel(m_timer);
            setState(State::Failed);
        }
    } else if (state() == State::Began || state() == State::Changed) {
        setState(State::Changed);
    }
}

void LongPressGestureRecognizer::touchesEnded(const TouchList&)
{
    platform::MainQueue::shared().cancel(m_timer);
    if (state() == State::Began || state() == State::Changed)
        setState(State::Ended);
    else if (state() == State::Possible)
        setState(State::Failed);
}

void LongPressGestureRecognizer::touchesCancelled(const TouchList& touches)
{
    platform::MainQueue::shared().cancel(m_timer);
    GestureRecognizer::touchesCancelled(touches);
}

void LongPressGestureRecognizer::reset()
{
    platform::MainQueue::shared().cancel(m_timer);
    m_timer = 0;
    GestureRecognizer::reset();
}

Point PanGestureRecognizer::translationIn(const View*) const
{
    if (!m_touch)
        return {};
    return m_touch->locationInWindow() - m_touch->startLocationInWindow();
}

Point PanGestureRecognizer::velocityIn(const View*) const { return m_velocity; }

void PanGestureRecognizer::touchesBegan(const TouchList& touches)
{
    GestureRecognizer::touchesBegan(touches);
    if (m_touch) {
        m_lastLocation = m_touch->locationInWindow();
        m_lastTime = m_touch->timestamp();
    }
    m_velocity = {};
}

bool PanGestureRecognizer::shouldStartWithTranslation(Point translation) const
{
    return std::hypot(translation.x, translation.y) > kPanThreshold;
}

void PanGestureRecognizer::touchesMoved(const TouchList&)
{
    if (!m_touch)
        return;
    double dt = m_touch->timestamp() - m_lastTime;
    Point location = m_touch->locationInWindow();
    if (dt > 0)
        m_velocity = { (location.x - m_lastLocation.x) / dt, (location.y - m_lastLocation.y) / dt };
    m_lastLocation = location;
    m_lastTime = m_touch->timestamp();
    if (state() == State::Possible) {
        if (shouldStartWithTranslation(translationIn(nullptr)))
            setState(State::Began);
    } else if (state() == State::Began || state() == State::Changed) {
        setState(State::Changed);
    }
}

void PanGestureRecognizer::touchesEnded(const TouchList&)
{
    // A finger that rested before lifting throws nothing.
    if (m_touch && m_touch->timestamp() - m_lastTime > 0.05)
        m_velocity = {};
    if (state() == State::Began || state() == State::Changed)
        setState(State::Ended);
    else if (state() == State::Possible)
        setState(State::Failed);
}

void PanGestureRecognizer::touchesCancelled(const TouchList& touches)
{
    GestureRecognizer::touchesCancelled(touches);
}

void PanGestureRecognizer::reset()
{
    GestureRecognizer::reset();
    m_velocity = {};
}

void ScreenEdgePanGestureRecognizer::touchesBegan(const TouchList& touches)
{
    PanGestureRecognizer::touchesBegan(touches);
    if (m_touch && m_touch->startLocationInWindow().x > kEdgeWidth)
        setState(State::Failed);
}

bool ScreenEdgePanGestureRecognizer::shouldStartWithTranslation(Point translation) const
{
    return translation.x > kPanThreshold && std::abs(translation.x) > std::abs(translation.y);
}

} // namespace ui
