#include "shell/scene/actions/DumpAction.h"

#include <filesystem>

#include "shell/scene/SceneError.h"
#include "shell/scene/SceneOutputError.h"
#include "shell/scene/SceneRunner.h"
#include "shell/scene/TreeDump.h"

namespace shell {

std::unique_ptr<SceneAction> DumpAction::read(const SceneField& field)
{
    std::string path = field.string();
    if (path.empty())
        field.fail("expected a file name such as \"tree.json\"");
    return std::make_unique<DumpAction>(field.path(), path);
}

DumpAction::DumpAction(std::string field, std::string path)
    : SceneAction(std::move(field))
    , m_path(std::move(path))
{
}

void DumpAction::play(SceneRunner& runner) const
{
    std::string path = runner.outputPath(m_path, field());
    std::error_code error;
    if (auto folder = std::filesystem::path(path).parent_path(); !folder.empty())
        std::filesystem::create_directories(folder, error);
    if (!TreeDump::write(path))
        throw SceneOutputError(field(), "cannot write \"" + path + "\"");
}

} // namespace shell
