#pragma once
#include <memory>
#include <optional>
#include <string>

#include "shell/scene/SceneAction.h"
#include "shell/scene/SceneField.h"

namespace shell {

// {"alert": 1} or {"alert": {"button": 1, "text": "100"}}: answers the alert on
// screen by tapping the button with that index (the phone's order: cancel is 0
// when there is one), after typing `text` into its text field in place of what
// it held.
class AlertAction final : public SceneAction {
public:
    static std::unique_ptr<SceneAction> read(const SceneField& field);

    AlertAction(std::string field, int button, std::optional<std::u16string> text);
    void play(SceneRunner& runner) const override;

private:
    int m_button;
    std::optional<std::u16string> m_text;
};

} // namespace shell
