#pragma once
#include <string>

namespace ui {
class View;
}

namespace shell {

class SceneRunner;

// A finger on the middle of a dialog's button, down and up as a tap action
// does it, so the button runs the code a user's tap runs.
void tapDialogButton(SceneRunner& runner, const ui::View& button);

} // namespace shell
