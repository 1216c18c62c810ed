#include "shell/window/WindowHost.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "app/AppDelegate.h"
#include "platform/Folders.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "app/ScreenRoutes.h"
#include "platform/HomeLock.h"
#include "platform/store/SettingsStore.h"
#include "shell/window/AlbumImport.h"
#include "shell/window/AlbumScreenshot.h"
#include "shell/window/FramePresenter.h"
#include "shell/window/InputRouter.h"
#include "shell/window/WindowFit.h"
#include "ui/Application.h"
#include "ui/DisplayState.h"
#include "ui/Screen.h"
#include "ui/StatusBar.h"

namespace shell {

// About one frame of a 60 Hz display.
static constexpr int kFrameMilliseconds = 16;
// How long frames keep coming after the last input.
static constexpr double kLiveSecondsAfterInput = 1.5;
// Room left on the desktop for the window's title bar and borders.
static constexpr int kDecorationPixels = 48;

WindowHost::WindowHost()
    : m_input(std::make_unique<InputRouter>())
{
}

WindowHost::~WindowHost()
{
    close();
}

bool WindowHost::open()
{
    auto isSet = [](const char* name) { return std::getenv(name) && *std::getenv(name); };
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("SDL_VIDEODRIVER")) {
        std::cerr << "qyshot: no display to open the window on; without one, use \"qyshot render\" or \"qyshot demo\"\n";
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::cerr << "qyshot: cannot open a window (" << SDL_GetError()
                  << "); without a display, use \"qyshot render\" or \"qyshot demo\"\n";
        return false;
    }
    m_sdlStarted = true;
    // Without a display SDL falls back to a driver that shows nothing; a window
    // nobody can see would only hang, unless that driver was asked for.
    std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    if ((driver == "offscreen" || driver == "dummy") && !std::getenv("SDL_VIDEODRIVER")) {
        std::cerr << "qyshot: no display to open the window on; without one, use \"qyshot render\" or \"qyshot demo\"\n";
        return false;
    }

    auto& screen = ui::Screen::main();
    SDL_Rect usable { 0, 0, 0, 0 };
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0)
        usable = { 0, 0, 0, 0 };
    ui::Size available { static_cast<double>(usable.w), static_cast<double>(std::max(0, usable.h - kDecorationPixels)) };
    ui::Size size = WindowFit::windowSize(screen.size(), screen.scale(), available);

    m_window = SDL_CreateWindow("截屏工坊", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
        static_cast<int>(size.width), static_cast<int>(size.height), SDL_WINDOW_ALLOW_HIGHDPI);
    if (!m_window) {
        std::cerr << "qyshot: cannot open a window (" << SDL_GetError() << ")\n";
        return false;
    }
    m_renderer = SDL_CreateRenderer(m_window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!m_renderer)
        m_renderer = SDL_CreateRenderer(m_window, -1, SDL_RENDERER_SOFTWARE);
    if (!m_renderer) {
        std::cerr << "qyshot: cannot draw into the window (" << SDL_GetError() << ")\n";
        return false;
    }

    // The drawable may have more pixels than the window has coordinates (HiDPI).
    int windowWidth = 0, windowHeight = 0, pixelWidth = 0, pixelHeight = 0;
    SDL_GetWindowSize(m_window, &windowWidth, &windowHeight);
    SDL_GetRendererOutputSize(m_renderer, &pixelWidth, &pixelHeight);
    m_presenter = std::make_unique<FramePresenter>(m_renderer, pixelWidth, pixelHeight, pixelWidth / screen.size().width);
    if (!m_presenter->isValid()) {
        std::cerr << "qyshot: cannot make the window's frame buffer (" << SDL_GetError() << ")\n";
        return false;
    }
    m_input->setPointsPerPixel(screen.size().width / std::max(1, windowWidth));
    SDL_StartTextInput();
    platform::log::line("shell", "window " + std::to_string(windowWidth) + "x" + std::to_string(windowHeight)
            + ", drawable " + std::to_string(pixelWidth) + "x" + std::to_string(pixelHeight));
    return true;
}

