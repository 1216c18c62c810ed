#include "shell/scene/actions/PhoneScreenshotAction.h"

#include "shell/scene/SceneError.h"
#include "shell/scene/SceneOutputError.h"
#include "shell/scene/SceneRunner.h"
#include "shell/window/AlbumScreenshot.h"

namespace shell {

std::unique_ptr<SceneAction> PhoneScreenshotAction::read(const SceneField& field)
{
    if (!field.boolean())
        field.fail("expected true");
    return std::make_unique<PhoneScreenshotAction>(field.path());
}

void PhoneScreenshotAction::play(SceneRunner&) const
{
    std::string whyNot;
    if (!AlbumScreenshot::take(whyNot))
        throw SceneOutputError(field(), whyNot);
}

} // namespace shell
