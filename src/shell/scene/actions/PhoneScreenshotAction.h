#pragma once
#include <memory>

#include "shell/scene/SceneAction.h"
#include "shell/scene/SceneField.h"

namespace shell {

// {"phoneScreenshot": true}: the phone's own screenshot, as F12 takes it in
// the window: the screen goes into the album as the newest picture and the
// app hears that the user took a screenshot.
class PhoneScreenshotAction final : public SceneAction {
public:
    static std::unique_ptr<SceneAction> read(const SceneField& field);

    using SceneAction::SceneAction;
    void play(SceneRunner& runner) const override;
};

} // namespace shell
