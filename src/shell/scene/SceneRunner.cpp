#include "shell/scene/SceneRunner.h"

#include <algorithm>
#include <filesystem>

#include "app/AppDelegate.h"
#include "platform/Clock.h"
#include "platform/Locale.h"
#include "platform/MainQueue.h"
#include "app/ScreenRoutes.h"
#include "shell/scene/SceneError.h"
#include "shell/scene/SceneStore.h"
#include "ui/Application.h"
#include "ui/Screen.h"
#include "ui/StatusBar.h"
#include "ui/graphics/Image.h"

namespace shell {

// Where a scene's clock starts when it names no time: 2016-11-24 09:46:40 UTC.
static constexpr double kDefaultStartTime = 1480000000.0;
// Settling never runs longer than this, even if something keeps moving.
static constexpr double kLongestSettleSeconds = 5.0;

SceneRunner::App SceneRunner::phoneApp()
{
    return {
        [] {
            installScreenRoutes();
            AppDelegate::shared().didFinishLaunching();
        },
        [] { AppDelegate::shared().terminate(); },
    };
}

SceneRunner::SceneRunner(std::string outputFolder, App app)
    : m_outputFolder(std::move(outputFolder))
    , m_app(std::move(app))
{
}

SceneRunner::~SceneRunner()
{
    stop();
}

void SceneRunner::stop()
{
    if (!m_running)
        return;
    m_running = false;
    if (m_app.terminate)
        m_app.terminate();
}

void SceneRunner::start(const Scene& scene)
{
    stop();

    platform::DeviceProfile profile = platform::DeviceProfile::defaultProfile();
    if (m_deviceOverride)
        profile = *m_deviceOverride;
    else if (scene.device)
        profile = platform::DeviceProfile::named(*scene.device).value_or(profile);
    ui::Screen::main().setProfile(profile);
    // Pictures are looked up for the screen's scale, so a new device needs new ones.
    ui::Image::clearCache();

    if (scene.timeZone)
        platform::locale::setTimeZone(*scene.timeZone);
    m_clock = std::make_shared<platform::VirtualClock>(scene.startTime.value_or(kDefaultStartTime));
    platform::MainQueue::shared().clear();
    platform::MainQueue::shared().setClock(m_clock);

    auto& bar = ui::StatusBar::shared();
    bar = ui::StatusBar {};
    if (scene.statusBar.carrier)
        bar.carrier = *scene.statusBar.carrier;
    bar.time = scene.statusBar.time;
    if (scene.statusBar.battery)
        bar.batteryPercent = *scene.statusBar.battery;
    if (scene.statusBar.charging)
        bar.charging = *scene.statusBar.charging;

    // The screens read the store when they open, so it is filled first.
    SceneStore::fill(scene.store);

    m_running = true;
    if (m_app.launch)
        m_app.launch();
    settle();
}

void SceneRunner::play(const Scene& scene)
{
    start(scene);
    for (auto& action : scene.actions) {
        action->play(*this);
        settle();
    }
}

void SceneRunner::pass(double seconds)
{
    auto& queue = platform::MainQueue::shared();
    auto& app = ui::Application::shared();
    double end = queue.now() + std::max(0.0, seconds);
    // Stop a hair early so rounding never adds a sliver of a frame at the end.
    auto frameEnd = [&] { return queue.now() + std::min(kFrameSeconds, end - queue.now()); };
    while (queue.now() < end - 1e-9) {
        platform::VirtualClock* clock = queue.virtualClock();
        if (clock && !app.needsLayout() && !app.hasRunningAnimations()) {
            // Nothing moves and nothing waits for layout, so the frames before the
            // next due task would each find nothing to do: step the clock over them
            // on the same frame grid, and fall back to frame-by-frame once a task
            // is due within the frame.
            double next = queue.nextDueTime();
            bool skipped = false;
            while (queue.now() < end - 1e-9 && (next < 0 || next > frameEnd())) {
                clock->setNow(frameEnd());
                skipped = true;
            }
            if (skipped)
                continue;
        }
        queue.advance(std::min(kFrameSeconds, end - queue.now()));
        app.layoutIfNeeded();
    }
    queue.runDue();
    app.layoutIfNeeded();
}

void SceneRunner::settle()
{
    pass(kSettleSeconds);
    double extra = 0;
    while (ui::Application::shared().hasRunningAnimations() && extra < kLongestSettleSeconds) {
        pass(kFrameSeconds);
        extra += kFrameSeconds;
    }
}

std::string SceneRunner::outputPath(const std::string& path, const std::string& field) const
{
    namespace fs = std::filesystem;
    auto refuse = [&](const std::string& why) {
        throw SceneError(field, "refused to write \"" + path + "\": " + why + " (a scene writes only inside the output folder)");
    };
    fs::path given(path);
    if (given.empty())
        refuse("no file name");
    if (given.has_root_path())
        refuse("an absolute path");
    for (const auto& part : given) {
        if (part == "..")
            refuse("\"..\" leaves the folder");
    }
    // A link on the way could point anywhere; the folder itself is the user's
    // own choice on the command line and may be one.
    fs::path walked = m_outputFolder.empty() ? fs::path(".") : fs::path(m_outputFolder);
    for (const auto& part : given.lexically_normal()) {
        walked /= part;
        std::error_code error;
        if (fs::is_symlink(fs::symlink_status(walked, error)))
            refuse("\"" + walked.string() + "\" is a symbolic link");
    }
    if (m_outputFolder.empty())
        return given.lexically_normal().string();
    return (fs::path(m_outputFolder) / given).lexically_normal().string();
}

} // namespace shell
