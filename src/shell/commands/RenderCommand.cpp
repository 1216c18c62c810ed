#include "shell/commands/RenderCommand.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include <CLI/CLI.hpp>

#include "shell/ScreenCapture.h"
#include "shell/commands/GlobalOptions.h"
#include "chat/store/HLObjectValue.h"
#include "platform/Folders.h"
#include "platform/HomeLock.h"
#include "platform/store/SettingsStore.h"
#include "shell/scene/SceneError.h"
#include "shell/scene/SceneField.h"
#include "shell/scene/SceneOutputError.h"
#include "shell/scene/SceneReader.h"
#include "shell/scene/SceneRunner.h"
#include "shell/scene/ScratchHome.h"
#include "shell/scene/TreeDump.h"

namespace shell {

void RenderCommand::addTo(CLI::App& app)
{
    auto options = std::make_shared<Options>();
    auto* command = app.add_subcommand("render", "Play a scene headless and write the final screen as PNG");
    command->add_option("scene", options->scenePath, "scene file (JSON)")->required()->type_name("SCENE.json");
    command->add_option("-o,--output", options->outputPath, "the final screen; screenshot and dump files of the scene go next to it")
        ->required()
        ->type_name("OUT.png");
    command->add_option_function<std::string>(
               "--dump-tree", [options](const std::string& path) { options->treePath = path; },
               "also write the final view tree as JSON")
        ->type_name("TREE.json");
    command->add_option("--allow-read", options->readableFolders,
               "a folder besides the scene's own that the scene may read pictures and sounds from (repeatable)")
        ->type_name("DIR");
    GlobalOptions::shared().addDeviceOption(*command);
    command->callback([options] {
        if (int code = run(*options))
            throw CLI::RuntimeError(code);
    });
}

int RenderCommand::run(const Options& options)
{
    auto complain = [&](const std::string& message) { std::cerr << "qyshot render: " << message << '\n'; };
    try {
        SceneField::setReadableFolders(options.readableFolders);
        Scene scene = SceneReader::readFile(options.scenePath);

        std::unique_ptr<ScratchHome> scratch;
        auto& global = GlobalOptions::shared();
        if (!global.hasHome() || !global.hasAlbum())
            scratch = std::make_unique<ScratchHome>(!global.hasHome(), !global.hasAlbum());
        platform::HomeLock homeLock(platform::folders::homeFolder());
        if (!homeLock.isHeld()) {
            complain(homeLock.error());
            return kOutputFailed;
        }
        auto outputFolder = std::filesystem::path(options.outputPath).parent_path().string();
        SceneRunner runner(outputFolder);
        runner.setDeviceOverride(GlobalOptions::shared().device());
        HLObjectValue::sharedInstance().clearSaveFailure();
        runner.play(scene);
        if (const auto& moved = platform::SettingsStore::standard().movedAsideTo())
            complain("the settings store could not be read (damaged); moved it to " + *moved + " and started a fresh one");
        // The app tells the user about a failed save on screen; headless, the
        // exit code is the only one who can.
        if (auto failure = HLObjectValue::sharedInstance().saveFailure()) {
            complain(*failure);
            return kOutputFailed;
        }

        if (!ScreenCapture::writePng(options.outputPath)) {
            complain("cannot write \"" + options.outputPath + "\"");
            return kOutputFailed;
        }
        if (options.treePath && !TreeDump::write(*options.treePath)) {
            complain("cannot write \"" + *options.treePath + "\"");
            return kOutputFailed;
        }
        return 0;
    } catch (const SceneOutputError& error) {
        complain(options.scenePath + ": " + error.what());
        return kOutputFailed;
    } catch (const SceneError& error) {
        complain(options.scenePath + ": " + error.what());
        return kBadScene;
    } catch (const std::exception& error) {
        complain(std::string("failed: ") + error.what());
        return kOutputFailed;
    }
}

} // namespace shell
