#pragma once
#include <functional>
#include <vector>

#include "ui/View.h"

namespace ui {

enum ControlEvent : unsigned {
    TouchDown = 1 << 0,
    TouchDragInside = 1 << 2,
    TouchDragOutside = 1 << 3,
    TouchDragEnter = 1 << 4,
    TouchDragExit = 1 << 5,
    TouchUpInside = 1 << 6,
    TouchUpOutside = 1 << 7,
    TouchCancel = 1 << 8,
    ValueChanged = 1 << 12,
    EditingDidBegin = 1 << 16,
    EditingChanged = 1 << 17,
    EditingDidEnd = 1 << 18,
    EditingDidEndOnExit = 1 << 19,
    AllTouchEvents = 0x0FFF,
    AllEditingEvents = 0x000F0000,
};

enum ControlState : unsigned {
    StateNormal = 0,
    StateHighlighted = 1 << 0,
    StateDisabled = 1 << 1,
    StateSelected = 1 << 2,
};

enum class ContentHorizontalAlignment { Center, Left, Right, Fill };
enum class ContentVerticalAlignment { Center, Top, Bottom, Fill };

// A view that turns touches into target-action events. Actions run
// synchronously in the order they were added; an action may release the control
// (the control keeps itself alive until the dispatch is over).
class Control : public View {
public:
    using Action = std::function<void(Control&)>;
    using View::View;

    std::string className() const override { return "UIControl"; }

    void addAction(unsigned events, Action action);
    void removeAllActions();
    // Runs the actions registered for any of `events`.
    void sendActions(unsigned events);

    bool isEnabled() const { return m_enabled; }
    virtual void setEnabled(bool enabled);
    bool isSelected() const { return m_selected; }
    virtual void setSelected(bool selected);
    bool isHighlighted() const { return m_highlighted; }
    virtual void setHighlighted(bool highlighted);
    unsigned state() const;
    bool isTracking() const { return m_tracking; }
    bool isTouchInside() const { return m_touchInside; }

    ContentHorizontalAlignment contentHorizontalAlignment() const { return m_horizontalAlignment; }
    void setContentHorizontalAlignment(ContentHorizontalAlignment alignment);
    ContentVerticalAlignment contentVerticalAlignment() const { return m_verticalAlignment; }
    void setContentVerticalAlignment(ContentVerticalAlignment alignment);

    void touchesBegan(const TouchList& touches) override;
    void touchesMoved(const TouchList& touches) override;
    void touchesEnded(const TouchList& touches) override;
    void touchesCancelled(const TouchList& touches) override;
    std::shared_ptr<View> hitTest(Point point) override;

protected:
    // Called when the state (highlighted, selected, enabled) changed.
    virtual void stateDidChange() { setNeedsDisplay(); }
    // Whether a point in this view's coordinates counts as inside for tracking:
    // the bounds grown by a margin, as a finger is wide.
    bool isInsideForTracking(Point point) const;

private:
    struct Entry {
        unsigned events;
        Action action;
    };
    std::vector<Entry> m_actions;
    bool m_enabled = true;
    bool m_selected = false;
    bool m_highlighted = false;
    bool m_tracking = false;
    bool m_touchInside = false;
    ContentHorizontalAlignment m_horizontalAlignment = ContentHorizontalAlignment::Center;
    ContentVerticalAlignment m_verticalAlignment = ContentVerticalAlignment::Center;
};

} // namespace ui
