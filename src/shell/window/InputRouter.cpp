#include "shell/window/InputRouter.h"

#include <SDL.h>
#include <string>
#include <utility>

#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "shell/window/DesktopClipboard.h"
#include "ui/Application.h"
#include "ui/EscapeKey.h"
#include "ui/graphics/AttributedString.h"

namespace shell {

InputRouter::InputRouter() = default;

InputRouter::~InputRouter()
{
    *m_alive = false;
}

ui::Point InputRouter::toPoints(double x, double y) const
{
    return { (x - m_origin.x) * m_pointsPerPixel, (y - m_origin.y) * m_pointsPerPixel };
}

ui::Rect InputRouter::toWindow(const ui::Rect& points) const
{
    double scale = m_pointsPerPixel > 0 ? 1 / m_pointsPerPixel : 1;
    return { points.x() * scale + m_origin.x, points.y() * scale + m_origin.y, points.width() * scale, points.height() * scale };
}

static bool isShortcut(const SDL_KeyboardEvent& key)
{
    // Ctrl+Alt is AltGr on some desktops, which types characters.
    return (key.keysym.mod & (KMOD_CTRL | KMOD_GUI)) && !(key.keysym.mod & KMOD_ALT);
}

void InputRouter::keyTakenByWindow(const SDL_KeyboardEvent& key)
{
    m_afterShortcut = isShortcut(key);
}

bool InputRouter::handle(const SDL_Event& event)
{
    auto& app = ui::Application::shared();
    bool afterShortcut = std::exchange(m_afterShortcut, false);
    switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_RIGHT)
            return pressRight(toPoints(event.button.x, event.button.y));
        if (event.button.button != SDL_BUTTON_LEFT || m_fingerDown)
            return false;
        m_fingerDown = true;
        app.touchDown(toPoints(event.button.x, event.button.y));
        return true;
    case SDL_MOUSEMOTION:
        if (!m_fingerDown || m_rightPress)
            return false;
        app.touchMove(toPoints(event.motion.x, event.motion.y));
        return true;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_RIGHT && m_rightPress && !m_rightReleased) {
            releaseRight(toPoints(event.button.x, event.button.y));
            return true;
        }
        if (event.button.button != SDL_BUTTON_LEFT || !m_fingerDown || m_rightPress)
            return false;
        m_fingerDown = false;
        app.touchUp(toPoints(event.button.x, event.button.y));
        return true;
    case SDL_MOUSEWHEEL: {
        // Wheel up (positive y) shows what is above, so the content offset
        // goes down; positive x shows what is to the right.
        double sign = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
        ui::Point delta { event.wheel.preciseX * sign * kPointsPerWheelStep, -event.wheel.preciseY * sign * kPointsPerWheelStep };
        return app.scrollWheel(toPoints(event.wheel.mouseX, event.wheel.mouseY), delta);
    }
    case SDL_WINDOWEVENT:
        // A finger cannot stay down on a window the mouse has left for good.
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST && m_fingerDown && !m_rightPress) {
            m_fingerDown = false;
            app.touchCancel();
            return true;
        }
        return false;
    case SDL_TEXTINPUT:
        if (afterShortcut)
            return true;
        // What the desktop typed, as it came, to tell lost keys from lost text.
        if (platform::log::isEnabled())
            platform::log::line("input", std::string("text \"") + event.text.text + "\"");
        m_composing = false;
        deliverText(event.text.text);
        return true;
    case SDL_TEXTEDITING:
        deliverMarkedText(event.edit.text);
        return true;
    case SDL_KEYDOWN:
        m_afterShortcut = isShortcut(event.key);
        return handleKey(event.key);
    default:
        return false;
    }
}

bool InputRouter::pressRight(ui::Point point)
{
    if (m_fingerDown)
        return false;
    m_fingerDown = true;
    m_rightPress = true;
    m_rightReleased = false;
    m_rightHeldUntil = platform::MainQueue::shared().now() + kRightClickHold;
    ++m_pressGeneration;
    ui::Application::shared().touchDown(point);
    return true;
}

void InputRouter::releaseRight(ui::Point point)
{
    m_rightReleased = true;
    auto lift = [this, point] {
        m_fingerDown = false;
        m_rightPress = false;
        ui::Application::shared().touchUp(point);
    };
    auto& queue = platform::MainQueue::shared();
    double wait = m_rightHeldUntil - queue.now();
    if (wait <= 0) {
        lift();
        return;
    }
    std::weak_ptr<bool> alive = m_alive;
    unsigned generation = m_pressGeneration;
    queue.after(wait, [this, alive, generation, lift] {
        if (alive.lock() && generation == m_pressGeneration && m_rightPress)
            lift();
    });
}

bool InputRouter::handleKey(const SDL_KeyboardEvent& key)
{
    if (m_composing)
        return false;
    int keycode = key.keysym.sym;
    bool control = key.keysym.mod & (KMOD_CTRL | KMOD_GUI);
    bool shift = key.keysym.mod & KMOD_SHIFT;
    if (keycode == SDLK_ESCAPE) {
        ui::EscapeKey::perform();
        return true;
    }
    if (control && editCommand(keycode))
        return true;
    if (moveCaret(keycode, shift, control))
        return true;
    auto responder = ui::Application::shared().firstResponder();
    switch (keycode) {
    case SDLK_BACKSPACE:
        if (responder)
            responder->deleteBackward();
        return true;
    case SDLK_DELETE:
        // Forward delete: the selection, else the character after the caret.
        // A text input can copy exactly when it has a selection.
        if (responder && responder->hasKeyInput()) {
            if (!responder->canPerformAction("copy"))
                responder->moveCaret(ui::TextMovement::Right, true);
            if (responder->canPerformAction("copy"))
                responder->deleteBackward();
        }
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

bool InputRouter::editCommand(int keycode)
{
    const char* action = nullptr;
    switch (keycode) {
    case SDLK_a:
        action = "selectAll";
        break;
    case SDLK_c:
        action = "copy";
        break;
    case SDLK_x:
        action = "cut";
        break;
    case SDLK_v:
        action = "paste";
        break;
    default:
        return false;
    }
    if (keycode == SDLK_v && m_clipboard)
        m_clipboard->pull();
    if (auto responder = ui::Application::shared().firstResponder(); responder && responder->canPerformAction(action))
        responder->performAction(action);
    return true;
}

bool InputRouter::moveCaret(int keycode, bool shift, bool control)
{
    ui::TextMovement movement;
    switch (keycode) {
    case SDLK_LEFT:
        movement = control ? ui::TextMovement::LineStart : ui::TextMovement::Left;
        break;
    case SDLK_RIGHT:
        movement = control ? ui::TextMovement::LineEnd : ui::TextMovement::Right;
        break;
    case SDLK_UP:
        movement = control ? ui::TextMovement::DocumentStart : ui::TextMovement::Up;
        break;
    case SDLK_DOWN:
        movement = control ? ui::TextMovement::DocumentEnd : ui::TextMovement::Down;
        break;
    case SDLK_HOME:
        movement = control ? ui::TextMovement::DocumentStart : ui::TextMovement::LineStart;
        break;
    case SDLK_END:
        movement = control ? ui::TextMovement::DocumentEnd : ui::TextMovement::LineEnd;
        break;
    default:
        return false;
    }
    if (auto responder = ui::Application::shared().firstResponder())
        responder->moveCaret(movement, shift);
    return true;
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
