#include "shell/scene/actions/TypeAction.h"

#include "shell/scene/SceneError.h"
#include "ui/Application.h"
#include "ui/graphics/AttributedString.h"

namespace shell {

std::unique_ptr<SceneAction> TypeAction::read(const SceneField& field)
{
    return std::make_unique<TypeAction>(field.path(), ui::toUtf16(field.string()));
}

TypeAction::TypeAction(std::string field, std::u16string text)
    : SceneAction(std::move(field))
    , m_text(std::move(text))
{
}

void TypeAction::play(SceneRunner&) const
{
    auto responder = ui::Application::shared().firstResponder();
    if (!responder)
        throw SceneError(field(), "nothing on screen takes typed text (tap a text field first)");
    responder->insertText(m_text);
}

} // namespace shell
