#pragma once
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace shell {

// `qyshot chat SCRIPT -o OUT.png [--pages DIR] [--long OUT.png]`: a chat
// script on the real chat screen, headless, in a scratch home, so the user's
// own store is never touched. `qyshot chat export` writes a saved chat back
// as a script.
class ChatCommand {
public:
    // Exit codes: 0 done, 1 an output could not be written, 2 the script is bad.
    static constexpr int kOutputFailed = 1;
    static constexpr int kBadScript = 2;

    struct Options {
        std::string scriptPath;
        std::optional<std::string> outputPath;
        std::optional<std::string> pagesFolder;
        std::optional<std::string> longPath;
    };

    struct ExportOptions {
        std::string scriptPath;
        std::string style = "messenger";
    };

    static void addTo(CLI::App& app);
    // `qyshot chat export -o SCRIPT [--style payment] --home DIR`.
    static int runExport(const ExportOptions& options);
    // Runs the command; messages go to stderr. Returns the exit code.
    static int run(const Options& options);
};

} // namespace shell
