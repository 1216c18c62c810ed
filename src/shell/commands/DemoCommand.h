#pragma once
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace shell {

// `qyshot demo -o DIR`: renders every bundled scene (the resources' "scenes"
// folder) to DIR/<scene name>.png, each on the device its scene names, then
// every bundled chat script.
class DemoCommand {
public:
    static void addTo(CLI::App& app);
    // Returns the exit code: 0, or 1 when a scene failed (the others still run).
    static int run(const std::string& outputFolder);
    // The bundled scene files, sorted by name.
    static std::vector<std::string> sceneFiles();
    // The bundled chat scripts (the resources' "scripts" folder), sorted by name;
    // each is written as DIR/<name>.png, DIR/<name>-pages/ and DIR/<name>-long.png.
    static std::vector<std::string> scriptFiles();
};

} // namespace shell
