#pragma once
#include <memory>

#include "ui/KeyboardTraits.h"
#include "ui/Window.h"

namespace ui {

class KeyboardView;

// Names and user-info keys of the keyboard notifications, as the phone posts
// them. Frames are ui::Rect in screen coordinates, the duration a double and
// the curve an int (7: the keyboard's own curve).
namespace keyboard {
inline constexpr const char* WillChangeFrameNotification = "UIKeyboardWillChangeFrameNotification";
inline constexpr const char* DidChangeFrameNotification = "UIKeyboardDidChangeFrameNotification";
inline constexpr const char* WillShowNotification = "UIKeyboardWillShowNotification";
inline constexpr const char* DidShowNotification = "UIKeyboardDidShowNotification";
inline constexpr const char* WillHideNotification = "UIKeyboardWillHideNotification";
inline constexpr const char* DidHideNotification = "UIKeyboardDidHideNotification";
inline constexpr const char* FrameBeginKey = "UIKeyboardFrameBeginUserInfoKey";
inline constexpr const char* FrameEndKey = "UIKeyboardFrameEndUserInfoKey";
inline constexpr const char* AnimationDurationKey = "UIKeyboardAnimationDurationUserInfoKey";
inline constexpr const char* AnimationCurveKey = "UIKeyboardAnimationCurveUserInfoKey";
inline constexpr int kCurve = 7;
} // namespace keyboard

// The on-screen keyboard: slides up (216 points, 0.25 s) when a text input
// becomes first responder and down when none is left, posting the frame
// notifications synchronously before it moves. It draws a phone-like keyboard
// in its own window above the app; tapping a key types into the first responder.
class Keyboard {
public:
    static constexpr double kHeight = 216;
    static constexpr double kDuration = 0.25;

    static Keyboard& shared();

    bool isVisible() const { return m_visible; }
    Rect frame() const;
    // Re-reads the first responder: shows, hides or redraws (return key state).
    void update();
    // Drops the keyboard at once, without notifications (a fresh start).
    void reset();
    const std::shared_ptr<KeyboardView>& view() const { return m_view; }

private:
    void setVisible(bool visible);
    Rect frameWhen(bool visible) const;

    bool m_visible = false;
    std::shared_ptr<Window> m_window;
    std::shared_ptr<KeyboardView> m_view;
};

} // namespace ui
