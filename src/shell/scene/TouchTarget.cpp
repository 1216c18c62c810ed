#include "shell/scene/TouchTarget.h"

#include <algorithm>
#include <cstdio>

#include "shell/scene/SceneError.h"
#include "shell/scene/ViewFinder.h"
#include "ui/Application.h"
#include "ui/MenuCalloutView.h"

namespace shell {

static std::string formatNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

static constexpr const char* kExpected = "expected a point [x, y], a \"text\", a \"tag\" or an \"image\"";

TouchTarget TouchTarget::read(const SceneField& field)
{
    TouchTarget target;
    if (field.isArray()) {
        target.m_point = field.point();
        return target;
    }
    if (!field.isObject() || field.json().size() != 1)
        field.fail(kExpected);
    if (auto text = field.member("text")) {
        target.m_kind = Kind::Text;
        target.m_text = text->string();
    } else if (auto tag = field.member("tag")) {
        target.m_kind = Kind::Tag;
        target.m_tag = tag->integer();
    } else if (auto image = field.member("image")) {
        target.m_kind = Kind::Image;
        target.m_text = image->string();
    } else {
        field.fail(kExpected);
    }
    return target;
}

namespace {

bool isInside(const ui::View& view, const ui::View& container)
{
    for (const ui::View* step = &view; step; step = step->superview())
        if (step == &container)
            return true;
    return false;
}

// Whether a touch on `hit` is a touch on `target`: the same view, one inside
// it, or one holding it (a label inside a button passes its touches up). A
// view that takes no touches lets them fall to what lies under it in its own
// container, as the amount on a money card falls to the card's picture.
bool related(const ui::View& hit, const ui::View& target)
{
    if (isInside(hit, target) || isInside(target, hit))
        return true;
    auto* container = target.superview();
    return !target.isUserInteractionEnabled() && container && isInside(hit, *container);
}

// The centre of the edit menu's item titled `title`, when the menu shows one:
// its items are drawn by one view, not views of their own.
std::optional<ui::Point> menuItemCentre(const std::string& title)
{
    auto menu = ViewFinder::find([&](const ui::View& view) {
        auto* callout = dynamic_cast<const ui::MenuCalloutView*>(&view);
        return callout && std::find(callout->titles().begin(), callout->titles().end(), title) != callout->titles().end();
    });
    if (!menu)
        return std::nullopt;
    auto& callout = static_cast<const ui::MenuCalloutView&>(*menu->view);
    auto index = std::find(callout.titles().begin(), callout.titles().end(), title) - callout.titles().begin();
    auto rects = callout.itemRects();
    if (index >= static_cast<long>(rects.size()))
        return std::nullopt;
    ui::Point centre = rects[index].center();
    return ui::Point { menu->screenRect.x() + centre.x, menu->screenRect.y() + centre.y };
}

} // namespace

ui::Point TouchTarget::locate(const std::string& field) const
{
    ViewFinder::Predicate predicate;
    switch (m_kind) {
    case Kind::Point:
        return m_point;
    case Kind::Text:
        predicate = ViewFinder::hasText(m_text);
        break;
    case Kind::Tag:
        predicate = ViewFinder::hasTag(m_tag);
        break;
    case Kind::Image:
        predicate = ViewFinder::hasImage(m_text);
        break;
    }
    bool offScreen = false;
    auto match = ViewFinder::find(predicate, &offScreen);
    if (!match && m_kind == Kind::Text) {
        if (auto item = menuItemCentre(m_text))
            return *item;
    }
    if (!match)
        throw SceneError(field, offScreen ? "the view " + description() + " is off screen or clipped away"
                                          : "no visible view " + description() + " on screen");
    // A view behind another window (a panel under the keyboard, say) is seen
    // by nobody; a tap there would land on whatever covers it.
    ui::Point centre = match->screenRect.center();
    auto hit = ui::Application::shared().hitView(centre);
    if (hit && !related(*hit, *match->view))
        throw SceneError(field, "the view " + description() + " is covered by a " + hit->className());
    return centre;
}

std::string TouchTarget::description() const
{
    switch (m_kind) {
    case Kind::Point:
        return "at [" + formatNumber(m_point.x) + ", " + formatNumber(m_point.y) + "]";
    case Kind::Text:
        return "showing \"" + m_text + "\"";
    case Kind::Tag:
        return "with tag " + std::to_string(m_tag);
    case Kind::Image:
        return "showing image \"" + m_text + "\"";
    }
    return {};
}

} // namespace shell
