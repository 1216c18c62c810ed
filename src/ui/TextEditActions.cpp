#include "ui/TextEditActions.h"

#include "ui/Pasteboard.h"
#include "ui/graphics/AttributedString.h"

namespace ui {

std::optional<bool> textEditActionAvailable(const std::string& action, const std::u16string& text, Range selection, bool editable)
{
    if (action == "copy")
        return selection.length > 0;
    if (action == "cut")
        return editable && selection.length > 0;
    if (action == "paste")
        return editable && Pasteboard::general().string().has_value();
    if (action == "selectAll")
        return !text.empty() && selection.length < text.size();
    return std::nullopt;
}

std::optional<TextEdit> textEditAction(const std::string& action, const std::u16string& text, Range selection, bool editable)
{
    auto available = textEditActionAvailable(action, text, selection, editable);
    if (!available || !*available)
        return std::nullopt;
    TextEdit edit { selection, std::nullopt, false };
    if (action == "copy" || action == "cut") {
        Pasteboard::general().setString(toUtf8(text.substr(selection.location, selection.length)));
        if (action == "cut")
            edit.replacement = u"";
    } else if (action == "paste") {
        edit.replacement = toUtf16(*Pasteboard::general().string());
    } else {
        edit.selectAll = true;
    }
    return edit;
}

Color selectionHighlightColor()
{
    return Color::rgb(0, 122, 255, 0.25);
}

} // namespace ui
