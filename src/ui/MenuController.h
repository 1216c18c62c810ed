#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/graphics/Geometry.h"

namespace ui {

class MenuCalloutView;
class MenuWindow;
class View;

// An item of the edit menu: its title and the action it sends.
struct MenuItem {
    std::string title;
    std::string action;
    bool operator==(const MenuItem&) const = default;
};

// The phone's shared edit menu: a black callout over (or under) a target
// rectangle, listing the standard edit actions and the app's own items that
// the first responder's chain can perform (Responder::canPerformAction). A tap
// on an item hides the menu and sends the item's action up the chain from the
// first responder (Responder::performAction). Any touch elsewhere hides the
// menu and still reaches what it touched.
class MenuController {
public:
    static constexpr double kScreenMargin = 6;
    static constexpr double kShowDuration = 0.1;

    static MenuController& shared();
    // cut, copy, paste, select, selectAll and delete with the phone's titles,
    // in the order the phone shows them, before the app's items.
    static const std::vector<MenuItem>& standardItems();

    const std::vector<MenuItem>& menuItems() const { return m_items; }
    void setMenuItems(std::vector<MenuItem> items);
    // The rectangle to point at, in `view`'s coordinates (held weakly).
    void setTargetRect(const Rect& rect, View* view);

    // Showing asks the first responder which items to offer; with no first
    // responder or nothing it can perform, nothing is shown.
    void setMenuVisible(bool visible, bool animated);
    bool isMenuVisible() const;
    // Re-reads the items and the target while visible.
    void update();

    // What is on screen: the offered items and the callout's frame in screen
    // coordinates (arrow included).
    const std::vector<MenuItem>& visibleItems() const { return m_shown; }
    Rect menuFrame() const;
    // Whether the arrow points down at a target below the bar.
    bool arrowPointsDown() const;

private:
    MenuController();
    void ensureWindow();
    bool layoutCallout();
    void itemTapped(int index);

    std::vector<MenuItem> m_items;
    std::vector<MenuItem> m_shown;
    Rect m_targetRect;
    std::weak_ptr<View> m_targetView;
    bool m_visible = false;
    unsigned m_generation = 0;
    std::shared_ptr<MenuWindow> m_window;
    std::shared_ptr<MenuCalloutView> m_callout;
};

} // namespace ui
