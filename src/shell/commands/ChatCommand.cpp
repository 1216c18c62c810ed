#include "shell/commands/ChatCommand.h"

#include <iostream>
#include <memory>

#include <CLI/CLI.hpp>

#include "shell/commands/GlobalOptions.h"
#include "shell/scene/ScratchHome.h"
#include "shell/script/ChatLongPicture.h"
#include "shell/script/ChatScriptError.h"
#include "shell/script/ChatScriptReader.h"
#include "shell/script/ChatScriptScreen.h"
#include "shell/script/ChatScriptWriter.h"

namespace shell {

void ChatCommand::addTo(CLI::App& app)
{
    auto options = std::make_shared<Options>();
    auto* command = app.add_subcommand("chat", "Render a chat script (YAML) on the chat screen as PNG");
    command->add_option("script", options->scriptPath, "chat script (YAML)")->type_name("SCRIPT.yaml");
    command->add_option_function<std::string>(
               "-o,--output", [options](const std::string& path) { options->outputPath = path; },
               "the chat screen at the end of the conversation")
        ->type_name("OUT.png");
    command->add_option_function<std::string>(
               "--pages", [options](const std::string& path) { options->pagesFolder = path; },
               "the whole conversation as screenshots, page after page")
        ->type_name("DIR");
    command->add_option_function<std::string>(
               "--long", [options](const std::string& path) { options->longPath = path; },
               "the whole conversation as one tall picture")
        ->type_name("OUT.png");
    GlobalOptions::shared().addDeviceOption(*command);

    auto exported = std::make_shared<ExportOptions>();
    auto* exportCommand = command->add_subcommand("export", "Write the saved chat of the home folder (--home DIR) as a chat script");
    exportCommand->add_option("-o,--output", exported->scriptPath, "the script; its pictures go next to it")
        ->required()
        ->type_name("SCRIPT.yaml");
    exportCommand->add_option("--style", exported->style, "which saved chat: messenger or payment")
        ->check(CLI::IsMember({ "messenger", "payment" }));
    exportCommand->callback([exported] {
        if (int code = runExport(*exported))
            throw CLI::RuntimeError(code);
    });

    command->callback([options, command, exportCommand] {
        if (exportCommand->parsed())
            return;
        if (options->scriptPath.empty())
            throw CLI::RequiredError("script");
        if (int code = run(*options))
            throw CLI::RuntimeError(code);
    });
}

int ChatCommand::runExport(const ExportOptions& options)
{
    // Reads the store of the home folder named by --home (or the user's own): nothing is changed.
    std::string problem = ChatScriptWriter::write(options.style == "payment" ? ChatStyle::PaymentApp : ChatStyle::Messenger, options.scriptPath);
    if (problem.empty())
        return 0;
    std::cerr << "qyshot chat export: " << problem << '\n';
    return kOutputFailed;
}

int ChatCommand::run(const Options& options)
{
    auto complain = [](const std::string& message) { std::cerr << "qyshot chat: " << message << '\n'; };
    if (!options.outputPath && !options.pagesFolder && !options.longPath) {
        complain("nothing to write: give -o, --pages or --long");
        return kBadScript;
    }
    try {
        // Every fault of the script shows here, before anything is written.
        ChatScript script = ChatScriptReader::readFile(options.scriptPath);
        if (auto device = GlobalOptions::shared().device())
            script.device = device->name;
        ScratchHome scratch(true, !GlobalOptions::shared().hasAlbum());
        ChatScriptScreen screen(script);
        // A conversation too long for one picture is a fault of the script:
        // found before anything is written.
        std::optional<ChatLongPicture> tall;
        if (options.longPath) {
            tall.emplace(screen.chat());
            if (!tall->fitsTheLimit()) {
                complain(options.scriptPath + ": " + tall->tooTallMessage());
                return kBadScript;
            }
        }
        if (options.outputPath && !screen.writeScreen(*options.outputPath)) {
            complain("cannot write \"" + *options.outputPath + "\"");
            return kOutputFailed;
        }
        if (options.pagesFolder && screen.writePages(*options.pagesFolder).empty()) {
            complain("cannot write pages into \"" + *options.pagesFolder + "\"");
            return kOutputFailed;
        }
        if (tall && !tall->write(*options.longPath)) {
            complain("cannot write \"" + *options.longPath + "\": " + tall->error());
            return kOutputFailed;
        }
        return 0;
    } catch (const ChatScriptError& error) {
        complain(options.scriptPath + ": " + error.what());
        return kBadScript;
    } catch (const std::exception& error) {
        complain(std::string("failed: ") + error.what());
        return kOutputFailed;
    }
}

} // namespace shell
