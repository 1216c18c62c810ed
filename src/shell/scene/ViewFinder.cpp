#include "shell/scene/ViewFinder.h"

#include "ui/Application.h"
#include "ui/Screen.h"
#include "ui/Window.h"

namespace shell {

namespace {

bool isDrawn(const ui::View& view)
{
    return !view.isHidden() && view.alpha() > 0.01;
}

// Whether the point (screen points) survives every clipping ancestor of `view`.
bool survivesClipping(const ui::View& view, ui::Point point)
{
    for (const ui::View* ancestor = view.superview(); ancestor; ancestor = ancestor->superview()) {
        if (ancestor->clipsToBounds() && !ViewFinder::screenRect(*ancestor).contains(point))
            return false;
    }
    return true;
}

struct Search {
    const ViewFinder::Predicate& predicate;
    bool sawOffScreen = false;

    std::optional<ViewFinder::Match> visit(const std::shared_ptr<ui::View>& view)
    {
        if (!isDrawn(*view))
            return std::nullopt;
        const auto& children = view->subviews();
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            if (auto match = visit(*it))
                return match;
        }
        if (!predicate(*view))
            return std::nullopt;
        ui::Rect rect = ViewFinder::screenRect(*view);
        ui::Point centre = rect.center();
        if (ui::Screen::main().bounds().contains(centre) && survivesClipping(*view, centre))
            return ViewFinder::Match { view, rect };
        sawOffScreen = true;
        return std::nullopt;
    }
};

} // namespace

std::optional<ViewFinder::Match> ViewFinder::find(const Predicate& predicate, bool* offScreen)
{
    ui::Application::shared().layoutIfNeeded();
    Search search { predicate };
    auto windows = ui::Application::shared().windows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (auto match = search.visit(*it))
            return match;
    }
    if (offScreen)
        *offScreen = search.sawOffScreen;
    return std::nullopt;
}

ViewFinder::Predicate ViewFinder::hasText(const std::string& text)
{
    return [text](const ui::View& view) { return view.debugText() == text; };
}

ViewFinder::Predicate ViewFinder::hasTag(int tag)
{
    return [tag](const ui::View& view) { return view.tag() == tag; };
}

ViewFinder::Predicate ViewFinder::hasImage(const std::string& name)
{
    // Resource names are written with or without their ".png" ending.
    auto stem = [](const std::string& value) {
        return value.size() > 4 && value.ends_with(".png") ? value.substr(0, value.size() - 4) : value;
    };
    return [name, stem](const ui::View& view) {
        auto shown = view.debugImageName();
        return !shown.empty() && stem(shown) == stem(name);
    };
}

ui::Rect ViewFinder::screenRect(const ui::View& view)
{
    const ui::View* root = &view;
    while (root->superview())
        root = root->superview();
    if (root == &view)
        return view.frame();
    ui::Rect inRoot = view.convertRectTo(view.bounds(), nullptr);
    return inRoot.offsetBy(root->frame().x(), root->frame().y());
}

} // namespace shell
