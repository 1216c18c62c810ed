#pragma once
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "shell/scene/SceneReader.h"
#include "shell/scene/SceneRunner.h"
#include "support/PhoneTest.h"
#include "ui/Window.h"

// A phone test with a scratch folder for files and scenes played on a small
// window the test builds itself (not the whole app).
class ShellTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        folder = std::filesystem::temp_directory_path()
            / ("qyshot-shell-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override
    {
        std::filesystem::remove_all(folder);
        PhoneTest::TearDown();
    }

    // A runner whose "app" is a full-screen key window, shown, then filled by `build`.
    shell::SceneRunner::App windowApp(std::function<void(ui::Window&)> build)
    {
        return {
            [this, build] {
                window = std::make_shared<ui::Window>(ui::Screen::main().bounds());
                window->setBackgroundColor(ui::Color::whiteColor());
                window->makeKeyAndVisible();
                build(*window);
            },
            [this] {
                ui::Application::shared().reset();
                window.reset();
            },
        };
    }

    // Reads a scene and plays it on the window `build` makes.
    void play(const std::string& sceneText, std::function<void(ui::Window&)> build)
    {
        runner = std::make_unique<shell::SceneRunner>(folder.string(), windowApp(std::move(build)));
        runner->play(shell::SceneReader::readText(sceneText));
    }

    std::string writeFile(const std::string& name, const std::string& text) const
    {
        auto path = folder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    std::filesystem::path folder;
    std::shared_ptr<ui::Window> window;
    std::unique_ptr<shell::SceneRunner> runner;
};
