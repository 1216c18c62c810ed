#pragma once
#include <optional>
#include <string>

#include "ui/graphics/Geometry.h"

namespace shell {

// How large the phone picture is on the desktop. Zoom 1 is one phone pixel
// per display pixel (750×1334 for a 375×667@2x phone); the window always
// keeps the phone's aspect. Window sizes are in the desktop's coordinates,
// which a high-DPI display (`displayScale` pixels per coordinate) divides.
class WindowZoom {
public:
    static constexpr double kMinimum = 0.2;
    static constexpr double kMaximum = 4;

    // `phonePixels`: the screen's size in points times its scale.
    explicit WindowZoom(ui::Size phonePixels);

    double zoom() const { return m_zoom; }
    // Kept within kMinimum..kMaximum.
    void setZoom(double zoom);

    // The largest zoom whose window fits the usable desktop area (desktop
    // coordinates); zoom 1 when the area is unknown.
    double fitZoom(ui::Size available, double displayScale) const;
    // The next of the usual steps (50 %, 67 %, 75 %, 100 %, 125 %, ...)
    // above or below the current zoom.
    double stepped(bool larger) const;

    // The window for the current zoom, in whole desktop coordinates.
    ui::Size windowSize(double displayScale) const;
    // The zoom a window the user resized to `size` shows; the window then
    // takes windowSize() again, so its aspect stays the phone's.
    double zoomForWindow(ui::Size size, double displayScale) const;
    // Where the picture goes in a drawable of `pixels`: as large as fits at
    // the phone's aspect, centred (black bars fill the rest when the desktop
    // forced another shape on the window).
    ui::Rect pictureRect(ui::Size pixels) const;

    // The zoom chosen last time, kept in a small file of its own (not the
    // chat store). nullopt when there is none or it cannot be read.
    static std::optional<double> load(const std::string& path);
    static bool save(const std::string& path, double zoom);

private:
    ui::Size m_phone;
    double m_zoom = 1;
};

} // namespace shell
