#pragma once
#include <memory>
#include <string>

#include "ui/TextSelection.h"
#include "ui/graphics/Geometry.h"

union SDL_Event;
struct SDL_KeyboardEvent;

namespace shell {

class DesktopClipboard;

// Desktop input to the phone. The left mouse button is one finger; a right
// click is a long press at that point; the wheel and touchpad scroll the
// view under the pointer. Typed and composed text, Backspace, Delete, Return,
// the caret keys (with Shift to select), Ctrl+A/C/X/V (through the desktop
// clipboard) and Esc go to the first responder. Window pixels become screen
// points through the phone picture's place in the window.
class InputRouter {
public:
    // A right click holds the finger down at least this long, so the
    // slowest long press of the app (a second) is recognised.
    static constexpr double kRightClickHold = 1.05;
    // Points the content moves for one wheel notch.
    static constexpr double kPointsPerWheelStep = 40;

    InputRouter();
    ~InputRouter();

    // Screen points per window pixel (0.5 for a 2× phone shown at full size)
    // and where, in window pixels, the phone picture's top left corner is.
    void setPointsPerPixel(double value) { m_pointsPerPixel = value; }
    double pointsPerPixel() const { return m_pointsPerPixel; }
    void setPictureOrigin(ui::Point origin) { m_origin = origin; }
    ui::Point toPoints(double x, double y) const;
    // Screen points back to window pixels.
    ui::Rect toWindow(const ui::Rect& points) const;

    // Where pasted text comes from and copied text goes; none: the phone's
    // pasteboard alone.
    void setClipboard(DesktopClipboard* clipboard) { m_clipboard = clipboard; }

    // Returns true when the event was for the phone.
    bool handle(const SDL_Event& event);
    // A key the window took for itself (its zoom shortcuts): the text SDL
    // makes of it is not typed either.
    void keyTakenByWindow(const SDL_KeyboardEvent& key);

private:
    bool handleKey(const SDL_KeyboardEvent& key);
    bool editCommand(int keycode);
    bool moveCaret(int keycode, bool shift, bool control);
    void deliverText(const std::string& utf8);
    void deliverMarkedText(const std::string& utf8);
    bool pressRight(ui::Point point);
    void releaseRight(ui::Point point);

    double m_pointsPerPixel = 1;
    ui::Point m_origin;
    DesktopClipboard* m_clipboard = nullptr;
    bool m_fingerDown = false;
    // A right click in progress: the finger stays down until it has been
    // held long enough, whenever the button comes up.
    bool m_rightPress = false;
    bool m_rightReleased = false;
    double m_rightHeldUntil = 0;
    unsigned m_pressGeneration = 0;
    // While the input method composes, its keys are its own.
    bool m_composing = false;
    // The last event was a Ctrl (or Cmd) shortcut; SDL follows such a key
    // with its character ("-" of Ctrl+minus), which is not typing.
    bool m_afterShortcut = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace shell
