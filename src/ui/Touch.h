#pragma once
#include <memory>
#include <vector>

#include "ui/graphics/Geometry.h"

namespace ui {

class View;
class Window;

enum class TouchPhase { Began, Moved, Stationary, Ended, Cancelled };

// One finger on the screen. The window and view are fixed when the touch begins;
// locations are kept in window coordinates and converted on request.
class Touch {
public:
    Touch(std::weak_ptr<Window> window, std::weak_ptr<View> view, Point location, double timestamp);

    TouchPhase phase() const { return m_phase; }
    double timestamp() const { return m_timestamp; }
    int tapCount() const { return 1; }
    std::shared_ptr<View> view() const { return m_view.lock(); }
    std::shared_ptr<Window> window() const { return m_window.lock(); }
    Point locationInWindow() const { return m_location; }
    Point previousLocationInWindow() const { return m_previous; }
    Point startLocationInWindow() const { return m_start; }
    // The location in `view`'s coordinates (window coordinates when null).
    Point locationIn(const View* view) const;
    Point previousLocationIn(const View* view) const;

    void update(TouchPhase phase, Point location, double timestamp);

private:
    std::weak_ptr<Window> m_window;
    std::weak_ptr<View> m_view;
    Point m_start;
    Point m_location;
    Point m_previous;
    double m_timestamp;
    TouchPhase m_phase = TouchPhase::Began;
};

using TouchList = std::vector<std::shared_ptr<Touch>>;

} // namespace ui
