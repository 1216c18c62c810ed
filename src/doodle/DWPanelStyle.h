#pragma once
#include "ui/graphics/Color.h"

// The colours of the pen panel.
namespace DWPanelStyle {
inline ui::Color background() { return ui::Color::rgb(34, 34, 38); }
inline ui::Color barBackground() { return ui::Color::rgb(24, 24, 27); }
// The border of the chosen swatch and board.
inline ui::Color selectionColor() { return ui::Color { 0.5, 0, 0.5, 1 }; }
} // namespace DWPanelStyle
