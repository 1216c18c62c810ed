#include "shell/scene/TreeDump.h"

#include <cmath>
#include <fstream>

#include "ui/Application.h"
#include "ui/Screen.h"
#include "ui/Window.h"

namespace shell {

// Whole numbers are written without a fraction ([0, 64, 375, 603]).
static TreeDump::Json rounded(double value)
{
    double result = std::round(value * 1000) / 1000;
    if (result == std::floor(result) && std::abs(result) < 1e15)
        return static_cast<std::int64_t>(result);
    return result;
}

static TreeDump::Json rectJson(const ui::Rect& rect)
{
    return TreeDump::Json::array({ rounded(rect.x()), rounded(rect.y()), rounded(rect.width()), rounded(rect.height()) });
}

TreeDump::Json TreeDump::screen()
{
    ui::Application::shared().layoutIfNeeded();
    auto& screen = ui::Screen::main();
    Json windows = Json::array();
    for (auto& window : ui::Application::shared().windows())
        windows.push_back(view(*window));
    return Json {
        { "device", screen.profile().name },
        { "size", Json::array({ rounded(screen.size().width), rounded(screen.size().height) }) },
        { "scale", rounded(screen.scale()) },
        { "windows", std::move(windows) },
    };
}

TreeDump::Json TreeDump::view(const ui::View& view)
{
    ui::Rect frame = view.superview() ? view.convertRectTo(view.bounds(), nullptr) : view.frame();
    Json node {
        { "class", view.className() },
        { "frame", rectJson(frame) },
        { "alpha", rounded(view.alpha()) },
        { "hidden", view.isHidden() },
        { "tag", view.tag() },
    };
    if (auto text = view.debugText(); !text.empty())
        node["text"] = text;
    if (auto image = view.debugImageName(); !image.empty())
        node["image"] = image;
    Json children = Json::array();
    for (auto& child : view.subviews())
        children.push_back(TreeDump::view(*child));
    node["children"] = std::move(children);
    return node;
}

bool TreeDump::write(const std::string& path)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out << screen().dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    return static_cast<bool>(out);
}

} // namespace shell
