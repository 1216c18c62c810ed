#pragma once
#include <cstdint>
#include <memory>
#include <string>

struct SDL_Window;
struct SDL_Renderer;

namespace shell {

class FramePresenter;
class InputRouter;

// The phone in a desktop window: starts the app on the real clock, feeds it
// mouse and keyboard input, runs the main queue every frame and redraws only
// when something visible changed or an animation runs. F12 takes the phone's
// screenshot into the album; pictures dropped on the window join the album.
// Closing the window quits.
class WindowHost {
public:
    WindowHost();
    ~WindowHost();
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    // Opens the window for the current device (ui::Screen) and runs until it
    // is closed. Returns the exit code; 1 when no window can be opened.
    int run();

private:
    bool open();
    void close();
    // Handles everything waiting; returns false once the user quits.
    bool pumpEvents(int timeoutMilliseconds);
    void takeScreenshot();

    SDL_Window* m_window = nullptr;
    SDL_Renderer* m_renderer = nullptr;
    std::unique_ptr<FramePresenter> m_presenter;
    std::unique_ptr<InputRouter> m_input;
    std::uint64_t m_drawnGeneration = 0;
    std::string m_drawnClock;
    bool m_needsFrame = true;
    // Real-clock time until which every frame is drawn.
    double m_liveUntil = 0;
    bool m_sdlStarted = false;
};

} // namespace shell
