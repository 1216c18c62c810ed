#include "shell/window/DesktopClipboard.h"

#include <SDL.h>

#include "ui/Pasteboard.h"

namespace shell {

DesktopClipboard::DesktopClipboard(Reader read, Writer write)
    : m_read(std::move(read))
    , m_write(std::move(write))
{
    ui::Pasteboard::general().changed = [this](const std::optional<std::string>& text) {
        if (!m_pulling && text && m_write)
            m_write(*text);
    };
}

DesktopClipboard::~DesktopClipboard()
{
    ui::Pasteboard::general().changed = nullptr;
}

std::unique_ptr<DesktopClipboard> DesktopClipboard::sdl()
{
    return std::make_unique<DesktopClipboard>(
        []() -> std::optional<std::string> {
            if (!SDL_HasClipboardText())
                return std::nullopt;
            char* text = SDL_GetClipboardText();
            if (!text)
                return std::nullopt;
            std::string copy = text;
            SDL_free(text);
            return copy;
        },
        [](const std::string& text) { SDL_SetClipboardText(text.c_str()); });
}

void DesktopClipboard::pull()
{
    if (!m_read)
        return;
    auto text = m_read();
    if (!text || text->empty())
        return;
    m_pulling = true;
    ui::Pasteboard::general().setString(*text);
    m_pulling = false;
}

} // namespace shell
