#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "ui/Touch.h"

namespace ui {

class View;

// Recognizes a gesture from the touches that reach its view or the view's
// subviews. When it recognizes, the touches stop reaching the view (unless
// `cancelsTouchesInView` is false) and its action runs. Actions run
// synchronously during touch dispatch; an action may remove the recognizer or
// its view, which the dispatcher survives.
class GestureRecognizer : public std::enable_shared_from_this<GestureRecognizer> {
public:
    enum class State { Possible, Began, Changed, Ended, Cancelled, Failed };
    using Action = std::function<void(GestureRecognizer&)>;

    explicit GestureRecognizer(Action action = {});
    virtual ~GestureRecognizer() = default;

    void addAction(Action action) { m_actions.push_back(std::move(action)); }
    State state() const { return m_state; }
    View* view() const { return m_view; }
    void setView(View* view) { m_view = view; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool cancelsTouchesInView() const { return m_cancelsTouchesInView; }
    void setCancelsTouchesInView(bool value) { m_cancelsTouchesInView = value; }
    bool delaysTouchesBegan() const { return m_delaysTouchesBegan; }
    void setDelaysTouchesBegan(bool value) { m_delaysTouchesBegan = value; }

    // Asked before leaving Possible; returning false makes the recognizer fail.
    std::function<bool(GestureRecognizer&)> shouldBegin;
    // Asked when this and another recognizer would both recognize.
    std::function<bool(GestureRecognizer&, GestureRecognizer&)> shouldRecognizeSimultaneously;

    // The touch being followed, if any.
    const std::shared_ptr<Touch>& touch() const { return m_touch; }
    // The touch location in `view`'s coordinates (window coordinates for null).
    Point locationIn(const View* view) const;

    // Touch input from the dispatcher.
    virtual void touchesBegan(const TouchList& touches);
    virtual void touchesMoved(const TouchList& touches);
    virtual void touchesEnded(const TouchList& touches);
    virtual void touchesCancelled(const TouchList& touches);
    // Called by the dispatcher when the touch sequence is over, to start afresh.
    virtual void reset();

    bool hasRecognized() const { return m_state == State::Began || m_state == State::Changed || m_state == State::Ended; }
    bool isFinished() const { return m_state == State::Ended || m_state == State::Cancelled || m_state == State::Failed; }

protected:
    // Moves to a new state; Began, Changed, Ended and Cancelled run the actions.
    void setState(State state);
    std::shared_ptr<Touch> m_touch;

private:
    std::vector<Action> m_actions;
    View* m_view = nullptr;
    State m_state = State::Possible;
    bool m_enabled = true;
    bool m_cancelsTouchesInView = true;
    bool m_delaysTouchesBegan = false;
};

// One tap: a touch that ends within a small distance of where it began.
class TapGestureRecognizer : public GestureRecognizer {
public:
    using GestureRecognizer::GestureRecognizer;
    void touchesBegan(const TouchList& touches) override;
    void touchesMoved(const TouchList& touches) override;
    void touchesEnded(const TouchList& touches) override;
    void touchesCancelled(const TouchList& touches) override;
};

// A touch held still for `minimumPressDuration` seconds (0.5 by default).
class LongPressGestureRecognizer : public GestureRecognizer {
public:
    using GestureRecognizer::GestureRecognizer;
    ~LongPressGestureRecognizer() override;
    double minimumPressDuration() const { return m_minimumPressDuration; }
    void setMinimumPressDuration(double seconds) { m_minimumPressDuration = seconds; }
    void touchesBegan(const TouchList& touches) override;
    void touchesMoved(const TouchList& touches) override;
    void touchesEnded(const TouchList& touches) override;
    void touchesCancelled(const TouchList& touches) override;
    void reset() override;

private:
    double m_minimumPressDuration = 0.5;
    unsigned long long m_timer = 0;
};

// A drag: begins once the touch has moved far enough; reports translation.
class PanGestureRecognizer : public GestureRecognizer {
public:
    using GestureRecognizer::GestureRecognizer;
    Point translationIn(const View* view) const;
    // Points per second, from the last two touch samples.
    Point velocityIn(const View* view) const;
    void touchesBegan(const TouchList& touches) override;
    void touchesMoved(const TouchList& touches) override;
    void touchesEnded(const TouchList& touches) override;
    void touchesCancelled(const TouchList& touches) override;
    void reset() override;

protected:
    // Whether the drag so far may begin this recognizer.
    virtual bool shouldStartWithTranslation(Point translation) const;
    Point m_lastLocation;
    double m_lastTime = 0;
    Point m_velocity;
};

// A drag that starts at the left edge of the screen and moves right (the
// navigation stack's swipe back).
class ScreenEdgePanGestureRecognizer : public PanGestureRecognizer {
public:
    using PanGestureRecognizer::PanGestureRecognizer;
    void touchesBegan(const TouchList& touches) override;

protected:
    bool shouldStartWithTranslation(Point translation) const override;
};

} // namespace ui
