#include "shell/window/TextInputArea.h"

#include "shell/window/InputRouter.h"
#include "ui/Application.h"
#include "ui/View.h"

namespace shell {

std::optional<ui::Rect> TextInputArea::current(const InputRouter& router)
{
    auto responder = ui::Application::shared().firstResponder();
    auto* view = dynamic_cast<ui::View*>(responder.get());
    if (!view || !view->hasKeyInput())
        return std::nullopt;
    const ui::View* root = view;
    while (root->superview())
        root = root->superview();
    // Window coordinates, then the screen: a window may sit off the screen's
    // origin while it slides in.
    ui::Rect inWindow = view->convertRectTo(view->bounds(), nullptr);
    ui::Rect onScreen = inWindow.offsetBy(root->frame().x(), root->frame().y());
    return router.toWindow(onScreen);
}

} // namespace shell
