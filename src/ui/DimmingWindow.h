#pragma once
#include <functional>
#include <memory>

#include "ui/Application.h"
#include "ui/Window.h"

namespace ui {

// The full-screen window alerts and action sheets live in: at alert level, it
// dims everything below and keeps every touch, so nothing under a dialog can be
// touched while it is up. It gives the key window back when it goes away.
class DimmingWindow : public Window {
public:
    static constexpr double kDimAlpha = 0.4;

    DimmingWindow();
    std::string className() const override { return "_UIAlertControllerShimWindow"; }

    // Shows the window, fading the dim in over `duration` seconds (0: at once),
    // and makes it key.
    void present(double duration);
    // Fades the dim out over `duration` seconds (0: at once), then hides the
    // window, drops it from the application and runs `done`. `done` runs on
    // the main queue after the fade, or synchronously when `duration` is 0.
    void dismiss(double duration, std::function<void()> done = {});
    bool isDismissing() const { return m_dismissing; }

    // Called synchronously when a touch that went down on the dim itself (not
    // on a panel in the window) comes up. The callee may dismiss the window and
    // release whatever owns it; the window keeps itself alive for the call.
    std::function<void()> tappedOutside;

    // The front-most visible dialog of type T (an alert or a sheet), if any.
    template<typename T>
    static std::shared_ptr<T> frontmostDialog()
    {
        auto windows = Application::shared().windows();
        for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
            if (!dynamic_cast<DimmingWindow*>(it->get()))
                continue;
            for (auto& child : (*it)->subviews()) {
                auto dialog = std::dynamic_pointer_cast<T>(child);
                if (dialog && dialog->isVisible())
                    return dialog;
            }
        }
        return nullptr;
    }

    void touchesBegan(const TouchList& touches) override;
    void touchesEnded(const TouchList& touches) override;
    void touchesCancelled(const TouchList& touches) override;

private:
    void finishDismissal();

    std::weak_ptr<Window> m_previousKeyWindow;
    bool m_dismissing = false;
    bool m_touchOnDim = false;
};

} // namespace ui
