#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "shell/window/WindowFeedback.h"
#include "shell/window/WindowZoom.h"
#include "ui/graphics/Geometry.h"

struct SDL_Window;
union SDL_Event;

namespace shell {

class DesktopClipboard;
class FramePresenter;
class InputRouter;

// The phone in a desktop window: starts the app on the real clock, feeds it
// mouse and keyboard input, runs the main queue every frame and redraws only
// when something visible changed or an animation runs. The window resizes at
// the phone's aspect; Ctrl+0 fits it to the desktop, Ctrl+1 shows one phone
// pixel per display pixel, Ctrl+plus and Ctrl+minus step, and the choice is
// kept for next time. F12 takes the phone's screenshot into the album (the
// title names the file, the picture flashes); files dropped on the window go
// to the screen under the pointer or the album. Closing the window quits.
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
    bool handleWindowKey(const SDL_Event& event);
    void takeScreenshot();
    void dropFile(const std::string& path);
    // Re-reads the window's and drawable's sizes and places the picture.
    bool placePicture();
    void applyZoom(double zoom);
    void windowResized(int width, int height);
    double displayScale() const;
    void refreshTitle();
    // Tells the input method where the focused text input is.
    void placeTextInput();

    SDL_Window* m_window = nullptr;
    std::unique_ptr<FramePresenter> m_presenter;
    std::unique_ptr<InputRouter> m_input;
    std::unique_ptr<DesktopClipboard> m_clipboard;
    std::unique_ptr<WindowZoom> m_zoom;
    WindowFeedback m_feedback;
    std::string m_shownTitle;
    std::optional<ui::Rect> m_textInputArea;
    // The window size last asked for, so the answer is not taken for the
    // user resizing the window.
    int m_requestedWidth = 0;
    int m_requestedHeight = 0;
    std::uint64_t m_drawnGeneration = 0;
    std::string m_drawnClock;
    bool m_needsFrame = true;
    // Real-clock time until which every frame is drawn.
    double m_liveUntil = 0;
    bool m_sdlStarted = false;
};

} // namespace shell
