#include "ShellTest.h"

#include <vector>

#include <CLI/CLI.hpp>

#include "platform/Folders.h"
#include "platform/HomeLock.h"
#include "platform/ImageCodec.h"
#include "platform/store/SettingsStore.h"
#include "shell/commands/DemoCommand.h"
#include "shell/commands/GlobalOptions.h"
#include "shell/commands/RenderCommand.h"

using shell::RenderCommand;

class RenderCommandTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        shell::GlobalOptions::shared().reset();
    }
    int render(const std::string& sceneText, std::optional<std::string> tree = std::nullopt)
    {
        RenderCommand::Options options;
        options.scenePath = writeFile("scene.json", sceneText);
        options.outputPath = (folder / "out/final.png").string();
        options.treePath = tree;
        return RenderCommand::run(options);
    }
};

TEST_F(RenderCommandTest, WritesTheHomeScreenAsPngWithProgramAndCompositeMarking)
{
    auto treePath = (folder / "tree.json").string();
    ASSERT_EQ(render(R"({"device": "iphone5", "statusBar": {"time": "09:41"}})", treePath), 0);

    auto image = platform::imagecodec::decodeFile((folder / "out/final.png").string());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 640);
    EXPECT_EQ(image->height, 1136);
    // The marking itself is the codec's; the command must ask for it.
    std::ifstream png(folder / "out/final.png", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(png)), std::istreambuf_iterator<char>());
    EXPECT_NE(bytes.find(std::string("tEXtSoftware\0qyshot", 19)), std::string::npos);
    EXPECT_NE(bytes.find("compositeSynthetic"), std::string::npos);

    // The tree names the home screen's title and its five pictures.
    std::ifstream in(treePath);
    std::string tree((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(tree.find("\"text\": \"截屏工坊\""), std::string::npos);
    for (int i = 1; i <= 5; ++i)
        EXPECT_NE(tree.find("QYHome_" + std::to_string(i)), std::string::npos) << i;
}

TEST_F(RenderCommandTest, ExitCodesTellBadScenesFromUnwritableOutput)
{
    EXPECT_EQ(render(R"({"actions": [{"tap": {"tag": 12345}}]})"), RenderCommand::kBadScene);
    EXPECT_EQ(render(R"({"device": "nokia"})"), RenderCommand::kBadScene);
    EXPECT_EQ(render("{"), RenderCommand::kBadScene);
    EXPECT_FALSE(std::filesystem::exists(folder / "out/final.png"));

    RenderCommand::Options options;
    options.scenePath = writeFile("scene.json", "{}");
    options.outputPath = "/proc/qyshot-cannot-write-here/final.png";
    EXPECT_EQ(RenderCommand::run(options), RenderCommand::kOutputFailed);
}

TEST_F(RenderCommandTest, TheCommandLineDeviceWinsOverTheScene)
{
    shell::GlobalOptions::shared().reset();
    CLI::App app;
    shell::GlobalOptions::shared().addTo(app);
    app.parse(std::vector<std::string> { "iphone6plus", "--device" });
    ASSERT_EQ(render(R"({"device": "iphone4"})"), 0);
    auto image = platform::imagecodec::decodeFile((folder / "out/final.png").string());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 1242);
    shell::GlobalOptions::shared().reset();
}

TEST(DemoScenesTest, EveryBundledSceneReadsAndTheHomeScreenIsThereForEachDevice)
{
    auto files = shell::DemoCommand::sceneFiles();
    std::vector<std::string> names;
    for (auto& file : files) {
        EXPECT_NO_THROW(shell::SceneReader::readFile(file)) << file;
        names.push_back(std::filesystem::path(file).stem().string());
    }
    for (const char* device : { "iphone4", "iphone5", "iphone6", "iphone6plus" })
        EXPECT_NE(std::find(names.begin(), names.end(), std::string("home-") + device), names.end()) << device;
}

TEST_F(RenderCommandTest, FailedSavesUnwritableStepsAndABusyHomeAreIoFailuresNotBadScenes)
{
    auto previousHome = platform::folders::homeFolder();
    auto home = (folder / "home").string();
    CLI::App app;
    shell::GlobalOptions::shared().addTo(app);
    app.parse(std::vector<std::string> { home, "--home" });
    std::string bigChat = R"({"store": {"CHAT": {"$mutableArray": [")" + std::string(20000, 'x') + R"("]}}})";

    // A full store: the scene's chat cannot be saved. This used to exit 0.
    platform::SettingsStore::standard().setSizeLimit(1);
    EXPECT_EQ(render(bigChat), RenderCommand::kOutputFailed);
    platform::SettingsStore::standard().setSizeLimit(1ll << 30);
    EXPECT_EQ(render(bigChat), 0);

    // A screenshot step whose folder is a plain file: the scene is fine, the disk is not.
    writeFile("out/blocked", "a file where a folder should be");
    EXPECT_EQ(render(R"({"actions": [{"screenshot": "blocked/step.png"}]})"), RenderCommand::kOutputFailed);

    // Another program composing in the same home.
    {
        platform::HomeLock other(home);
        ASSERT_TRUE(other.isHeld());
        EXPECT_EQ(render("{}"), RenderCommand::kOutputFailed);
    }
    EXPECT_EQ(render("{}"), 0);
    shell::GlobalOptions::shared().reset();
    platform::folders::setHomeFolder(previousHome);
}
