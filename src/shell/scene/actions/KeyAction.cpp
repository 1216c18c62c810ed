#include "shell/scene/actions/KeyAction.h"

#include "shell/scene/SceneError.h"
#include "ui/Application.h"

namespace shell {

std::unique_ptr<SceneAction> KeyAction::read(const SceneField& field)
{
    std::string name = field.string();
    if (name == "return")
        return std::make_unique<KeyAction>(field.path(), Key::Return);
    if (name == "backspace")
        return std::make_unique<KeyAction>(field.path(), Key::Backspace);
    field.fail("unknown key \"" + name + "\" (expected \"return\" or \"backspace\")");
}

KeyAction::KeyAction(std::string field, Key key)
    : SceneAction(std::move(field))
    , m_key(key)
{
}

void KeyAction::play(SceneRunner&) const
{
    auto responder = ui::Application::shared().firstResponder();
    if (!responder)
        throw SceneError(field(), "nothing on screen takes keys (tap a text field first)");
    if (m_key == Key::Return)
        responder->insertText(u"\n");
    else
        responder->deleteBackward();
}

} // namespace shell
