#pragma once
#include <functional>

#include "ui/Window.h"

namespace ui {

// The edit menu's window: as large as the screen and above the app, but it
// takes only the touches that land on the menu. Any other touch goes on to the
// windows below, and the window hears of it first so the menu can go away.
class MenuWindow : public Window {
public:
    static constexpr double kLevel = WindowLevel::Alert + 100;

    MenuWindow();
    std::string className() const override { return "UITextEffectsWindow"; }

    // The view whose touches the window keeps (the callout).
    void setMenuView(std::shared_ptr<View> view);

    // Called synchronously while a touch goes down outside the menu view,
    // before the touch reaches the window below. The callee may hide this
    // window but must not release it.
    std::function<void()> touchedOutside;

    std::shared_ptr<View> hitTest(Point point) override;

private:
    std::weak_ptr<View> m_menuView;
};

} // namespace ui
