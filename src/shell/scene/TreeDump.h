#pragma once
#include <string>

#include <nlohmann/json.hpp>

namespace ui {
class View;
}

namespace shell {

// The view tree of the screen as JSON, for `dump` actions and --dump-tree:
//
//   { "device": "iphone6", "size": [375, 667], "scale": 2,
//     "windows": [ VIEW, ... ] }            // back to front
//
//   VIEW = { "class": "UIButton",
//            "frame": [x, y, w, h],         // points; a window's own frame is in
//                                           // screen coordinates, every other
//                                           // view's is in its window's
//            "alpha": 1, "hidden": false, "tag": 0,
//            "text": "...",                 // only when the view shows a text or title
//            "image": "QYHome_1.png",       // only when it shows a named image
//            "children": [ VIEW, ... ] }    // subviews, back to front
//
// Every view of the visible windows is listed; a hidden view keeps its subtree
// so its state can still be inspected. Numbers are rounded to 1/1000 point.
class TreeDump {
public:
    using Json = nlohmann::ordered_json;

    static Json screen();
    static Json view(const ui::View& view);
    // Writes screen() as indented JSON; returns false when the file cannot be written.
    static bool write(const std::string& path);
};

} // namespace shell
