#include "shell/window/WindowFit.h"

#include <algorithm>
#include <cmath>

namespace shell {

ui::Size WindowFit::windowSize(ui::Size screenPoints, double scale, ui::Size available)
{
    double width = screenPoints.width * scale;
    double height = screenPoints.height * scale;
    if (width <= 0 || height <= 0)
        return { 1, 1 };
    double shrink = 1;
    if (available.width > 0 && available.height > 0)
        shrink = std::min({ 1.0, available.width / width, available.height / height });
    return { std::max(1.0, std::floor(width * shrink)), std::max(1.0, std::floor(height * shrink)) };
}

} // namespace shell
