#pragma once
#include <memory>
#include <string>

#include "shell/scene/SceneAction.h"
#include "shell/scene/SceneField.h"

namespace shell {

// {"screenshot": "step-2.png"}: the screen as it is now, as PNG. A relative
// path is taken from the folder of the final PNG (the -o file).
class ScreenshotAction final : public SceneAction {
public:
    static std::unique_ptr<SceneAction> read(const SceneField& field);

    ScreenshotAction(std::string field, std::string path);
    void play(SceneRunner& runner) const override;

private:
    std::string m_path;
};

} // namespace shell
