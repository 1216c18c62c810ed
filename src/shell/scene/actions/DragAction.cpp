#include "shell/scene/actions/DragAction.h"

#include <algorithm>
#include <cmath>

#include "shell/scene/SceneRunner.h"
#include "ui/Application.h"

namespace shell {

std::unique_ptr<SceneAction> DragAction::read(const SceneField& field)
{
    field.expectOnlyMembers({ "from", "to", "seconds" });
    auto from = field.member("from");
    auto to = field.member("to");
    if (!from || !to)
        field.fail("expected {\"from\": [x, y] or a view, \"to\": [x, y]}");
    double seconds = kDefaultSeconds;
    if (auto given = field.member("seconds")) {
        seconds = given->nonNegativeNumber();
        if (seconds > 60)
            given->fail("expected at most 60 seconds");
    }
    return std::make_unique<DragAction>(field.path(), TouchTarget::read(*from), to->point(), seconds);
}

DragAction::DragAction(std::string field, TouchTarget from, ui::Point to, double seconds)
    : SceneAction(std::move(field))
    , m_from(std::move(from))
    , m_to(to)
    , m_seconds(seconds)
{
}

void DragAction::play(SceneRunner& runner) const
{
    ui::Point start = m_from.locate(field());
    auto& app = ui::Application::shared();
    app.touchDown(start);
    int steps = std::max(1, static_cast<int>(std::lround(m_seconds / SceneRunner::kFrameSeconds)));
    for (int i = 1; i <= steps; ++i) {
        runner.pass(m_seconds / steps);
        double t = static_cast<double>(i) / steps;
        app.touchMove({ start.x + (m_to.x - start.x) * t, start.y + (m_to.y - start.y) * t });
    }
    app.touchUp(m_to);
}

} // namespace shell
