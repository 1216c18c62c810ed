#pragma once
#include <optional>
#include <string>

#include "ui/graphics/Color.h"
#include "ui/graphics/Range.h"

namespace ui {

// The edit actions text inputs share ("copy", "cut", "paste", "selectAll"),
// worked out against the general pasteboard; each input applies the result
// through its own delegate-asking replace.
struct TextEdit {
    // What to replace, and with what; no replacement leaves the text alone.
    Range range;
    std::optional<std::u16string> replacement;
    bool selectAll = false;
};

// Whether the action can be done now; nullopt when it is not an edit action.
std::optional<bool> textEditActionAvailable(const std::string& action, const std::u16string& text, Range selection, bool editable = true);
// Does the pasteboard half of the action (copy and cut put the selection on
// it) and says what the input still has to do; nullopt when it is not an
// edit action or cannot be done now.
std::optional<TextEdit> textEditAction(const std::string& action, const std::u16string& text, Range selection, bool editable = true);

// The tint behind selected text.
Color selectionHighlightColor();

} // namespace ui
