#include "ui/Touch.h"

#include "ui/View.h"

namespace ui {

Touch::Touch(std::weak_ptr<Window> window, std::weak_ptr<View> view, Point location, double timestamp)
    : m_window(std::move(window))
    , m_view(std::move(view))
    , m_start(location)
    , m_location(location)
    , m_previous(location)
    , m_timestamp(timestamp)
{
}

Point Touch::locationIn(const View* view) const
{
    return view ? view->fromWindow(m_location) : m_location;
}

Point Touch::previousLocationIn(const View* view) const
{
    return view ? view->fromWindow(m_previous) : m_previous;
}

void Touch::update(TouchPhase phase, Point location, double timestamp)
{
    m_previous = m_location;
    m_location = location;
    m_phase = phase;
    m_timestamp = timestamp;
}

} // namespace ui
