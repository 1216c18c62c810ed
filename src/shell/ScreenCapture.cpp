#include "shell/ScreenCapture.h"

#include <filesystem>

#include "platform/ImageCodec.h"
#include "ui/ScreenCanvas.h"

namespace shell {

bool ScreenCapture::writePng(const std::string& path)
{
    std::error_code error;
    auto folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    // Written from the screen's kept surface as drawn: no copy of the pixels.
    const auto& pixels = ui::ScreenCanvas::shared().draw();
    if (pixels.pixels.empty())
        return false;
    return platform::imagecodec::writePng(path, pixels, platform::PngMetadata {});
}

} // namespace shell
