#pragma once
#include <memory>

namespace ui {

class ViewController;

// The desktop's Esc key, as a phone user would read it: the thing in front
// goes away. In order: the edit menu; an action sheet or alert (as a tap on
// its cancel button); a presented photo picker (cancelled); something the
// top screen has open of its own (ViewController::closeForEscape: a panel,
// its keyboard put away its own way); the keyboard (the text input stops
// editing); else the top screen goes back as its own back button would
// (which may save, as the chat screen does).
class EscapeKey {
public:
    // Returns whether anything was closed. Called synchronously; what it
    // triggers may push, pop or dismiss screens.
    static bool perform();

private:
    static bool closeDialog();
    static bool closePresentedPicker();
    static bool goBack();
    static std::shared_ptr<ViewController> topScreen();
};

} // namespace ui
