#include "shell/window/WindowZoom.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <span>
#include <sstream>

#include "platform/ReplacingFile.h"

namespace shell {

static constexpr std::array kSteps { 0.25, 0.33, 0.5, 0.67, 0.75, 0.9, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0 };

WindowZoom::WindowZoom(ui::Size phonePixels)
    : m_phone { std::max(1.0, phonePixels.width), std::max(1.0, phonePixels.height) }
{
}

void WindowZoom::setZoom(double zoom)
{
    if (!std::isfinite(zoom))
        return;
    m_zoom = std::clamp(zoom, kMinimum, kMaximum);
}

double WindowZoom::fitZoom(ui::Size available, double displayScale) const
{
    if (available.width <= 0 || available.height <= 0 || displayScale <= 0)
        return 1;
    double fit = std::min(available.width * displayScale / m_phone.width, available.height * displayScale / m_phone.height);
    return std::clamp(fit, kMinimum, kMaximum);
}

double WindowZoom::stepped(bool larger) const
{
    // A little slack, so a zoom a hair off a step still moves to the next one.
    if (larger) {
        for (double step : kSteps)
            if (step > m_zoom + 0.005)
                return step;
        return kMaximum;
    }
    for (auto it = kSteps.rbegin(); it != kSteps.rend(); ++it)
        if (*it < m_zoom - 0.005)
            return std::max(*it, kMinimum);
    return kMinimum;
}

ui::Size WindowZoom::windowSize(double displayScale) const
{
    double scale = displayScale > 0 ? displayScale : 1;
    return { std::max(1.0, std::round(m_phone.width * m_zoom / scale)), std::max(1.0, std::round(m_phone.height * m_zoom / scale)) };
}

double WindowZoom::zoomForWindow(ui::Size size, double displayScale) const
{
    double scale = displayScale > 0 ? displayScale : 1;
    if (size.width <= 0 || size.height <= 0)
        return m_zoom;
    // The side the user dragged most decides; the other follows.
    double byWidth = size.width * scale / m_phone.width;
    double byHeight = size.height * scale / m_phone.height;
    double zoom = std::abs(byWidth - m_zoom) >= std::abs(byHeight - m_zoom) ? byWidth : byHeight;
    return std::clamp(zoom, kMinimum, kMaximum);
}

ui::Rect WindowZoom::pictureRect(ui::Size pixels) const
{
    double scale = std::min(pixels.width / m_phone.width, pixels.height / m_phone.height);
    double width = std::round(m_phone.width * scale);
    double height = std::round(m_phone.height * scale);
    return { std::floor((pixels.width - width) / 2), std::floor((pixels.height - height) / 2), width, height };
}

std::optional<double> WindowZoom::load(const std::string& path)
{
    std::ifstream in(path);
    double zoom = 0;
    if (!(in >> zoom) || !std::isfinite(zoom) || zoom < kMinimum || zoom > kMaximum)
        return std::nullopt;
    return zoom;
}

bool WindowZoom::save(const std::string& path, double zoom)
{
    std::ostringstream text;
    text << zoom << '\n';
    std::string bytes = text.str();
    platform::ReplacingFile file(path);
    return file.isOpen()
        && file.write(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))
        && file.commit();
}

} // namespace shell
