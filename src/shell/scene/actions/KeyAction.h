#pragma once
#include <memory>

#include "shell/scene/SceneAction.h"
#include "shell/scene/SceneField.h"

namespace shell {

// {"key": "return"} inserts a line break into the first responder;
// {"key": "backspace"} deletes backward, as the desktop keys do in the window.
class KeyAction final : public SceneAction {
public:
    enum class Key { Return, Backspace };

    static std::unique_ptr<SceneAction> read(const SceneField& field);

    KeyAction(std::string field, Key key);
    void play(SceneRunner& runner) const override;

private:
    Key m_key;
};

} // namespace shell
