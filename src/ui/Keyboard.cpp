#include "ui/Keyboard.h"

#include "platform/MainQueue.h"
#include "ui/Application.h"
#include "ui/KeyboardView.h"
#include "ui/NotificationCenter.h"
#include "ui/Screen.h"

namespace ui {

Keyboard& Keyboard::shared()
{
    static Keyboard keyboard;
    return keyboard;
}

Rect Keyboard::frameWhen(bool visible) const
{
    Size screen = Screen::main().size();
    return { 0, visible ? screen.height - kHeight : screen.height, screen.width, kHeight };
}

Rect Keyboard::frame() const
{
    return frameWhen(m_visible);
}

void Keyboard::update()
{
    auto responder = Application::shared().firstResponder();
    bool wanted = responder && responder->hasKeyInput();
    if (wanted) {
        KeyboardTraits traits;
        if (auto* input = dynamic_cast<KeyboardInput*>(responder.get()))
            traits = input->keyboardTraits();
        if (!m_view || m_view->bounds().width() != Screen::main().size().width) {
            Size screen = Screen::main().size();
            m_window = std::make_shared<Window>(Rect { 0, screen.height - kHeight, screen.width, kHeight });
            m_window->setWindowLevel(WindowLevel::Alert + 10);
            m_window->setClipsToBounds(true);
            m_view = std::make_shared<KeyboardView>(Rect { 0, kHeight, screen.width, kHeight });
            m_window->addSubview(m_view);
        }
        m_view->setTraits(traits);
    }
    if (wanted != m_visible)
        setVisible(wanted);
}

void Keyboard::setVisible(bool visible)
{
    Rect begin = frameWhen(m_visible);
    Rect end = frameWhen(visible);
    m_visible = visible;
    UserInfo info {
        { keyboard::FrameBeginKey, begin },
        { keyboard::FrameEndKey, end },
        { keyboard::AnimationDurationKey, kDuration },
        { keyboard::AnimationCurveKey, keyboard::kCurve },
    };
    if (visible && m_window) {
        // Shown without becoming key: typed text keeps going to the app's input.
        m_window->setHidden(false);
        Application::shared().addWindow(m_window);
    }
    auto& center = NotificationCenter::shared();
    center.post(keyboard::WillChangeFrameNotification, info);
    center.post(visible ? keyboard::WillShowNotification : keyboard::WillHideNotification, info);
    if (m_view) {
        auto view = m_view;
        Animation::animate(kDuration, 0, AnimationCurve::EaseOut,
            [&] { view->setFrame({ 0, visible ? 0.0 : kHeight, view->bounds().width(), kHeight }); });
    }
    auto window = m_window;
    platform::MainQueue::shared().after(kDuration, [this, visible, info, window] {
        if (visible != m_visible)
            return; // changed its mind meanwhile; the newer move reports itself
        if (!visible && window)
            window->setHidden(true);
        auto& center = NotificationCenter::shared();
        center.post(keyboard::DidChangeFrameNotification, info);
        center.post(visible ? keyboard::DidShowNotification : keyboard::DidHideNotification, info);
    });
}

void Keyboard::reset()
{
    m_visible = false;
    if (m_window)
        m_window->setHidden(true);
    m_window.reset();
    m_view.reset();
}

} // namespace ui
