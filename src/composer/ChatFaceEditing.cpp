#include "composer/ChatFaceEditing.h"

#include "ui/TextField.h"

std::u16string ChatFaceEditing::apply(const std::u16string& text, const std::optional<std::u16string>& face, bool isDelete)
{
    if (isDelete)
        return deleteBackward(text);
    return face ? text + *face : text;
}

std::u16string ChatFaceEditing::deleteBackward(const std::u16string& text)
{
    if (text.empty())
        return text;
    if (text.back() == u']') {
        for (std::size_t length : { 3u, 4u, 5u }) {
            if (text.size() >= length && text[text.size() - length] == u'[')
                return text.substr(0, text.size() - length);
        }
        // A stray bracket is not a code; the key does nothing.
        return text;
    }
    // An emoji picture typed on the system keyboard is two units; the key
    // takes it whole, never leaving half of it behind.
    return text.substr(0, ui::previousCharacterBoundary(text, text.size()));
}
