#include "app/home/HomeRoutes.h"

#include <map>

static std::map<HomeRoutes::Route, HomeRoutes::Factory>& factories()
{
    static std::map<HomeRoutes::Route, HomeRoutes::Factory> table;
    return table;
}

void HomeRoutes::registerScreen(Route route, Factory factory)
{
    factories()[route] = std::move(factory);
}

std::shared_ptr<ui::ViewController> HomeRoutes::makeScreen(Route route, int chatType)
{
    auto it = factories().find(route);
    if (it == factories().end() || !it->second)
        return nullptr;
    return it->second(chatType);
}

void HomeRoutes::clear() { factories().clear(); }
