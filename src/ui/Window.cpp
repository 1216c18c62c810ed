#include "ui/Window.h"

#include "ui/Application.h"
#include "ui/Screen.h"
#include "ui/ViewController.h"

namespace ui {

Window::Window()
    : View(Screen::main().bounds())
{
    setHidden(true);
}

Window::Window(const Rect& frame)
    : View(frame)
{
    setHidden(true);
}

Window::~Window() = default;

void Window::setRootViewController(std::shared_ptr<ViewController> controller)
{
    if (m_rootViewController == controller)
        return;
    if (m_rootViewController && m_rootViewController->isViewLoaded())
        m_rootViewController->view()->removeFromSuperview();
    m_rootViewController = std::move(controller);
    if (m_rootViewController) {
        auto root = m_rootViewController->view();
        root->setFrame(bounds());
        root->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
        m_rootViewController->beginAppearanceTransition(true);
        addSubview(root);
        m_rootViewController->endAppearanceTransition();
    }
}

void Window::makeKeyAndVisible()
{
    setHidden(false);
    auto self = std::static_pointer_cast<Window>(sharedView());
    Application::shared().addWindow(self);
    makeKeyWindow();
}

void Window::makeKeyWindow()
{
    Application::shared().setKeyWindow(std::static_pointer_cast<Window>(sharedView()));
}

bool Window::isKeyWindow() const
{
    return Application::shared().keyWindow().get() == this;
}

void Window::resignKeyWindow()
{
    if (isKeyWindow())
        Application::shared().setKeyWindow(nullptr);
}

void Window::layoutSubviews()
{
    if (m_rootViewController && m_rootViewController->isViewLoaded())
        m_rootViewController->view()->setFrame(bounds());
}

} // namespace ui
