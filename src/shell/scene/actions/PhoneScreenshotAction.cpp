#include "shell/scene/actions/PhoneScreenshotAction.h"

#include "platform/Folders.h"
#include "shell/scene/SceneError.h"
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
    if (!AlbumScreenshot::take())
        throw SceneError(field(), "cannot save the screenshot in \"" + platform::folders::albumFolder() + "\"");
}

} // namespace shell
