#include "ui/DimmingWindow.h"

#include "ui/Application.h"
#include "ui/Screen.h"

namespace ui {

DimmingWindow::DimmingWindow()
    : Window(Screen::main().bounds())
{
    setWindowLevel(WindowLevel::Alert);
    setBackgroundColor(Color::clearColor());
}

void DimmingWindow::present(double duration)
{
    m_dismissing = false;
    auto& app = Application::shared();
    auto key = app.keyWindow();
    if (key.get() != this)
        m_previousKeyWindow = key;
    makeKeyAndVisible();
    Color dim = Color::blackColor().withAlpha(kDimAlpha);
    if (duration > 0) {
        Animation::performWithoutAnimation([&] { setBackgroundColor(Color::clearColor()); });
        Animation::animate(duration, 0, AnimationCurve::EaseOut, [&] { setBackgroundColor(dim); });
    } else {
        setBackgroundColor(dim);
    }
}

void DimmingWindow::dismiss(double duration, std::function<void()> done)
{
    if (m_dismissing)
        return;
    m_dismissing = true;
    // The panels stop taking touches at once, but the window still keeps
    // them: a second tap during the fade reaches nothing.
    for (auto& child : subviews())
        child->setUserInteractionEnabled(false);
    if (duration <= 0) {
        finishDismissal();
        if (done)
            done();
        return;
    }
    auto self = std::static_pointer_cast<DimmingWindow>(sharedView());
    Animation::animate(duration, 0, AnimationCurve::EaseIn, [&] { setBackgroundColor(Color::clearColor()); },
        [self, done = std::move(done)](bool) {
            self->finishDismissal();
            if (done)
                done();
        });
}

void DimmingWindow::finishDismissal()
{
    auto& app = Application::shared();
    if (isKeyWindow()) {
        auto previous = m_previousKeyWindow.lock();
        bool previousShown = false;
        for (auto& window : app.windows())
            previousShown |= window == previous;
        if (previousShown) {
            previous->makeKeyWindow();
        } else {
            // Back to the front-most ordinary window still on screen.
            WindowPtr fallback;
            for (auto& window : app.windows()) {
                if (window.get() != this && !dynamic_cast<DimmingWindow*>(window.get()))
                    fallback = window;
            }
            app.setKeyWindow(fallback);
        }
    }
    setHidden(true);
    app.removeWindow(this);
    for (auto& child : subviews())
        child->setUserInteractionEnabled(true);
}

void DimmingWindow::touchesBegan(const TouchList& touches)
{
    m_touchOnDim = !touches.empty() && touches.front()->view().get() == this;
}

void DimmingWindow::touchesEnded(const TouchList& touches)
{
    bool onDim = m_touchOnDim && !touches.empty() && touches.front()->view().get() == this;
    m_touchOnDim = false;
    if (!onDim || m_dismissing || !tappedOutside)
        return;
    auto keep = sharedView();
    auto callback = tappedOutside;
    callback();
}

void DimmingWindow::touchesCancelled(const TouchList&)
{
    m_touchOnDim = false;
}

} // namespace ui
