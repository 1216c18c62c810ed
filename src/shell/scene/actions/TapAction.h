#pragma once
#include <memory>

#include "shell/scene/SceneAction.h"
#include "shell/scene/SceneField.h"
#include "shell/scene/TouchTarget.h"

namespace shell {

// {"tap": TARGET} and {"longPress": TARGET}: one finger down on the target,
// held for a moment (or a second), and lifted at the same point.
class TapAction final : public SceneAction {
public:
    static constexpr double kTapSeconds = 0.1;
    static constexpr double kLongPressSeconds = 1.0;

    static std::unique_ptr<SceneAction> read(const SceneField& field, double holdSeconds);

    TapAction(std::string field, TouchTarget target, double holdSeconds);
    void play(SceneRunner& runner) const override;

private:
    TouchTarget m_target;
    double m_holdSeconds;
};

} // namespace shell
