#include "shell/commands/DemoCommand.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>

#include <CLI/CLI.hpp>

#include "chat/store/HLObjectValue.h"
#include "platform/Folders.h"
#include "platform/HomeLock.h"
#include "shell/ScreenCapture.h"
#include "shell/commands/GlobalOptions.h"
#include "shell/commands/ChatCommand.h"
#include "shell/scene/SceneReader.h"
#include "shell/scene/SceneRunner.h"
#include "shell/scene/ScratchHome.h"
#include "ui/graphics/Image.h"

namespace shell {

void DemoCommand::addTo(CLI::App& app)
{
    auto folder = std::make_shared<std::string>();
    auto* command = app.add_subcommand("demo", "Render the bundled demo scenes to PNG, each on its own device");
    command->add_option("-o,--output", *folder, "folder for the PNG files (made if missing)")->required()->type_name("DIR");
    command->callback([folder] {
        if (int code = run(*folder))
            throw CLI::RuntimeError(code);
    });
}

std::vector<std::string> DemoCommand::sceneFiles()
{
    std::vector<std::string> files;
    std::error_code error;
    auto folder = std::filesystem::path(ui::Image::resourceFolder()) / "scenes";
    for (auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.is_regular_file() && entry.path().extension() == ".json")
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> DemoCommand::scriptFiles()
{
    std::vector<std::string> files;
    std::error_code error;
    auto folder = std::filesystem::path(ui::Image::resourceFolder()) / "scripts";
    for (auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.is_regular_file() && entry.path().extension() == ".yaml")
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

int DemoCommand::run(const std::string& outputFolder)
{
    auto files = sceneFiles();
    if (files.empty()) {
        std::cerr << "qyshot demo: no scenes in " << ui::Image::resourceFolder() << "/scenes\n";
        return 1;
    }
    if (!platform::folders::makeFolders(outputFolder)) {
        std::cerr << "qyshot demo: cannot make the folder \"" << outputFolder << "\"\n";
        return 1;
    }
    std::unique_ptr<ScratchHome> scratch;
    auto& global = GlobalOptions::shared();
    if (!global.hasHome() || !global.hasAlbum())
        scratch = std::make_unique<ScratchHome>(!global.hasHome(), !global.hasAlbum());
    platform::HomeLock homeLock(platform::folders::homeFolder());
    if (!homeLock.isHeld()) {
        std::cerr << "qyshot demo: " << homeLock.error() << '\n';
        return 1;
    }

    int failures = 0;
    SceneRunner runner(outputFolder);
    for (auto& file : files) {
        auto output = (std::filesystem::path(outputFolder) / std::filesystem::path(file).stem()).string() + ".png";
        try {
            HLObjectValue::sharedInstance().clearSaveFailure();
            runner.play(SceneReader::readFile(file));
            if (auto failure = HLObjectValue::sharedInstance().saveFailure()) {
                std::cerr << "qyshot demo: " << file << ": " << *failure << '\n';
                ++failures;
                continue;
            }
            if (!ScreenCapture::writePng(output)) {
                std::cerr << "qyshot demo: cannot write \"" << output << "\"\n";
                ++failures;
                continue;
            }
            std::cout << output << '\n';
        } catch (const std::exception& error) {
            std::cerr << "qyshot demo: " << file << ": " << error.what() << '\n';
            ++failures;
        }
    }
    runner.stop();

    // Each bundled chat script: its screen, its pages and its long picture.
    for (auto& file : scriptFiles()) {
        auto stem = (std::filesystem::path(outputFolder) / std::filesystem::path(file).stem()).string();
        ChatCommand::Options options;
        options.scriptPath = file;
        options.outputPath = stem + ".png";
        options.pagesFolder = stem + "-pages";
        options.longPath = stem + "-long.png";
        if (ChatCommand::run(options) != 0) {
            ++failures;
            continue;
        }
        std::cout << *options.outputPath << '\n' << *options.pagesFolder << '\n' << *options.longPath << '\n';
    }
    return failures ? 1 : 0;
}

} // namespace shell
