// What a scene may not do: write outside its output folder, read outside its
// own folder, start its clock where it cannot move, or hold the microphone
// open on a file that never ends. Each is refused, naming the field.
#include "ShellTest.h"

#include <sys/stat.h>

#include "shell/scene/SceneField.h"
#include "ui/Button.h"

using namespace ui;

class SceneLimitsTest : public ShellTest {
protected:
    void TearDown() override
    {
        shell::SceneField::setReadableFolders({});
        ShellTest::TearDown();
    }
    std::string playText(const std::string& scene)
    {
        return refusal([&] { play(scene, [](Window&) {}); });
    }
    std::string playFile(const std::string& scenePath)
    {
        return refusal([&] {
            runner = std::make_unique<shell::SceneRunner>((folder / "out").string(), windowApp([this](Window& w) {
                auto button = Button::make();
                button->setFrame({ 45, 600, 280, 36 });
                button->setImage(Image::named("QYPress.png"));
                w.addSubview(button);
            }));
            runner->play(shell::SceneReader::readFile(scenePath));
        });
    }
};

TEST_F(SceneLimitsTest, OutputsStayInsideTheOutputFolder)
{
    std::filesystem::create_directories(folder / "out");
    std::filesystem::create_directories(folder / "elsewhere");
    std::string victim = writeFile("elsewhere/notes.txt", "keep me");
    std::filesystem::create_symlink(folder / "elsewhere", folder / "out" / "link");
    std::filesystem::create_symlink(victim, folder / "out" / "notes.png");
    std::string scene = writeFile("scene.json", "{}");
    for (std::string action : { "screenshot", "dump" }) {
        for (const std::string& target : { std::string("../elsewhere/notes.txt"), victim, std::string("link/notes.txt"),
                 std::string("notes.png"), std::string("deeper/../../elsewhere/x.png") }) {
            SCOPED_TRACE(action + " " + target);
            std::ofstream(scene) << R"({"actions": [{"wait": 0}, {")" + action + R"(": ")" + target + R"("}]})";
            std::string message = playFile(scene);
            EXPECT_NE(message.find("actions[1]." + action + ": refused to write \"" + target + "\""), std::string::npos) << message;
            EXPECT_NE(message.find("inside the output folder"), std::string::npos) << message;
        }
    }
    std::ifstream in(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep me");
    EXPECT_FALSE(std::filesystem::exists(folder / "elsewhere" / "x.png"));
    EXPECT_FALSE(std::filesystem::exists(folder / "deeper"));

    // Inside, sub-folders are fine.
    std::ofstream(scene) << R"({"actions": [{"screenshot": "steps/one.png"}, {"dump": "steps/one.json"}]})";
    EXPECT_EQ(playFile(scene), "");
    auto png = platform::imagecodec::decodeFile((folder / "out/steps/one.png").string());
    ASSERT_TRUE(png);
    EXPECT_EQ(std::pair(png->width, png->height), std::pair(750, 1334));
    EXPECT_TRUE(std::filesystem::exists(folder / "out/steps/one.json"));
}

TEST_F(SceneLimitsTest, InputsStayInsideTheScenesFolderUnlessTheCommandLineAllowsMore)
{
    std::filesystem::create_directories(folder / "scenes/media");
    std::filesystem::create_directories(folder / "private");
    std::string secret = writeWav("private/secret.wav", 8000);
    std::filesystem::create_symlink(secret, folder / "scenes/media/innocent.wav");
    std::string scene = (folder / "scenes/talk.json").string();
    for (const std::string& named : { std::string("../private/secret.wav"), secret, std::string("media/innocent.wav") }) {
        SCOPED_TRACE(named);
        for (const std::string& action : { R"({"record": {"wav": ")" + named + R"("}})", R"({"pickPhoto": ")" + named + R"("})" }) {
            std::ofstream(scene) << R"({"actions": [)" + action + "]}";
            std::string message = playFile(scene);
            EXPECT_NE(message.find("actions[0]."), std::string::npos) << message;
            EXPECT_NE(message.find("refused to read \"" + named + "\""), std::string::npos) << message;
            EXPECT_NE(message.find("--allow-read"), std::string::npos) << message;
        }
    }
    // The command line may name more folders; the scene then reaches them.
    shell::SceneField::setReadableFolders({ (folder / "private").string() });
    std::ofstream(scene) << R"({"actions": [{"record": {"wav": "media/innocent.wav"}}]})";
    EXPECT_EQ(playFile(scene), "");
}

TEST_F(SceneLimitsTest, ClockStartsAndSoundFilesThatCouldNeverEndAreRefused)
{
    struct Case {
        std::string scene;
        const char* expected;
    };
    ASSERT_EQ(mkfifo((folder / "pipe.wav").c_str(), 0644), 0);
    std::string pipe = (folder / "pipe.wav").string();
    std::string deep = writeWav("deep.wav", 8000, 24);
    std::string empty = writeWav("empty.wav", 0);
    std::string slow = writeWav("slow.wav", 4000, 16, 1); // 4000 samples at 1 Hz: over an hour
    auto record = [](const std::string& path) { return R"({"actions": [{"record": {"wav": ")" + path + R"("}}]})"; };
    for (const Case& c : {
             // A 1/60 s step is below a double's resolution there: the clock would never move.
             Case { R"({"time": 1e15})", "time: expected a time from 1970 to 2099" },
             Case { R"({"time": -5e14})", "time: expected a time from 1970 to 2099" },
             Case { R"({"time": "2100-01-01T08:00"})", "time: expected a time from 1970 to 2099" },
             Case { record(pipe), "not a folder, pipe or device" },
             Case { record(folder.string()), "not a folder, pipe or device" },
             Case { record(deep), "is 24-bit, 1-channel audio" },
             Case { record(empty), "holds no sound" },
             Case { record(slow), "plays for 4000 seconds (at most 3600" },
         }) {
        SCOPED_TRACE(c.scene);
        std::string message = playText(c.scene);
        EXPECT_NE(message.find(c.expected), std::string::npos) << message;
    }
    EXPECT_EQ(playText(R"({"time": "2099-12-31T08:00", "timeZone": "Asia/Shanghai"})"), "");
}
