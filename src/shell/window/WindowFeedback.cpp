#include "shell/window/WindowFeedback.h"

#include <filesystem>

namespace shell {

static constexpr double kFlashStrength = 0.8;

void WindowFeedback::screenshotSaved(const std::string& path, double now)
{
    showMessage("Screenshot saved: " + std::filesystem::path(path).filename().string(), now);
    m_flashStart = now;
}

void WindowFeedback::screenshotFailed(const std::string& reason, double now)
{
    showMessage(reason, now);
}

void WindowFeedback::showMessage(const std::string& message, double now)
{
    m_message = message;
    m_messageUntil = now + kMessageSeconds;
}

std::string WindowFeedback::title(double now) const
{
    if (now < m_messageUntil)
        return std::string(kTitle) + " — " + m_message;
    return kTitle;
}

double WindowFeedback::flash(double now) const
{
    if (m_flashStart < 0 || now < m_flashStart || now >= m_flashStart + kFlashSeconds)
        return 0;
    return kFlashStrength * (1 - (now - m_flashStart) / kFlashSeconds);
}

double WindowFeedback::nextChange(double now) const
{
    if (flash(now) > 0)
        return now;
    if (now < m_messageUntil)
        return m_messageUntil;
    return -1;
}

} // namespace shell
