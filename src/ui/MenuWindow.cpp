#include "ui/MenuWindow.h"

#include "ui/Screen.h"

namespace ui {

MenuWindow::MenuWindow()
    : Window(Screen::main().bounds())
{
    setWindowLevel(kLevel);
}

void MenuWindow::setMenuView(std::shared_ptr<View> view)
{
    m_menuView = view;
    if (view && view->superview() != this)
        addSubview(view);
}

std::shared_ptr<View> MenuWindow::hitTest(Point point)
{
    // The application asks this once per touch going down, front window first.
    auto menu = m_menuView.lock();
    if (isHidden() || !menu || menu->isHidden())
        return nullptr;
    Point local = menu->convertPointFrom(point, this);
    if (isUserInteractionEnabled() && menu->pointInside(local))
        return menu->hitTest(local);
    if (touchedOutside) {
        auto callback = touchedOutside;
        callback();
    }
    return nullptr;
}

} // namespace ui
