#include "shell/scene/actions/DialogTap.h"

#include "shell/scene/SceneRunner.h"
#include "shell/scene/actions/TapAction.h"
#include "ui/Application.h"
#include "ui/Window.h"

namespace shell {

void tapDialogButton(SceneRunner& runner, const ui::View& button)
{
    ui::Rect rect = button.convertRectTo(button.bounds(), nullptr);
    ui::Point origin = button.window() ? button.window()->frame().origin : ui::Point {};
    ui::Point point { rect.midX() + origin.x, rect.midY() + origin.y };
    auto& app = ui::Application::shared();
    app.touchDown(point);
    runner.pass(TapAction::kTapSeconds);
    app.touchUp(point);
}

} // namespace shell
