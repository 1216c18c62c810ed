#include "shell/window/InputRouter.h"

#include <SDL.h>

#include "ui/Application.h"
#include "ui/graphics/AttributedString.h"

namespace shell {

bool InputRouter::handle(const SDL_Event& event)
{
    auto& app = ui::Application::shared();
    auto toPoints = [this](int x, int y) { return ui::Point { x * m_pointsPerPixel, y * m_pointsPerPixel }; };
    switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button != SDL_BUTTON_LEFT)
            return false;
        m_fingerDown = true;
        app.touchDown(toPoints(event.button.x, event.button.y));
        return true;
    case SDL_MOUSEMOTION:
        if (!m_fingerDown)
            return false;
        app.touchMove(toPoints(event.motion.x, event.motion.y));
        return true;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button != SDL_BUTTON_LEFT || !m_fingerDown)
            return false;
        m_fingerDown = false;
        app.touchUp(toPoints(event.button.x, event.button.y));
        return true;
    case SDL_WINDOWEVENT:
        // A finger cannot stay down on a window the mouse has left for good.
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST && m_fingerDown) {
            m_fingerDown = false;
            app.touchCancel();
            return true;
        }
        return false;
    case SDL_TEXTINPUT:
        m_composing = false;
        deliverText(event.text.text);
        return true;
    case SDL_TEXTEDITING:
        deliverMarkedText(event.edit.text);
        return true;
    case SDL_KEYDOWN:
        return handleKey(event.key.keysym.sym);
    default:
        return false;
    }
}

bool InputRouter::handleKey(int keycode)
{
    if (m_composing)
        return false;
    auto responder = ui::Application::shared().firstResponder();
    switch (keycode) {
    case SDLK_BACKSPACE:
        if (responder)
            responder->deleteBackward();
        return true;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        if (responder)
            responder->insertText(u"\n");
        return true;
    default:
        return false;
    }
}

void InputRouter::deliverText(const std::string& utf8)
{
    if (utf8.empty())
        return;
    if (auto responder = ui::Application::shared().firstResponder())
        responder->insertText(ui::toUtf16(utf8));
}

void InputRouter::deliverMarkedText(const std::string& utf8)
{
    m_composing = !utf8.empty();
    if (auto responder = ui::Application::shared().firstResponder())
        responder->setMarkedText(ui::toUtf16(utf8));
}

} // namespace shell
