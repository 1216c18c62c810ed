#include "ShellTest.h"

#include <cstdint>
#include <vector>

#include "platform/MainQueue.h"
#include "platform/audio/AudioDevice.h"
#include "platform/audio/FileMicrophone.h"
#include "shell/scene/SceneError.h"
#include "ui/Button.h"

using namespace ui;

class RecordActionTest : public ShellTest {
protected:
    // A 16-bit mono 8 kHz WAV of `seconds` of a quiet tone.
    std::string writeWav(const std::string& name, double seconds)
    {
        uint32_t samples = uint32_t(seconds * 8000);
        std::string bytes = "RIFF";
        auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bytes.push_back(char((v >> (8 * i)) & 0xff)); };
        auto put16 = [&](uint16_t v) { bytes.push_back(char(v & 0xff)); bytes.push_back(char(v >> 8)); };
        put32(36 + samples * 2);
        bytes += "WAVEfmt ";
        put32(16);
        put16(1);
        put16(1);
        put32(8000);
        put32(16000);
        put16(2);
        put16(16);
        bytes += "data";
        put32(samples * 2);
        for (uint32_t i = 0; i < samples; ++i)
            put16(uint16_t(int16_t((i % 16) < 8 ? 3000 : -3000)));
        return writeFile(name, bytes);
    }

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
    std::string wav = writeWav("hello.wav", 2.5);
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
    std::string wav = writeWav("short.wav", 0.6);
    play(R"({"actions": [{"record": {"wav": ")" + wav + R"(", "release": "outside"}}]})",
        [&](Window& w) { w.addSubview(pressToTalk("QYPay_Press.png")); });
    EXPECT_EQ(events, (std::vector<std::string> { "down", "upOutside" }));
}

TEST_F(RecordActionTest, BadRecordStepsNameTheirField)
{
    auto failure = [&](const std::string& action) -> std::string {
        try {
            play(R"({"actions": [)" + action + "]}", [&](Window& w) { w.addSubview(pressToTalk("QYPress.png")); });
        } catch (const shell::SceneError& error) {
            return error.what();
        }
        return {};
    };
    EXPECT_NE(failure(R"({"record": {}})").find("actions[0].record"), std::string::npos);
    EXPECT_NE(failure(R"({"record": {"wav": "x.wav", "release": "sideways"}})").find("release"), std::string::npos);
    EXPECT_NE(failure(R"({"record": {"wav": ")" + writeFile("noise.wav", "not a wav") + R"("}})").find("sound file"), std::string::npos);
    // Without a press-to-talk button on screen the step says so.
    std::string wav = writeWav("ok.wav", 1);
    try {
        play(R"({"actions": [{"record": {"wav": ")" + wav + R"("}}]})", [](Window&) {});
        FAIL() << "expected a failure";
    } catch (const shell::SceneError& error) {
        EXPECT_NE(std::string(error.what()).find("press-to-talk"), std::string::npos);
    }
}

TEST_F(RecordActionTest, ARelativeSoundFileIsFoundNextToTheSceneFile)
{
    std::filesystem::create_directories(folder / "scenes" / "media");
    std::string wav = writeWav("scenes/media/hello.wav", 1.5);
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
