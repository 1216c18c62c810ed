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
    return router.toWindow(view->frameInScreen());
}

} // namespace shell
