#include "shell/window/WindowHost.h"

#include <SDL.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "app/AppDelegate.h"
#include "app/ScreenRoutes.h"
#include "platform/Folders.h"
#include "platform/HomeLock.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "platform/audio/AudioDevice.h"
#include "platform/audio/SdlAudioDevice.h"
#include "platform/store/SettingsStore.h"
#include "shell/window/AlbumScreenshot.h"
#include "shell/window/DesktopClipboard.h"
#include "shell/window/FileDrop.h"
#include "shell/window/FramePresenter.h"
#include "shell/window/InputRouter.h"
#include "shell/window/TextInputArea.h"
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

static std::string zoomFile()
{
    return platform::folders::join(platform::folders::homeFolder(), "window-zoom");
}

WindowHost::WindowHost()
    : m_input(std::make_unique<InputRouter>())
{
}

WindowHost::~WindowHost()
{
    close();
}

static ui::Size usableDesktop()
{
    SDL_Rect usable { 0, 0, 0, 0 };
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0)
        return {};
    return { double(usable.w), double(std::max(0, usable.h - kDecorationPixels)) };
}

double WindowHost::displayScale() const
{
    int windowWidth = 0, windowHeight = 0, pixelWidth = 0, pixelHeight = 0;
    SDL_GetWindowSize(m_window, &windowWidth, &windowHeight);
    SDL_GetWindowSizeInPixels(m_window, &pixelWidth, &pixelHeight);
    if (windowWidth <= 0 || pixelWidth <= 0)
        return 1;
    return double(pixelWidth) / windowWidth;
}

bool WindowHost::open()
{
    auto isSet = [](const char* name) { return std::getenv(name) && *std::getenv(name); };
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("SDL_VIDEODRIVER")) {
        std::cerr << "qyshot: no display to open the window on; without one, use \"qyshot render\" or \"qyshot demo\"\n";
        return false;
    }
    // The desktop's character set, so that X input methods open and window
    // titles in Chinese reach the window manager.
    std::setlocale(LC_CTYPE, "");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::cerr << "qyshot: cannot open a window (" << SDL_GetError()
                  << "); without a display, use \"qyshot render\" or \"qyshot demo\"\n";
        return false;
    }
    m_sdlStarted = true;
    // On X11 the window's surface is then X's own shared-memory picture,
    // which the drawing thread can send, instead of a GL texture tied to
    // this thread.
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    // Without a display SDL falls back to a driver that shows nothing; a window
    // nobody can see would only hang, unless that driver was asked for.
    std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    if ((driver == "offscreen" || driver == "dummy") && !std::getenv("SDL_VIDEODRIVER")) {
        std::cerr << "qyshot: no display to open the window on; without one, use \"qyshot render\" or \"qyshot demo\"\n";
        return false;
    }

    auto& screen = ui::Screen::main();
    m_zoom = std::make_unique<WindowZoom>(ui::Size { screen.size().width * screen.scale(), screen.size().height * screen.scale() });
    // The first time, the phone at its own pixels unless the desktop is smaller.
    m_zoom->setZoom(WindowZoom::load(zoomFile()).value_or(std::min(1.0, m_zoom->fitZoom(usableDesktop(), 1))));
    ui::Size size = m_zoom->windowSize(1);

    m_window = SDL_CreateWindow(WindowFeedback::kTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
        int(size.width), int(size.height), SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE);
    if (!m_window) {
        std::cerr << "qyshot: cannot open a window (" << SDL_GetError() << ")\n";
        return false;
    }
    m_shownTitle = WindowFeedback::kTitle;
    // On a high-DPI display the drawable has more pixels than the window has
    // coordinates; the zoom counts pixels.
    double scale = displayScale();
    WindowZoom smallest = *m_zoom;
    smallest.setZoom(WindowZoom::kMinimum);
    ui::Size minimum = smallest.windowSize(scale);
    SDL_SetWindowMinimumSize(m_window, int(minimum.width), int(minimum.height));
    if (scale != 1)
        applyZoom(m_zoom->zoom());
    if (!placePicture())
        return false;
    m_clipboard = DesktopClipboard::sdl();
    m_input->setClipboard(m_clipboard.get());
    SDL_StartTextInput();
    return true;
}

