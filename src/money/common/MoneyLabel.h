#pragma once
#include <memory>
#include <optional>
#include <string>

#include "ui/Label.h"

// The money pages' labels take the size of their text, as labels placed by
// their edges and centres do; a text wider than `maxWidth` is cut.
struct MoneyLabel {
    static std::shared_ptr<ui::Label> make(const std::optional<std::string>& text, const ui::Font& font,
        std::optional<ui::Color> color = std::nullopt);
    // Sizes the label to its text, no wider than `maxWidth`.
    static void fit(ui::Label& label, double maxWidth);
    // Sizes the label to its text and centres it on `centerX` with its top at `top`.
    static void placeCentered(ui::Label& label, double centerX, double top, double maxWidth);
    // How far below the label's top its first line stands on its baseline. Two
    // labels in different fonts (a sign drawn from a fallback font beside Latin
    // digits) line up by this, not by their tops.
    static double baseline(const ui::Label& label);
};
