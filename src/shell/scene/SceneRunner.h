#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/DeviceProfile.h"
#include "shell/scene/Scene.h"

namespace platform {
class VirtualClock;
}

namespace shell {

// Plays a scene on the running app, headless, on a virtual clock: sets the
// device, the clock and the status bar, fills the store, launches the app, then
// plays each action and lets the app settle after it. Nothing waits for real time.
class SceneRunner {
public:
    // How to start and stop the app being driven: the phone app by default,
    // a small window of their own in tests.
    struct App {
        std::function<void()> launch;
        std::function<void()> terminate;
    };
    static App phoneApp();

    // A frame of virtual time: animations and timers advance in steps this long.
    static constexpr double kFrameSeconds = 1.0 / 60;
    // How long the app is left alone after each action.
    static constexpr double kSettleSeconds = 0.5;

    // Relative output paths of `screenshot` and `dump` actions are taken from
    // `outputFolder` (the folder of the final PNG).
    explicit SceneRunner(std::string outputFolder, App app = phoneApp());
    ~SceneRunner();
    SceneRunner(const SceneRunner&) = delete;
    SceneRunner& operator=(const SceneRunner&) = delete;

    // A device named on the command line wins over the scene's own.
    void setDeviceOverride(std::optional<platform::DeviceProfile> profile) { m_deviceOverride = std::move(profile); }

    // Sets the phone up as the scene says and launches the app (no actions).
    void start(const Scene& scene);
    // start(), then every action in order. Throws SceneError when one fails.
    void play(const Scene& scene);
    // Stops the app; start() does it too before a new launch.
    void stop();

    // For actions. Lets virtual time pass in frames, laying out after each.
    void pass(double seconds);
    // kSettleSeconds, then longer (up to a few seconds) while something moves.
    void settle();
    // A path as written in the scene by the action `field`, taken from the
    // output folder. A scene may only write inside that folder: absolute paths,
    // ".." and symbolic links on the way are refused with a SceneError naming
    // the action and the path.
    std::string outputPath(const std::string& path, const std::string& field) const;
    const std::string& outputFolder() const { return m_outputFolder; }

private:
    std::string m_outputFolder;
    App m_app;
    std::optional<platform::DeviceProfile> m_deviceOverride;
    std::shared_ptr<platform::VirtualClock> m_clock;
    bool m_running = false;
};

} // namespace shell
