#pragma once
#include <string>

union SDL_Event;

namespace shell {

// Desktop input to the phone: the left mouse button is one finger (window
// pixels mapped to screen points), typed and composed text and the Backspace
// and Return keys go to the first responder.
class InputRouter {
public:
    // Screen points per window pixel (0.5 for a 2× phone shown at full size).
    void setPointsPerPixel(double value) { m_pointsPerPixel = value; }
    double pointsPerPixel() const { return m_pointsPerPixel; }

    // Returns true when the event was for the phone.
    bool handle(const SDL_Event& event);

private:
    bool handleKey(int keycode);
    void deliverText(const std::string& utf8);
    void deliverMarkedText(const std::string& utf8);

    double m_pointsPerPixel = 1;
    bool m_fingerDown = false;
    // While the input method composes, Backspace and Return belong to it.
    bool m_composing = false;
};

} // namespace shell
