#pragma once
#include <memory>
#include <string>

#include "shell/scene/SceneAction.h"
#include "shell/scene/SceneField.h"

namespace shell {

// {"type": "你好"}: the text inserted into the first responder at once, as a
// desktop keyboard or input method delivers a committed text.
class TypeAction final : public SceneAction {
public:
    static std::unique_ptr<SceneAction> read(const SceneField& field);

    TypeAction(std::string field, std::u16string text);
    void play(SceneRunner& runner) const override;

private:
    std::u16string m_text;
};

} // namespace shell
