#include "shell/scene/actions/ScreenshotAction.h"

#include "shell/ScreenCapture.h"
#include "shell/scene/SceneError.h"
#include "shell/scene/SceneOutputError.h"
#include "shell/scene/SceneRunner.h"

namespace shell {

std::unique_ptr<SceneAction> ScreenshotAction::read(const SceneField& field)
{
    std::string path = field.string();
    if (path.empty())
        field.fail("expected a file name such as \"step-1.png\"");
    return std::make_unique<ScreenshotAction>(field.path(), path);
}

ScreenshotAction::ScreenshotAction(std::string field, std::string path)
    : SceneAction(std::move(field))
    , m_path(std::move(path))
{
}

void ScreenshotAction::play(SceneRunner& runner) const
{
    std::string path = runner.outputPath(m_path, field());
    if (!ScreenCapture::writePng(path))
        throw SceneOutputError(field(), "cannot write \"" + path + "\"");
}

} // namespace shell
