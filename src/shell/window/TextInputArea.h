#pragma once
#include <optional>

#include "ui/graphics/Geometry.h"

namespace shell {

class InputRouter;

// Where, in window coordinates, the text being typed is: the focused text
// input's rectangle, so the desktop's input method opens its candidate list
// next to it rather than in a corner of the screen.
class TextInputArea {
public:
    // None when nothing on the phone takes typed text.
    static std::optional<ui::Rect> current(const InputRouter& router);
};

} // namespace shell
