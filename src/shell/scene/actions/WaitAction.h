#pragma once
#include <memory>

#include "shell/scene/SceneAction.h"
#include "shell/scene/SceneField.h"

namespace shell {

// {"wait": 2.5}: lets seconds of virtual time pass, frame by frame, so timers
// fire and animations move as they would on the phone.
class WaitAction final : public SceneAction {
public:
    // Longer waits are almost certainly a mistake in the file (minutes for seconds).
    static constexpr double kLongestWait = 3600;

    static std::unique_ptr<SceneAction> read(const SceneField& field);

    WaitAction(std::string field, double seconds);
    void play(SceneRunner& runner) const override;

private:
    double m_seconds;
};

} // namespace shell
