#pragma once
#include <memory>
#include <optional>
#include <string>

#include "shell/scene/SceneAction.h"
#include "shell/scene/SceneField.h"

namespace shell {

// {"pickPhoto": "shots/cat.jpg"} or {"pickPhoto": "cancel"}: answers the image
// picker on screen, or the next one to appear, as the user would: by choosing
// the picture (copied into the album first when it is not there; a camera
// picker takes it as its shot) or by tapping "取消". A relative path is taken
// from the current folder, as paths on the command line are.
class PickPhotoAction final : public SceneAction {
public:
    static std::unique_ptr<SceneAction> read(const SceneField& field);

    // No file means cancel.
    PickPhotoAction(std::string field, std::optional<std::string> file);
    void play(SceneRunner& runner) const override;

private:
    std::optional<std::string> m_file;
};

} // namespace shell
