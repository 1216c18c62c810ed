#pragma once
#include <memory>
#include <string>

#include "shell/scene/SceneAction.h"
#include "shell/scene/SceneField.h"

namespace shell {

// {"sheet": 1}: answers the action sheet on screen by tapping the button with
// that index, in the phone's order: destructive first, then the others, then
// cancel, then buttons added later.
class SheetAction final : public SceneAction {
public:
    static std::unique_ptr<SceneAction> read(const SceneField& field);

    SheetAction(std::string field, int button);
    void play(SceneRunner& runner) const override;

private:
    int m_button;
};

} // namespace shell
