#pragma once
#include <functional>
#include <memory>
#include <optional>

#include "ui/View.h"

namespace shell {

// Finds views the way a person looking at the screen would: among what is
// visible, front-most first (windows from the top level down, later subviews
// before earlier ones, a view's subviews before the view itself).
class ViewFinder {
public:
    using Predicate = std::function<bool(const ui::View&)>;

    struct Match {
        std::shared_ptr<ui::View> view;
        // The view's bounds in screen points.
        ui::Rect screenRect;
    };

    // The front-most visible view that satisfies `predicate` and whose centre is
    // on screen and not clipped away. When views match but none is on screen,
    // `offScreen` (if given) is set.
    static std::optional<Match> find(const Predicate& predicate, bool* offScreen = nullptr);

    // Predicates for the targets a scene names.
    static Predicate hasText(const std::string& text);
    static Predicate hasTag(int tag);
    static Predicate hasImage(const std::string& name);

    static ui::Rect screenRect(const ui::View& view);
};

} // namespace shell
