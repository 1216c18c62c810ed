#include "ui/Pasteboard.h"

namespace ui {

Pasteboard& Pasteboard::general()
{
    static Pasteboard pasteboard;
    return pasteboard;
}

void Pasteboard::setString(std::optional<std::string> text)
{
    if (m_string == text)
        return;
    m_string = std::move(text);
    if (changed) {
        auto callback = changed;
        callback(m_string);
    }
}

} // namespace ui
