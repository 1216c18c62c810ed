#include "shell/scene/actions/TapAction.h"

#include "shell/scene/SceneRunner.h"
#include "ui/Application.h"

namespace shell {

std::unique_ptr<SceneAction> TapAction::read(const SceneField& field, double holdSeconds)
{
    return std::make_unique<TapAction>(field.path(), TouchTarget::read(field), holdSeconds);
}

TapAction::TapAction(std::string field, TouchTarget target, double holdSeconds)
    : SceneAction(std::move(field))
    , m_target(std::move(target))
    , m_holdSeconds(holdSeconds)
{
}

void TapAction::play(SceneRunner& runner) const
{
    ui::Point point = m_target.locate(field());
    auto& app = ui::Application::shared();
    app.touchDown(point);
    runner.pass(m_holdSeconds);
    app.touchUp(point);
}

} // namespace shell
