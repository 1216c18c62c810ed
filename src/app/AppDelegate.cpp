#include "app/AppDelegate.h"

#include "app/home/ViewController.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "ui/Application.h"
#include "ui/NavigationBar.h"
#include "ui/NotificationCenter.h"
#include "ui/Screen.h"

AppDelegate& AppDelegate::shared()
{
    static AppDelegate app;
    return app;
}

bool AppDelegate::didFinishLaunching()
{
    m_window = std::make_shared<ui::Window>(ui::Screen::main().bounds());
    m_window->setBackgroundColor(ui::Color::whiteColor());

    // Every navigation bar made from now on starts with the app's dark look.
    auto& look = ui::NavigationBarAppearance::defaults();
    look.backgroundImage = ui::Image::named("QYNavigation_bar_2.png");
    look.tintColor = ui::Color::whiteColor();
    look.titleColor = ui::Color::whiteColor();

    auto home = std::make_shared<ViewController>();
    m_navigation = ui::NavigationController::make(home);
    m_navigation->view();
    m_navigation->navigationBar()->setTranslucent(false);

    m_window->setRootViewController(m_navigation);
    m_window->makeKeyAndVisible();

    // The splash advertisement is not part of this program; the home screen is
    // usable at once, as it is when the splash fails to load.
    platform::log::line("app", "launched without splash advertisement");
    return true;
}

void AppDelegate::terminate()
{
    if (m_window)
        m_window->setRootViewController(nullptr);
    m_navigation.reset();
    m_window.reset();
    ui::Application::shared().reset();
    ui::NotificationCenter::shared().reset();
    ui::NavigationBarAppearance::defaults() = {};
    platform::MainQueue::shared().clear();
}
