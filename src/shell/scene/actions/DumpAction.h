#pragma once
#include <memory>
#include <string>

#include "shell/scene/SceneAction.h"
#include "shell/scene/SceneField.h"

namespace shell {

// {"dump": "tree.json"}: the view tree as it is now (see TreeDump). A relative
// path is taken from the folder of the final PNG (the -o file).
class DumpAction final : public SceneAction {
public:
    static std::unique_ptr<SceneAction> read(const SceneField& field);

    DumpAction(std::string field, std::string path);
    void play(SceneRunner& runner) const override;

private:
    std::string m_path;
};

} // namespace shell
