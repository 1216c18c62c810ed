#include "shell/scene/actions/SheetAction.h"

#include "shell/scene/SceneError.h"
#include "shell/scene/actions/DialogTap.h"
#include "ui/ActionSheet.h"
#include "ui/DialogButton.h"

namespace shell {

std::unique_ptr<SceneAction> SheetAction::read(const SceneField& field)
{
    return std::make_unique<SheetAction>(field.path(), field.integer());
}

SheetAction::SheetAction(std::string field, int button)
    : SceneAction(std::move(field))
    , m_button(button)
{
}

void SheetAction::play(SceneRunner& runner) const
{
    auto sheet = ui::ActionSheet::visibleSheet();
    if (!sheet)
        throw SceneError(field(), "no action sheet on screen");
    auto button = sheet->buttonAtIndex(m_button);
    if (!button)
        throw SceneError(field(), "the sheet has no button " + std::to_string(m_button) + " (it has "
                + std::to_string(sheet->numberOfButtons()) + ")");
    tapDialogButton(runner, *button);
}

} // namespace shell
