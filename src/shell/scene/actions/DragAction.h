#pragma once
#include <memory>

#include "shell/scene/SceneAction.h"
#include "shell/scene/SceneField.h"
#include "shell/scene/TouchTarget.h"

namespace shell {

// {"drag": {"from": TARGET, "to": [x, y], "seconds": 0.3}}: a finger put down
// on `from` that moves in a straight line to `to` over `seconds` (0.3 when
// absent), one step per frame, and lifts there. Quick drags are flicks.
class DragAction final : public SceneAction {
public:
    static constexpr double kDefaultSeconds = 0.3;

    static std::unique_ptr<SceneAction> read(const SceneField& field);

    DragAction(std::string field, TouchTarget from, ui::Point to, double seconds);
    void play(SceneRunner& runner) const override;

private:
    TouchTarget m_from;
    ui::Point m_to;
    double m_seconds;
};

} // namespace shell
