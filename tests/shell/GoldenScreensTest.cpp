// Whole screens of the demo, kept as PNGs under tests/golden/, guard the look:
// a changed pixel beyond a small tolerance fails with a picture of where. When
// a look changes on purpose, `tools/refresh-goldens` (QY_GOLDEN_UPDATE=1)
// writes the new screens over the goldens, to be committed saying so.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>

#include "platform/ImageCodec.h"
#include "shell/commands/DemoCommand.h"
#include "shell/commands/GlobalOptions.h"

namespace {

namespace fs = std::filesystem;

// Channels may differ by this much: enough for rounding in a different
// compiler's build, far too little for any change a person would see.
constexpr int kTolerance = 2;

std::uint32_t pixelAt(const platform::PixelBuffer& image, int x, int y)
{
    const std::uint8_t* p = image.pixels.data() + std::size_t(y) * std::size_t(image.stride) + std::size_t(x) * 4;
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

bool withinTolerance(std::uint32_t a, std::uint32_t b)
{
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > kTolerance)
            return false;
    }
    return true;
}

// The pixels that differ, and a picture of the golden faded to grey with
// those pixels in solid red.
struct Difference {
    int pixels = 0;
    platform::PixelBuffer picture;
};

Difference compare(const platform::PixelBuffer& golden, const platform::PixelBuffer& actual)
{
    Difference difference;
    difference.picture = { golden.width, golden.height, golden.width * 4, {} };
    difference.picture.pixels.resize(std::size_t(golden.width) * std::size_t(golden.height) * 4);
    for (int y = 0; y < golden.height; ++y) {
        for (int x = 0; x < golden.width; ++x) {
            std::uint32_t was = pixelAt(golden, x, y);
            bool same = withinTolerance(was, pixelAt(actual, x, y));
            difference.pixels += same ? 0 : 1;
            int grey = 192 + int(((was >> 8) & 0xFF) / 4);
            std::uint8_t* out = difference.picture.pixels.data() + (std::size_t(y) * std::size_t(golden.width) + std::size_t(x)) * 4;
            out[0] = same ? std::uint8_t(grey) : 0;
            out[1] = same ? std::uint8_t(grey) : 0;
            out[2] = same ? std::uint8_t(grey) : 255;
            out[3] = 255;
        }
    }
    return difference;
}

fs::path goldenFolder()
{
    const char* folder = std::getenv("QY_GOLDEN_DIR");
    return folder ? fs::path(folder) : fs::path(QY_GOLDEN_SOURCE_DIR);
}

bool updating()
{
    const char* update = std::getenv("QY_GOLDEN_UPDATE");
    return update && std::string(update) == "1";
}

// A screen of the demo and the bundled scene that shows it: its last screen,
// or one it takes a screenshot of on the way.
struct Screen {
    const char* name;
    const char* scene;
};

} // namespace

class GoldenScreens : public ::testing::TestWithParam<Screen> {
protected:
    // The whole demo is rendered once per process, as `qyshot demo` renders
    // it: one scratch home, the scenes in name order.
    static const fs::path& renderedScene(const std::string&)
    {
        if (rendered.empty()) {
            fs::path folder = fs::temp_directory_path()
                / ("qyshot-golden-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
            fs::remove_all(folder);
            shell::GlobalOptions::shared().reset();
            demoExitCode = shell::DemoCommand::run(folder.string());
            rendered.emplace("demo", folder);
        }
        return rendered.begin()->second;
    }
    static void TearDownTestSuite()
    {
        for (auto& [scene, folder] : rendered)
            fs::remove_all(folder);
        rendered.clear();
    }

    static inline std::map<std::string, fs::path> rendered;
    static inline int demoExitCode = -1;
};

TEST_P(GoldenScreens, LookAsKept)
{
    fs::path folder;
    ASSERT_NO_THROW(folder = renderedScene(GetParam().scene));
    ASSERT_EQ(demoExitCode, 0) << "the demo failed to render";
    const std::string name = std::string(GetParam().name) + ".png";
    const fs::path goldenPath = goldenFolder() / name;
    const fs::path actualPath = folder / name;
    auto actual = platform::imagecodec::decodeFile(actualPath.string());
    ASSERT_TRUE(actual) << "the scene " << GetParam().scene << " made no " << name;

    if (updating()) {
        fs::copy_file(actualPath, goldenPath, fs::copy_options::overwrite_existing);
        std::cout << "golden screen written: " << goldenPath.string() << '\n';
        return;
    }
    auto golden = platform::imagecodec::decodeFile(goldenPath.string());
    ASSERT_TRUE(golden) << "no golden screen " << goldenPath.string() << " (tools/refresh-goldens writes it)";

    // Failures leave the new screen and a picture of the difference next to
    // where the test ran (the build's tests folder under CTest).
    const fs::path outFolder = fs::absolute("golden-diff");
    const fs::path keptActual = outFolder / (std::string(GetParam().name) + ".actual.png");
    const fs::path diffPath = outFolder / (std::string(GetParam().name) + ".diff.png");
    if (golden->width != actual->width || golden->height != actual->height) {
        fs::create_directories(outFolder);
        fs::copy_file(actualPath, keptActual, fs::copy_options::overwrite_existing);
        FAIL() << name << " is " << actual->width << "×" << actual->height << ", its golden " << golden->width << "×"
               << golden->height << "; new screen: " << keptActual.string();
    }
    Difference difference = compare(*golden, *actual);
    if (difference.pixels > 0) {
        fs::create_directories(outFolder);
        fs::copy_file(actualPath, keptActual, fs::copy_options::overwrite_existing);
        platform::imagecodec::writePng(diffPath.string(), difference.picture);
        ADD_FAILURE() << name << ": " << difference.pixels << " pixels differ from " << goldenPath.string()
                      << "\n  difference (changed pixels red): " << diffPath.string()
                      << "\n  new screen: " << keptActual.string()
                      << "\n  if the change is meant, tools/refresh-goldens takes it and the commit says so";
    }
}

// Home at @2x and @3x, the preset form and the chat screen of both styles.
INSTANTIATE_TEST_SUITE_P(Demo, GoldenScreens,
    ::testing::Values(Screen { "home-iphone6", "home-iphone6" }, Screen { "home-iphone6plus", "home-iphone6plus" },
        Screen { "preset-messenger-iphone6", "chat-messenger-iphone6" },
        Screen { "preset-payment-iphone6plus", "chat-payment-iphone6plus" },
        Screen { "chat-messenger-iphone6", "chat-messenger-iphone6" },
        Screen { "chat-payment-iphone6plus", "chat-payment-iphone6plus" }),
    [](const ::testing::TestParamInfo<Screen>& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (c == '-')
                c = '_';
        }
        return name;
    });
