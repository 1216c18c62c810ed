#pragma once
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace shell {

// `qyshot render SCENE.json -o OUT.png [--device D] [--dump-tree TREE.json]`:
// plays a scene headless and writes the final screen.
class RenderCommand {
public:
    // Exit codes: 0 done, 1 an output could not be written or a save failed,
    // 2 the scene is bad (unreadable, malformed, an action that could not be
    // played or that reaches outside its folders).
    static constexpr int kOutputFailed = 1;
    static constexpr int kBadScene = 2;

    struct Options {
        std::string scenePath;
        std::string outputPath;
        std::optional<std::string> treePath;
        // Folders besides the scene's own that its actions may read.
        std::vector<std::string> readableFolders;
    };

    static void addTo(CLI::App& app);
    // Runs the command; messages go to stderr. Returns the exit code.
    static int run(const Options& options);
};

} // namespace shell
