#pragma once
#include <string>

namespace shell {

// What the window itself says about things done outside the phone picture:
// a message in the window's title for a few seconds (the screenshot's file
// name, or why it or a dropped file failed) and the short white flash over
// the picture when a screenshot is taken. Times are the main queue's.
class WindowFeedback {
public:
    static constexpr const char* kTitle = "截屏工坊";
    static constexpr double kMessageSeconds = 4;
    static constexpr double kFlashSeconds = 0.35;

    // A screenshot saved as `path`: its file name in the title, and the flash.
    void screenshotSaved(const std::string& path, double now);
    // A screenshot that failed: the reason (which says that it was not
    // saved) in the title, no flash.
    void screenshotFailed(const std::string& reason, double now);
    // Any other message in the title.
    void showMessage(const std::string& message, double now);

    // The window title at `now`: the app's name, followed by the message
    // while it lasts.
    std::string title(double now) const;
    // How white the picture is at `now`: from 0.8 down to 0.
    double flash(double now) const;
    // The next time the title or the flash changes by itself; negative when
    // nothing is pending.
    double nextChange(double now) const;

private:
    std::string m_message;
    double m_messageUntil = -1;
    double m_flashStart = -1;
};

} // namespace shell
