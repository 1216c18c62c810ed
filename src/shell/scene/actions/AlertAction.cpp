#include "shell/scene/actions/AlertAction.h"

#include "shell/scene/SceneError.h"
#include "shell/scene/SceneRunner.h"
#include "shell/scene/actions/DialogTap.h"
#include "ui/AlertView.h"
#include "ui/DialogButton.h"
#include "ui/TextField.h"

namespace shell {

std::unique_ptr<SceneAction> AlertAction::read(const SceneField& field)
{
    if (!field.isObject())
        return std::make_unique<AlertAction>(field.path(), field.integer(), std::nullopt);
    field.expectOnlyMembers({ "button", "text" });
    auto button = field.member("button");
    if (!button)
        field.fail("expected \"button\": the index of the button to tap");
    std::optional<std::u16string> text;
    if (auto typed = field.member("text"))
        text = ui::toUtf16(typed->string());
    return std::make_unique<AlertAction>(field.path(), button->integer(), std::move(text));
}

AlertAction::AlertAction(std::string field, int button, std::optional<std::u16string> text)
    : SceneAction(std::move(field))
    , m_button(button)
    , m_text(std::move(text))
{
}

void AlertAction::play(SceneRunner& runner) const
{
    auto alert = ui::AlertView::visibleAlert();
    if (!alert)
        throw SceneError(field(), "no alert on screen");
    auto button = alert->buttonAtIndex(m_button);
    if (!button)
        throw SceneError(field(), "the alert has no button " + std::to_string(m_button) + " (it has "
                + std::to_string(alert->numberOfButtons()) + ")");
    if (m_text) {
        auto textField = alert->textFieldAtIndex(0);
        if (!textField)
            throw SceneError(field(), "the alert has no text field to type into");
        // Typed over what the field held, through the field's own editing path.
        textField->replaceCharacters({ 0, textField->text().size() }, *m_text);
    }
    tapDialogButton(runner, *button);
}

} // namespace shell
