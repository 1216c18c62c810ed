#pragma once
#include <memory>

#include "ui/NavigationController.h"
#include "ui/Window.h"

// The app's start-up: the default navigation-bar look, the home screen as the
// root of one opaque navigation stack, and the key window. The window host and
// the scene runner both start the app through it, after choosing the device
// profile (ui::Screen) and the clock (platform::MainQueue).
class AppDelegate {
public:
    static AppDelegate& shared();

    // Builds the window and the home screen; returns true as the phone does.
    bool didFinishLaunching();
    // Tears everything down (windows, notifications, pending work) so that a
    // new launch starts afresh; used between scenes and tests.
    void terminate();

    const std::shared_ptr<ui::Window>& window() const { return m_window; }
    std::shared_ptr<ui::NavigationController> navigationController() const { return m_navigation; }

private:
    std::shared_ptr<ui::Window> m_window;
    std::shared_ptr<ui::NavigationController> m_navigation;
};
