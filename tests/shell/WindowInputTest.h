#pragma once
// The window host's event layer without a display: SDL events made by hand
// and handed to the input router, as the host hands over what SDL reads.
#include "ShellTest.h"

#include <SDL.h>
#include <cstring>

#include "shell/window/DesktopClipboard.h"
#include "shell/window/InputRouter.h"

class WindowInputTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        window = std::make_shared<ui::Window>(ui::Screen::main().bounds());
        window->makeKeyAndVisible();
        router.setPointsPerPixel(0.5); // a 2× phone shown at full size
        router.setClipboard(&clipboard);
    }

    static SDL_Event mouse(Uint32 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT)
    {
        SDL_Event event {};
        event.type = type;
        if (type == SDL_MOUSEMOTION) {
            event.motion.x = x;
            event.motion.y = y;
        } else {
            event.button.button = button;
            event.button.x = x;
            event.button.y = y;
        }
        return event;
    }
    static SDL_Event wheel(int x, int y, float dy, float dx = 0)
    {
        SDL_Event event {};
        event.type = SDL_MOUSEWHEEL;
        event.wheel.mouseX = x;
        event.wheel.mouseY = y;
        event.wheel.preciseY = dy;
        event.wheel.preciseX = dx;
        event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
        return event;
    }
    static SDL_Event text(Uint32 type, const char* utf8)
    {
        SDL_Event event {};
        event.type = type;
        if (type == SDL_TEXTINPUT)
            std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
        else
            std::strncpy(event.edit.text, utf8, sizeof event.edit.text - 1);
        return event;
    }
    static SDL_Event key(SDL_Keycode code, Uint16 modifiers = KMOD_NONE)
    {
        SDL_Event event {};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = code;
        event.key.keysym.mod = modifiers;
        return event;
    }
    void type(const std::string& utf8) { router.handle(text(SDL_TEXTINPUT, utf8.c_str())); }

    // The desktop's clipboard: what it holds and what the app wrote to it.
    std::optional<std::string> desktopText;
    std::vector<std::string> written;
    shell::DesktopClipboard clipboard { [this] { return desktopText; }, [this](const std::string& text) { written.push_back(text); } };
    shell::InputRouter router;
};
