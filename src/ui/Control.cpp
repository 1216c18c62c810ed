#include "ui/Control.h"

namespace ui {

static constexpr double kTrackingMargin = 70;

void Control::addAction(unsigned events, Action action)
{
    if (action)
        m_actions.push_back({ events, std::move(action) });
}

void Control::removeAllActions() { m_actions.clear(); }

void Control::sendActions(unsigned events)
{
    auto self = sharedView();
    auto actions = m_actions;
    for (auto& entry : actions) {
        if (entry.events & events)
            entry.action(*this);
    }
}

void Control::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    if (!enabled)
        m_highlighted = false;
    stateDidChange();
}

void Control::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    stateDidChange();
}

void Control::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    stateDidChange();
}

unsigned Control::state() const
{
    unsigned s = StateNormal;
    if (m_highlighted)
        s |= StateHighlighted;
    if (!m_enabled)
        s |= StateDisabled;
    if (m_selected)
        s |= StateSelected;
    return s;
}

void Control::setContentHorizontalAlignment(ContentHorizontalAlignment alignment)
{
    if (m_horizontalAlignment == alignment)
        return;
    m_horizontalAlignment = alignment;
    setNeedsLayout();
}

void Control::setContentVerticalAlignment(ContentVerticalAlignment alignment)
{
    if (m_verticalAlignment == alignment)
        return;
    m_verticalAlignment = alignment;
    setNeedsLayout();
}

std::shared_ptr<View> Control::hitTest(Point point)
{
    if (!m_enabled)
        return pointInside(point) && !isHidden() && isUserInteractionEnabled() ? sharedView() : nullptr;
    return View::hitTest(point);
}

bool Control::isInsideForTracking(Point point) const
{
    return bounds().insetBy(-kTrackingMargin, -kTrackingMargin).contains(point);
}

void Control::touchesBegan(const TouchList& touches)
{
    if (!m_enabled || touches.empty())
        return;
    auto self = sharedView();
    m_tracking = true;
    m_touchInside = true;
    setHighlighted(true);
    sendActions(TouchDown);
}

void Control::touchesMoved(const TouchList& touches)
{
    if (!m_tracking || touches.empty())
        return;
    auto self = sharedView();
    bool inside = isInsideForTracking(touches.front()->locationIn(this));
    bool wasInside = m_touchInside;
    m_touchInside = inside;
    setHighlighted(inside);
    if (inside != wasInside)
        sendActions(inside ? TouchDragEnter : TouchDragExit);
    sendActions(inside ? TouchDragInside : TouchDragOutside);
}

void Control::touchesEnded(const TouchList& touches)
{
    if (!m_tracking || touches.empty())
        return;
    auto self = sharedView();
    bool inside = isInsideForTracking(touches.front()->locationIn(this));
    m_tracking = false;
    m_touchInside = false;
    setHighlighted(false);
    sendActions(inside ? TouchUpInside : TouchUpOutside);
}

void Control::touchesCancelled(const TouchList&)
{
    if (!m_tracking)
        return;
    auto self = sharedView();
    m_tracking = false;
    m_touchInside = false;
    setHighlighted(false);
    sendActions(TouchCancel);
}

} // namespace ui
