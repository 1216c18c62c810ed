#pragma once
#include <functional>
#include <memory>

#include "ui/ViewController.h"

// The tools the home screen opens. Each tool's layer registers how to make its
// screen at start-up; a route with no screen registered opens nothing.
class HomeRoutes {
public:
    enum class Route { Preset, WalletChange, Balance, Doodle };
    // `chatType` is 1 (messenger style) or 2 (payment-app style) for the preset
    // screen, 0 otherwise.
    using Factory = std::function<std::shared_ptr<ui::ViewController>(int chatType)>;

    static void registerScreen(Route route, Factory factory);
    static std::shared_ptr<ui::ViewController> makeScreen(Route route, int chatType = 0);
    static void clear();
};