void WindowHost::close()
{
    m_presenter.reset();
    if (m_renderer)
        SDL_DestroyRenderer(m_renderer);
    m_renderer = nullptr;
    if (m_window) {
        SDL_StopTextInput();
        SDL_DestroyWindow(m_window);
    }
    m_window = nullptr;
    if (m_sdlStarted)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    m_sdlStarted = false;
}

int WindowHost::run()
{
    platform::MainQueue::shared().setClock(std::make_shared<platform::SystemClock>());
    platform::HomeLock homeLock(platform::folders::homeFolder());
    if (!homeLock.isHeld()) {
        std::cerr << "qyshot: " << homeLock.error() << '\n';
        return 1;
    }
    if (!open())
        return 1;
    installScreenRoutes();
    AppDelegate::shared().didFinishLaunching();
    if (const auto& moved = platform::SettingsStore::standard().movedAsideTo())
        std::cerr << "qyshot: the saved chats could not be read; the damaged store was moved to " << *moved
                  << " and a fresh one started\n";

    auto& app = ui::Application::shared();
    auto& queue = platform::MainQueue::shared();
    int timeout = 0;
    while (pumpEvents(timeout)) {
        queue.runDue();
        app.layoutIfNeeded();
        bool animating = app.hasRunningAnimations();
        // The status bar's clock moves on its own, without marking anything dirty.
        std::string clock = ui::StatusBar::shared().timeText();
        if (m_needsFrame || animating || ui::DisplayState::generation() != m_drawnGeneration || clock != m_drawnClock) {
            m_drawnGeneration = ui::DisplayState::generation();
            m_drawnClock = clock;
            m_presenter->present();
            m_needsFrame = false;
        }
        // Sleep in the event wait until the next frame, the next due task or input.
        timeout = 100;
        if (animating || app.isTouching())
            timeout = kFrameMilliseconds;
        // Some things fade by time alone (scroll indicators), without marking
        // anything dirty, so frames keep coming for a moment after input.
        if (queue.now() < m_liveUntil) {
            timeout = kFrameMilliseconds;
            m_needsFrame = true;
        }
        double due = queue.nextDueTime();
        if (due >= 0)
            timeout = std::clamp(static_cast<int>(std::ceil((due - queue.now()) * 1000)), 0, timeout);
    }
    AppDelegate::shared().terminate();
    close();
    return 0;
}

bool WindowHost::pumpEvents(int timeoutMilliseconds)
{
    SDL_Event event;
    if (!SDL_WaitEventTimeout(&event, timeoutMilliseconds))
        return true;
    do {
        switch (event.type) {
        case SDL_QUIT:
            return false;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE)
                return false;
            if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                m_needsFrame = true;
            m_input->handle(event);
            break;
        case SDL_DROPFILE:
            if (event.drop.file) {
                std::string whyNot;
                if (auto copy = AlbumImport::copyIntoAlbum(event.drop.file, whyNot))
                    std::cout << "Added to the album: " << *copy << '\n';
                else
                    std::cerr << "qyshot: " << whyNot << '\n';
                SDL_free(event.drop.file);
            }
            break;
        case SDL_KEYDOWN:
            if (event.key.keysym.sym == SDLK_F12 && !event.key.repeat) {
                takeScreenshot();
                break;
            }
            m_input->handle(event);
            break;
        default:
            if (m_input->handle(event))
                m_liveUntil = platform::MainQueue::shared().now() + kLiveSecondsAfterInput;
            break;
        }
    } while (SDL_PollEvent(&event));
    return true;
}

void WindowHost::takeScreenshot()
{
    std::string whyNot;
    if (auto path = AlbumScreenshot::take(whyNot))
        std::cout << "Screenshot saved: " << *path << '\n';
    else
        std::cerr << "qyshot: " << whyNot << '\n';
}

} // namespace shell
