#include "shell/scene/actions/WaitAction.h"

#include "shell/scene/SceneRunner.h"

namespace shell {

std::unique_ptr<SceneAction> WaitAction::read(const SceneField& field)
{
    double seconds = field.nonNegativeNumber();
    if (seconds > kLongestWait)
        field.fail("expected at most 3600 seconds");
    return std::make_unique<WaitAction>(field.path(), seconds);
}

WaitAction::WaitAction(std::string field, double seconds)
    : SceneAction(std::move(field))
    , m_seconds(seconds)
{
}

void WaitAction::play(SceneRunner& runner) const
{
    runner.pass(m_seconds);
}

} // namespace shell
