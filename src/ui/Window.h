#pragma once
#include <memory>

#include "ui/View.h"

namespace ui {

class ViewController;

// Window levels: normal screens, status-bar-level overlays and alerts.
struct WindowLevel {
    static constexpr double Normal = 0;
    static constexpr double StatusBar = 1000;
    static constexpr double Alert = 2000;
};

// A top-level view that the application shows. Windows stack by level; the key
// window receives typed text through its first responder.
class Window : public View {
public:
    Window();
    explicit Window(const Rect& frame);
    ~Window() override;

    std::string className() const override { return "UIWindow"; }

    double windowLevel() const { return m_level; }
    void setWindowLevel(double level) { m_level = level; }

    std::shared_ptr<ViewController> rootViewController() const { return m_rootViewController; }
    void setRootViewController(std::shared_ptr<ViewController> controller);

    // Shows the window and makes it key.
    void makeKeyAndVisible();
    void makeKeyWindow();
    bool isKeyWindow() const;
    void resignKeyWindow();

    std::shared_ptr<Responder> firstResponder() const { return m_firstResponder.lock(); }
    void setFirstResponder(std::weak_ptr<Responder> responder) { m_firstResponder = std::move(responder); }

    Window* window() const override { return const_cast<Window*>(this); }
    Responder* nextResponder() const override { return nullptr; }
    void layoutSubviews() override;

private:
    double m_level = WindowLevel::Normal;
    std::shared_ptr<ViewController> m_rootViewController;
    std::weak_ptr<Responder> m_firstResponder;
};

using WindowPtr = std::shared_ptr<Window>;

} // namespace ui