bool WindowHost::placePicture()
{
    auto& screen = ui::Screen::main();
    m_presenter.reset();
    SDL_Surface* surface = SDL_GetWindowSurface(m_window);
    if (!surface) {
        std::cerr << "qyshot: cannot draw into the window (" << SDL_GetError() << ")\n";
        return false;
    }
    int windowWidth = 0, windowHeight = 0;
    SDL_GetWindowSize(m_window, &windowWidth, &windowHeight);
    int pixelWidth = surface->w, pixelHeight = surface->h;
    ui::Rect picture = m_zoom->pictureRect({ double(pixelWidth), double(pixelHeight) });
    double pixelsPerPoint = picture.width() / screen.size().width;
    m_presenter = std::make_unique<FramePresenter>(m_window, surface, picture, pixelsPerPoint);
    if (!m_presenter->isValid()) {
        std::cerr << "qyshot: cannot make the window's frame buffer (" << SDL_GetError() << ")\n";
        return false;
    }
    double scale = windowWidth > 0 ? double(pixelWidth) / windowWidth : 1;
    m_input->setPointsPerPixel(scale / pixelsPerPoint);
    m_input->setPictureOrigin({ picture.x() / scale, picture.y() / scale });
    m_needsFrame = true;
    platform::log::line("shell", "window " + std::to_string(windowWidth) + "x" + std::to_string(windowHeight)
            + ", drawable " + std::to_string(pixelWidth) + "x" + std::to_string(pixelHeight));
    return true;
}

void WindowHost::applyZoom(double zoom)
{
    m_zoom->setZoom(zoom);
    ui::Size size = m_zoom->windowSize(displayScale());
    m_requestedWidth = int(size.width);
    m_requestedHeight = int(size.height);
    SDL_SetWindowSize(m_window, m_requestedWidth, m_requestedHeight);
    if (!WindowZoom::save(zoomFile(), m_zoom->zoom()))
        platform::log::line("shell", "cannot keep the window's zoom in " + zoomFile());
    placePicture();
}

void WindowHost::windowResized(int width, int height)
{
    // Our own request coming back, or the user dragging the border: then the
    // zoom follows the border and the window takes the phone's aspect again.
    if (width != m_requestedWidth || height != m_requestedHeight) {
        double zoom = m_zoom->zoomForWindow({ double(width), double(height) }, displayScale());
        m_zoom->setZoom(zoom);
        ui::Size wanted = m_zoom->windowSize(displayScale());
        m_requestedWidth = int(wanted.width);
        m_requestedHeight = int(wanted.height);
        if (m_requestedWidth != width || m_requestedHeight != height)
            SDL_SetWindowSize(m_window, m_requestedWidth, m_requestedHeight);
        WindowZoom::save(zoomFile(), m_zoom->zoom());
    }
    placePicture();
}

void WindowHost::close()
{
    m_presenter.reset();
    m_input->setClipboard(nullptr);
    m_clipboard.reset();
    if (m_window) {
        SDL_StopTextInput();
        SDL_DestroyWindow(m_window);
    }
    m_window = nullptr;
    if (m_sdlStarted)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    m_sdlStarted = false;
}

void WindowHost::placeTextInput()
{
    auto area = TextInputArea::current(*m_input);
    if (area == m_textInputArea)
        return;
    m_textInputArea = area;
    if (!area)
        return;
    SDL_Rect rect { int(area->x()), int(area->y()), int(std::ceil(area->width())), int(std::ceil(area->height())) };
    SDL_SetTextInputRect(&rect);
}

