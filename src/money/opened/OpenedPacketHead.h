#pragma once
#include <memory>
#include <optional>
#include <string>

#include "ui/ImageView.h"
#include "ui/Label.h"

// What both opened-red-packet pages show at their head, each in its own sizes:
// the sender's round avatar centred on the page, the name under it (cut in
// the middle when long) and the greeting under the name.
struct OpenedPacketHead {
    static std::shared_ptr<ui::ImageView> roundAvatar(ui::View& page, double top, double diameter, ui::ImagePtr picture);
    static std::shared_ptr<ui::Label> nameUnder(ui::View& page, const ui::View& avatar, const std::string& text,
        const ui::Font& font, std::optional<ui::Color> color = std::nullopt);
    static std::shared_ptr<ui::Label> greetingUnder(ui::View& page, const ui::View& name, const std::optional<std::string>& text);
};
