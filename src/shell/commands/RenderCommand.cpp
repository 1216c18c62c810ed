#include "shell/commands/RenderCommand.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include <CLI/CLI.hpp>

#include "shell/ScreenCapture.h"
#include "shell/commands/GlobalOptions.h"
#include "shell/scene/SceneError.h"
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
        Scene scene = SceneReader::readFile(options.scenePath);

        std::unique_ptr<ScratchHome> scratch;
        auto& global = GlobalOptions::shared();
        if (!global.hasHome() || !global.hasAlbum())
            scratch = std::make_unique<ScratchHome>(!global.hasHome(), !global.hasAlbum());
        auto outputFolder = std::filesystem::path(options.outputPath).parent_path().string();
        SceneRunner runner(outputFolder);
        runner.setDeviceOverride(GlobalOptions::shared().device());
        runner.play(scene);

        if (!ScreenCapture::writePng(options.outputPath)) {
            complain("cannot write \"" + options.outputPath + "\"");
            return kOutputFailed;
        }
        if (options.treePath && !TreeDump::write(*options.treePath)) {
            complain("cannot write \"" + *options.treePath + "\"");
            return kOutputFailed;
        }
        return 0;
    } catch (const SceneError& error) {
        complain(options.scenePath + ": " + error.what());
        return kBadScene;
    } catch (const std::exception& error) {
        complain(std::string("failed: ") + error.what());
        return kOutputFailed;
    }
}

} // namespace shell
