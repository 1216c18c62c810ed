#include "shell/ScreenCapture.h"

#include <filesystem>

#include "platform/ImageCodec.h"
#include "ui/Application.h"
#include "ui/Renderer.h"

namespace shell {

bool ScreenCapture::writePng(const std::string& path)
{
    std::error_code error;
    auto folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    ui::Application::shared().layoutIfNeeded();
    auto image = ui::Renderer::snapshotScreen();
    if (!image)
        return false;
    return platform::imagecodec::writePng(path, image->pixels(), platform::PngMetadata {});
}

} // namespace shell
