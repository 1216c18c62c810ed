#include "ShellTest.h"

#include <vector>

#include "platform/MainQueue.h"
#include "platform/audio/AudioDevice.h"
#include "platform/audio/FileMicrophone.h"
#include "ui/Button.h"

using namespace ui;

class RecordActionTest : public ShellTest {
protected:
    // The press-to-talk button, logging its events with their times.
    std::shared_ptr<Button> pressToTalk(const char* image)
    {
        auto button = Button::make();
        button->setFrame({ 45, 600, 280, 36 });
        button->setImage(Image::named(image));
        for (auto [event, name] : std::vector<std::pair<ControlEvent, std::string>> {
                 { TouchDown, "down" }, { TouchUpInside, "upInside" }, { TouchUpOutside, "upOutside" } }) {
            button->addAction(event, [this, name](Control&) {
                events.push_back(name);
                times.push_back(platform::MainQueue::shared().now());
                microphones.push_back(platform::AudioDevice::microphone());
            });
        }
        return button;
    }

    std::vector<std::string> events;
    std::vector<double> times;
    std::vector<std::shared_ptr<platform::AudioDevice>> microphones;
};

TEST_F(RecordActionTest, HoldsThePressToTalkButtonForTheClipAndHearsTheFile)
{
    std::string wav = writeWav("hello.wav", 20000);
    play(R"({"actions": [{"record": {"wav": ")" + wav + R"("}}]})",
        [&](Window& w) { w.addSubview(pressToTalk("QYPress.png")); });
    ASSERT_EQ(events, (std::vector<std::string> { "down", "upInside" }));
    EXPECT_NEAR(times[1] - times[0], 2.5, 0.05);
    auto heard = std::dynamic_pointer_cast<platform::FileMicrophone>(microphones[0]);
    ASSERT_TRUE(heard);
    EXPECT_EQ(heard->wavPath(), wav);
}

TEST_F(RecordActionTest, ReleasingOutsideCancelsAndThePaymentStyleButtonIsFound)
{
    std::string wav = writeWav("short.wav", 4800);
    play(R"({"actions": [{"record": {"wav": ")" + wav + R"(", "release": "outside"}}]})",
        [&](Window& w) { w.addSubview(pressToTalk("QYPay_Press.png")); });
    EXPECT_EQ(events, (std::vector<std::string> { "down", "upOutside" }));
}

TEST_F(RecordActionTest, BadRecordStepsNameTheirField)
{
    auto withButton = [&](Window& w) { w.addSubview(pressToTalk("QYPress.png")); };
    auto recording = [](const std::string& step) { return R"({"actions": [{"record": )" + step + "}]}"; };
    EXPECT_NE(failure(recording("{}"), withButton).find("actions[0].record"), std::string::npos);
    EXPECT_NE(failure(recording(R"({"wav": "x.wav", "release": "sideways"})"), withButton).find("release"), std::string::npos);
    EXPECT_NE(failure(recording(R"({"wav": ")" + writeFile("noise.wav", "not a wav") + R"("})"), withButton).find("sound file"),
        std::string::npos);
    // Without a press-to-talk button on screen the step says so.
    EXPECT_NE(failure(recording(R"({"wav": ")" + writeWav("ok.wav", 8000) + R"("})"), [](Window&) {}).find("press-to-talk"),
        std::string::npos);
}

TEST_F(RecordActionTest, ARelativeSoundFileIsFoundNextToTheSceneFile)
{
    std::filesystem::create_directories(folder / "scenes" / "media");
    std::string wav = writeWav("scenes/media/hello.wav", 12000);
    std::string scene = writeFile("scenes/talk.json", R"({"actions": [{"record": {"wav": "media/hello.wav"}}]})");
    runner = std::make_unique<shell::SceneRunner>(folder.string(),
        windowApp([&](Window& w) { w.addSubview(pressToTalk("QYPress.png")); }));
    runner->play(shell::SceneReader::readFile(scene));
    ASSERT_EQ(events.size(), 2u);
    auto heard = std::dynamic_pointer_cast<platform::FileMicrophone>(microphones[0]);
    ASSERT_TRUE(heard);
    EXPECT_EQ(std::filesystem::path(heard->wavPath()), std::filesystem::path(wav).lexically_normal());

    // Read from memory, the same name means the working folder's file, which is missing.
    EXPECT_THROW(play(R"({"actions": [{"record": {"wav": "media/hello.wav"}}]})",
                     [&](Window& w) { w.addSubview(pressToTalk("QYPress.png")); }),
        shell::SceneError);
}