void WindowHost::refreshTitle()
{
    std::string title = m_feedback.title(platform::MainQueue::shared().now());
    if (title == m_shownTitle)
        return;
    m_shownTitle = title;
    SDL_SetWindowTitle(m_window, title.c_str());
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
    // The computer's microphone and speakers; without a microphone the
    // recorder records silence and says so once.
    auto audio = std::make_shared<platform::SdlAudioDevice>();
    platform::AudioDevice::setMicrophone(audio);
    platform::AudioDevice::setSpeaker(audio);
    installScreenRoutes();
    AppDelegate::shared().didFinishLaunching();
    if (const auto& moved = platform::SettingsStore::standard().movedAsideTo())
        std::cerr << "qyshot: the saved chats could not be read; the damaged store was moved to " << *moved
                  << " and a fresh one started\n";

    auto& app = ui::Application::shared();
    auto& queue = platform::MainQueue::shared();
    // Input keeps being taken in while a frame is drawn and sent: a typing
    // tool may change the X key map right after a key, and a key read late
    // would be read with the wrong map.
    auto takeInInput = [] { SDL_PumpEvents(); };
    int timeout = 0;
    while (pumpEvents(timeout)) {
        queue.runDue();
        app.layoutIfNeeded();
        refreshTitle();
        placeTextInput();
        double now = queue.now();
        double flash = m_feedback.flash(now);
        bool animating = app.hasRunningAnimations() || flash > 0;
        // The status bar's clock moves on its own, without marking anything dirty.
        std::string clock = ui::StatusBar::shared().timeText();
        if (m_needsFrame || animating || ui::DisplayState::generation() != m_drawnGeneration || clock != m_drawnClock) {
            m_drawnGeneration = ui::DisplayState::generation();
            m_drawnClock = clock;
            // None when the window's surface could not be had after a resize.
            if (m_presenter)
                m_presenter->present(flash, takeInInput);
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
        double change = m_feedback.nextChange(queue.now());
        if (change >= 0 && (due < 0 || change < due))
            due = change;
        if (due >= 0)
            timeout = std::clamp(static_cast<int>(std::ceil((due - queue.now()) * 1000)), 0, timeout);
    }
    AppDelegate::shared().terminate();
    platform::AudioDevice::setMicrophone(nullptr);
    close();
    return 0;
}

bool WindowHost::handleWindowKey(const SDL_Event& event)
{
    const auto& key = event.key.keysym;
    if (key.sym == SDLK_F12) {
        if (!event.key.repeat)
            takeScreenshot();
        return true;
    }
    if (!(key.mod & (KMOD_CTRL | KMOD_GUI)))
        return false;
    switch (key.sym) {
    case SDLK_0:
    case SDLK_KP_0:
        applyZoom(m_zoom->fitZoom(usableDesktop(), displayScale()));
        return true;
    case SDLK_1:
    case SDLK_KP_1:
        applyZoom(1);
        return true;
    case SDLK_PLUS:
    case SDLK_EQUALS:
    case SDLK_KP_PLUS:
        applyZoom(m_zoom->stepped(true));
        return true;
    case SDLK_MINUS:
    case SDLK_KP_MINUS:
        applyZoom(m_zoom->stepped(false));
        return true;
    default:
        return false;
    }
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
            if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                windowResized(event.window.data1, event.window.data2);
            if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
                if (m_presenter)
                    m_presenter->sendAllNextTime();
                m_needsFrame = true;
            }
            m_input->handle(event);
            break;
        case SDL_DROPFILE:
            if (event.drop.file) {
                std::string path = event.drop.file;
                SDL_free(event.drop.file);
                dropFile(path);
            }
            break;
        case SDL_KEYDOWN:
            if (handleWindowKey(event)) {
                m_input->keyTakenByWindow(event.key);
                break;
            }
            m_input->handle(event);
            m_liveUntil = platform::MainQueue::shared().now() + kLiveSecondsAfterInput;
            break;
        default:
            if (m_input->handle(event))
                m_liveUntil = platform::MainQueue::shared().now() + kLiveSecondsAfterInput;
            break;
        }
    } while (SDL_PollEvent(&event));
    return true;
}

void WindowHost::dropFile(const std::string& path)
{
    // Drops carry no position; the pointer is where the file was let go.
    int x = 0, y = 0, windowX = 0, windowY = 0;
    SDL_GetGlobalMouseState(&x, &y);
    SDL_GetWindowPosition(m_window, &windowX, &windowY);
    if (auto problem = FileDrop::deliver(path, m_input->toPoints(x - windowX, y - windowY))) {
        std::cerr << "qyshot: " << *problem << '\n';
        m_feedback.showMessage(*problem, platform::MainQueue::shared().now());
    }
}

void WindowHost::takeScreenshot()
{
    std::string whyNot;
    double now = platform::MainQueue::shared().now();
    if (auto path = AlbumScreenshot::take(whyNot)) {
        std::cout << "Screenshot saved: " << *path << '\n';
        m_feedback.screenshotSaved(*path, now);
    } else {
        std::cerr << "qyshot: " << whyNot << '\n';
        m_feedback.screenshotFailed(whyNot, now);
    }
    m_needsFrame = true;
}

} // namespace shell
