#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "platform/MainQueue.h"
#include "ui/Application.h"
#include "ui/NotificationCenter.h"
#include "ui/Screen.h"

// A test case on a fresh phone: a virtual clock, the chosen device and no
// windows, notifications or pending work left from earlier cases.
class PhoneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        clock = std::make_shared<platform::VirtualClock>(1480000000.0);
        platform::MainQueue::shared().clear();
        platform::MainQueue::shared().setClock(clock);
        ui::Application::shared().reset();
        ui::NotificationCenter::shared().reset();
        useDevice("iphone6");
    }
    void TearDown() override
    {
        ui::Application::shared().reset();
        platform::MainQueue::shared().clear();
    }

    static void useDevice(const std::string& name)
    {
        ui::Screen::main().setProfile(*platform::DeviceProfile::named(name));
    }
    static void advance(double seconds) { platform::MainQueue::shared().advance(seconds); }

    // A finger going down and up at a screen point, with a short hold.
    static void tap(ui::Point point)
    {
        auto& app = ui::Application::shared();
        app.touchDown(point);
        advance(0.05);
        app.touchUp(point);
        advance(0.01);
    }
    static void drag(ui::Point from, ui::Point to, int steps = 10, double seconds = 0.2)
    {
        auto& app = ui::Application::shared();
        app.touchDown(from);
        for (int i = 1; i <= steps; ++i) {
            advance(seconds / steps);
            app.touchMove({ from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps });
        }
        app.touchUp(to);
    }

    std::shared_ptr<platform::VirtualClock> clock;
};
