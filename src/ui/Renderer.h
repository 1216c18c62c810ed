#pragma once
#include <memory>

#include "ui/graphics/Image.h"

typedef struct _cairo cairo_t;

namespace ui {

class View;
class Window;

// Draws view trees. A view is drawn at its presentation geometry: background,
// its own content, subviews, border, then clipped or masked as it asks; the
// status bar goes over everything.
class Renderer {
public:
    // The whole screen (every visible window, status bar on top) at the
    // screen's scale, as an image of its own. To write the screen out without
    // a copy, draw it with ScreenCanvas::shared().draw().
    static ImagePtr snapshotScreen();
    // One view and its subviews, at `scale` (0 = the screen's).
    static ImagePtr snapshotView(View& view, double scale = 0);
    // Draws into an existing context whose device scale is already set.
    static void drawScreen(cairo_t* cairo);
    static void drawView(cairo_t* cairo, View& view);
};

} // namespace ui
