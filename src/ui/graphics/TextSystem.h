#pragma once

typedef struct _PangoContext PangoContext;

namespace ui {

// The one Pango context all text is laid out with: points as units (72 dpi),
// no hinting and unrounded glyph positions, so a layout measures the same at
// every screen scale and draws exactly where it was measured.
class TextSystem {
public:
    static PangoContext* context();
};

} // namespace ui
