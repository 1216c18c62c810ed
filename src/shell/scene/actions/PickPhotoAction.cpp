#include "shell/scene/actions/PickPhotoAction.h"

#include <filesystem>

#include "platform/Log.h"
#include "platform/PhotoAlbum.h"
#include "shell/scene/SceneError.h"
#include "shell/scene/SceneOutputError.h"
#include "ui/ImagePickerController.h"

namespace shell {

std::unique_ptr<SceneAction> PickPhotoAction::read(const SceneField& field)
{
    std::string value = field.string();
    if (value.empty())
        field.fail("expected a picture file or \"cancel\"");
    if (value == "cancel")
        return std::make_unique<PickPhotoAction>(field.path(), std::nullopt);
    return std::make_unique<PickPhotoAction>(field.path(), field.filePath());
}

PickPhotoAction::PickPhotoAction(std::string field, std::optional<std::string> file)
    : SceneAction(std::move(field))
    , m_file(std::move(file))
{
}

void PickPhotoAction::play(SceneRunner&) const
{
    std::function<void(ui::ImagePickerController&)> answer;
    if (!m_file) {
        answer = [](ui::ImagePickerController& picker) { picker.cancel(); };
    } else {
        const std::string& path = *m_file;
        platform::PhotoAlbum album;
        auto inAlbum = album.importFile(path);
        if (!inAlbum && album.importFailure() == platform::PhotoAlbum::ImportFailure::NotAPicture)
            throw SceneError(field(), album.importFailureReason());
        if (!inAlbum)
            throw SceneOutputError(field(), album.importFailureReason());
        answer = [file = *inAlbum](ui::ImagePickerController& picker) {
            if (picker.sourceType() == ui::ImagePickerController::SourceType::Camera)
                picker.pickImage(ui::Image::fromPhotoFile(file));
            else if (!picker.pickPhotoAtPath(file))
                platform::log::line("scene", "the picker did not find " + file);
        };
    }
    if (auto picker = ui::ImagePickerController::visiblePicker())
        answer(*picker);
    else
        ui::ImagePickerController::answerNextPicker(std::move(answer));
}

} // namespace shell
