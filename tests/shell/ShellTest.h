#pragma once
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/ImageCodec.h"
#include "platform/audio/AudioTestSupport.h"
#include "shell/scene/SceneError.h"
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

    // The message of the SceneError that `playing` raises, or "" when it plays.
    static std::string refusal(const std::function<void()>& playing)
    {
        try {
            playing();
        } catch (const shell::SceneError& error) {
            return error.what();
        }
        return {};
    }
    std::string failure(const std::string& sceneText, std::function<void(ui::Window&)> build)
    {
        return refusal([&] { play(sceneText, std::move(build)); });
    }

    std::string writeFile(const std::string& name, const std::string& text) const
    {
        auto path = folder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    // A picture of one colour (0xAARRGGBB), written as a PNG.
    std::string writePicture(const std::string& name, std::uint32_t argb = 0xFFFFFFFF, int width = 40, int height = 30) const
    {
        platform::PixelBuffer image { width, height, width * 4, std::vector<std::uint8_t>(std::size_t(width) * std::size_t(height) * 4) };
        for (std::size_t i = 0; i < image.pixels.size(); i += 4)
            std::memcpy(&image.pixels[i], &argb, 4);
        auto path = (folder / name).string();
        EXPECT_TRUE(platform::imagecodec::writePng(path, image)) << path;
        return path;
    }

    // A mono PCM WAV of `samples` samples at `rate` Hz: a quiet tone, or silence where the samples are not 16-bit.
    std::string writeWav(const std::string& name, std::uint32_t samples, int bits = 16, int rate = 8000) const
    {
        namespace a = audiotest;
        std::string pcm = bits == 16 ? a::pcmBytes(a::sine(samples, 500, 3000, rate)) : std::string(samples * std::uint32_t(bits / 8), '\0');
        return writeFile(name, a::riff(a::chunk("fmt ", a::fmtBody(16, 1, bits, rate)) + a::chunk("data", pcm)));
    }

    std::filesystem::path folder;
    std::shared_ptr<ui::Window> window;
    std::unique_ptr<shell::SceneRunner> runner;
};
