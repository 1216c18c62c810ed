#pragma once
#include "ui/graphics/Geometry.h"

namespace shell {

// The size of the phone window on the desktop: the screen at its own scale
// (750×1334 pixels for a 375×667@2x phone), shrunk as a whole, never stretched,
// when the desktop has less room.
class WindowFit {
public:
    // `available` is the usable desktop area in pixels. Whole pixels, at least 1×1.
    static ui::Size windowSize(ui::Size screenPoints, double scale, ui::Size available);
};

} // namespace shell
