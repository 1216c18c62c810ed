#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Touch.h"
#include "ui/Window.h"

namespace ui {

class GestureRecognizer;

// The running app: its visible windows, the key window and the dispatch of
// touches and keys. There is one per process; tests reset it between cases.
class Application {
public:
    static Application& shared();

    // Visible windows from back to front (by level, then by order shown).
    std::vector<WindowPtr> windows() const;
    void addWindow(const WindowPtr& window);
    void removeWindow(const Window* window);
    WindowPtr keyWindow() const { return m_keyWindow.lock(); }
    void setKeyWindow(const WindowPtr& window);
    // The first responder of the key window, if any.
    std::shared_ptr<Responder> firstResponder() const;
    void setFirstResponder(const std::shared_ptr<Responder>& responder);
    void clearFirstResponder();

    // The view a finger put down at `point` (screen points) would touch: the
    // front-most window's hit-test answer, or nil.
    std::shared_ptr<View> hitView(Point point) const;
    // One finger, in screen coordinates (points). Returns false when nothing
    // took the touch.
    void touchDown(Point point);
    void touchMove(Point point);
    void touchUp(Point point);
    void touchCancel();
    bool isTouching() const { return m_touch != nullptr; }

    // A wheel or touchpad scroll of `delta` points at `point`: the innermost
    // scroll view under the point that can move that way takes it. Returns
    // whether one did.
    bool scrollWheel(Point point, Point delta);
    // A file dropped from the desktop at `point`: offered to the view under
    // it and up its responder chain (Responder::acceptDroppedFile). Returns
    // whether someone took it.
    bool dropFile(Point point, const std::string& path);

    // A recognizer that began from a timer while the finger rests (a long
    // press) takes the touch from the view at once, not at the next move.
    void recognizerBeganWithoutTouchEvent(GestureRecognizer& recognizer);

    // Lays out every visible window (before a frame is drawn or inspected).
    void layoutIfNeeded();
    // Whether a view in a visible window waits for layout.
    bool needsLayout() const;
    // Whether anything is still moving on screen.
    bool hasRunningAnimations() const;

    // Drops every window and pending touch (a fresh start, for tests and scenes).
    void reset();

private:
    void deliver(void (Responder::*handler)(const TouchList&), void (GestureRecognizer::*recognizerHandler)(const TouchList&));
    void finishSequence();

    std::vector<WindowPtr> m_windows;
    std::weak_ptr<Window> m_keyWindow;
    std::shared_ptr<Touch> m_touch;
    std::vector<std::shared_ptr<GestureRecognizer>> m_recognizers;
    std::weak_ptr<View> m_touchView;
    bool m_touchCancelledForView = false;
    // A recognizer that delays touches (a scroll view) holds the view's
    // touchesBegan back for a moment, so a drag never highlights a button.
    bool m_beganDelivered = false;
    unsigned long long m_delayedBegan = 0;
    void deliverDelayedBegan();
    // Once one recognizer has the gesture, the others give up unless they may share it.
    void dropLosersTo(const std::shared_ptr<GestureRecognizer>& winner);
    void updateTouch(TouchPhase phase, Point point);
};

} // namespace ui
