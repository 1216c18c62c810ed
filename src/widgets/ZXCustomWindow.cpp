#include "widgets/ZXCustomWindow.h"

#include "ui/Animation.h"
#include "ui/Application.h"
#include "ui/Screen.h"

ZXCustomWindow::ZXCustomWindow(const std::shared_ptr<ui::View>& animationView)
    : ui::Window(ui::Screen::main().bounds())
    , m_animationView(animationView)
{
    setWindowLevel(ui::WindowLevel::Alert);
    if (animationView)
        addSubview(animationView);
}

std::shared_ptr<ZXCustomWindow> ZXCustomWindow::make(const std::shared_ptr<ui::View>& animationView)
{
    auto window = std::make_shared<ZXCustomWindow>(animationView);
    window->observeHideNotification();
    return window;
}

ZXCustomWindow::~ZXCustomWindow()
{
    ui::NotificationCenter::shared().removeObserver(m_observer);
}

void ZXCustomWindow::observeHideNotification()
{
    std::weak_ptr<ui::View> weak = sharedView();
    m_observer = ui::NotificationCenter::shared().addObserver(sharedView(), "hideTopWindow", [weak](const ui::Notification&) {
        if (auto self = std::static_pointer_cast<ZXCustomWindow>(weak.lock()))
            self->hideWithAnimationTime(self->m_animationTime);
    });
}

void ZXCustomWindow::showWithAnimationTime(double seconds)
{
    m_animationTime = seconds;
    makeKeyAndVisible();
    auto panel = m_animationView.lock();
    std::weak_ptr<ui::View> weak = sharedView();
    ui::Animation::animate(seconds, 0, ui::AnimationCurve::EaseIn, [&] {
        ui::Animation::animate(0.1, [&] {
            if (panel)
                panel->setTransform(ui::AffineTransform::translation(0, -panel->bounds().height()));
        });
    }, [weak](bool) {
        if (auto self = weak.lock())
            self->setHidden(false);
    });
}

void ZXCustomWindow::hideWithAnimationTime(double seconds)
{
    m_animationTime = seconds;
    // Typed text and notices go back to the app's own window as soon as the
    // panel starts to leave, not into a window about to hide.
    if (isKeyWindow()) {
        resignKeyWindow();
        for (auto& window : ui::Application::shared().windows()) {
            if (window.get() != this)
                window->makeKeyWindow();
        }
    }
    auto panel = m_animationView.lock();
    std::weak_ptr<ui::View> weak = sharedView();
    ui::Animation::animate(seconds, 0, ui::AnimationCurve::EaseOut, [&] {
        ui::Animation::animate(0.1, [&] {
            if (panel)
                panel->setTransform(ui::AffineTransform::identity());
        }, [weak](bool) {
            auto self = std::static_pointer_cast<ZXCustomWindow>(weak.lock());
            if (!self)
                return;
            self->setHidden(true);
        });
    });
}

void ZXCustomWindow::touchesBegan(const ui::TouchList& touches)
{
    auto panel = m_animationView.lock();
    if (touches.empty())
        return;
    ui::Point point = touches.front()->locationIn(this);
    if (!panel || !panel->frame().contains(point))
        hideWithAnimationTime(m_animationTime);
}
