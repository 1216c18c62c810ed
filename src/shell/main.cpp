// qyshot: the phone in a desktop window, or headless from the command line.
#include <CLI/CLI.hpp>

#include "platform/Log.h"
#include "shell/commands/AmrCommands.h"
#include "shell/commands/ChatCommand.h"
#include "shell/commands/CodecCommands.h"
#include "shell/commands/DemoCommand.h"
#include "shell/commands/GlobalOptions.h"
#include "shell/commands/RenderCommand.h"
#include "shell/commands/StoreCommands.h"
#include "shell/window/WindowHost.h"
#include "ui/Screen.h"

// Exit codes of every command: 0 done, 1 a file could not be read or written,
// 2 the command line or a scene is wrong.
constexpr int kUsageError = 2;

int main(int argc, char** argv)
{
    platform::log::setEnabled(std::getenv("QYSHOT_LOG") && std::string(std::getenv("QYSHOT_LOG")) == "1");

    CLI::App app { "截屏工坊: a phone chat app in a desktop window, or headless from scene files" };
    app.set_version_flag("--version", "qyshot " QY_VERSION);
    app.footer("Without a command, opens the phone window (F12 saves the phone's screenshot into the album).\n"
               "Exit codes: 0 done, 1 a file could not be read, written or saved (the message names it and why),\n"
               "2 wrong arguments or a bad scene file (the message names the option or the field).");
    // Before the commands, so they inherit passing unknown options up to it.
    shell::GlobalOptions::shared().addTo(app);
    app.require_subcommand(0, 1);

    // Subcommands: each file under src/shell/commands/ adds its own here.
    shell::RenderCommand::addTo(app);
    shell::ChatCommand::addTo(app);
    shell::DemoCommand::addTo(app);
    addAmrCommands(app);
    addStoreCommands(app);
    addCodecCommands(app);

    int windowResult = 0;
    app.callback([&] {
        if (!app.get_subcommands().empty())
            return;
        if (auto device = shell::GlobalOptions::shared().device())
            ui::Screen::main().setProfile(*device);
        shell::WindowHost host;
        windowResult = host.run();
    });

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& request) {
        return app.exit(request);
    } catch (const CLI::CallForAllHelp& request) {
        return app.exit(request);
    } catch (const CLI::CallForVersion& request) {
        return app.exit(request);
    } catch (const CLI::RuntimeError& failure) {
        // A command that already said what went wrong; its own code.
        return failure.get_exit_code();
    } catch (const CLI::ParseError& error) {
        // Every other complaint about the arguments is a usage error.
        app.exit(error);
        return kUsageError;
    }
    return windowResult;
}
