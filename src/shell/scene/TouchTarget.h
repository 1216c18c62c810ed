#pragma once
#include <optional>
#include <string>

#include "shell/scene/SceneField.h"
#include "ui/graphics/Geometry.h"

namespace shell {

// Where a touch lands: a point in screen points ([x, y]), or the centre of the
// front-most visible view showing a text or title ({"text": "开始"}), carrying
// a tag ({"tag": 100}) or showing a named image ({"image": "QYHome_2.png"}).
class TouchTarget {
public:
    // Throws SceneError naming `field` when it is none of these.
    static TouchTarget read(const SceneField& field);

    // The point to touch on the current screen, in screen points. Throws
    // SceneError naming `field` when no such view is on screen.
    ui::Point locate(const std::string& field) const;

    std::string description() const;

private:
    enum class Kind { Point, Text, Tag, Image };
    Kind m_kind = Kind::Point;
    ui::Point m_point;
    std::string m_text;
    int m_tag = 0;
};

} // namespace shell
