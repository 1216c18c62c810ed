#include <gtest/gtest.h>

#include <algorithm>

#include <SDL.h>
#include <cstdlib>

#include "platform/audio/AudioFileRecorder.h"
#include "platform/audio/AudioTestSupport.h"
#include "platform/audio/FileMicrophone.h"
#include "platform/audio/NullSpeaker.h"
#include "platform/audio/SdlAudioDevice.h"

using namespace audiotest;
using platform::MainQueue;

namespace {

class AudioDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { useVirtualClock(); }
    void TearDown() override { MainQueue::shared().clear(); }

    // What a microphone playing the file hears in `seconds` of virtual time.
    static std::vector<std::int16_t> capture(const std::string& path, double seconds)
    {
        std::vector<std::int16_t> heard;
        platform::FileMicrophone microphone(path);
        auto capture = microphone.openCapture();
        if (!capture->start([&](std::span<const std::int16_t> samples) { heard.insert(heard.end(), samples.begin(), samples.end()); },
                [] {}))
            return { -1 };
        MainQueue::shared().advance(seconds);
        capture->stop();
        return heard;
    }

    TempHome m_home;
};

} // namespace

TEST_F(AudioDeviceTest, FileMicrophoneHearsTheFileAt8kHzThenSilence)
{
    auto samples = sine(4000, 300);
    writeWav(m_home.file("in.wav"), samples);
    EXPECT_DOUBLE_EQ(*platform::FileMicrophone(m_home.file("in.wav")).duration(), 0.5);
    auto heard = capture(m_home.file("in.wav"), 0.75);
    ASSERT_EQ(heard.size(), 6000u);
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), heard.begin()));
    EXPECT_TRUE(std::all_of(heard.begin() + 4000, heard.end(), [](std::int16_t s) { return s == 0; }));

    // Other rates are converted; a 200 Hz tone keeps its loudness.
    writeWav(m_home.file("in16k.wav"), sine(16000, 200, 10000, 16000), 16000);
    heard = capture(m_home.file("in16k.wav"), 1.0);
    ASSERT_EQ(heard.size(), 8000u);
    EXPECT_NEAR(*std::max_element(heard.begin() + 1000, heard.begin() + 7000), 10000, 1000);

    writeFile(m_home.file("bad.wav"), "RIFF????WAVEjunk");
    for (std::string name : { "missing.wav", "bad.wav" }) {
        EXPECT_FALSE(platform::FileMicrophone(m_home.file(name)).duration()) << name;
        EXPECT_EQ(capture(m_home.file(name), 0.1), std::vector<std::int16_t> { -1 }) << name;
    }
}

TEST_F(AudioDeviceTest, NullSpeakerKeepsTimeAndReportsTheEndOfWhatItPlays)
{
    writeWav(m_home.file("clip.wav"), sine(4000));
    platform::NullSpeaker speaker;
    std::unique_ptr<platform::AudioPlayback> playback = speaker.openPlayback(m_home.file("clip.wav"));
    ASSERT_TRUE(playback);
    int finished = 0;
    playback->setFinishedHandler([&] { ++finished; });
    playback->play();
    MainQueue::shared().advance(0.49);
    EXPECT_TRUE(playback->isPlaying());
    MainQueue::shared().advance(0.02);
    EXPECT_FALSE(playback->isPlaying());
    EXPECT_EQ(finished, 1);

    // Stopped playback says nothing; a finished one may delete itself.
    playback->play();
    MainQueue::shared().advance(0.1);
    playback->stop();
    MainQueue::shared().advance(1);
    EXPECT_EQ(finished, 1);
    playback->setFinishedHandler([&] { playback.reset(); });
    playback->play();
    MainQueue::shared().advance(1);
    EXPECT_FALSE(playback);
    EXPECT_FALSE(speaker.openPlayback(m_home.file("missing.wav")));
}

TEST_F(AudioDeviceTest, FileRecorderWritesAndMetersTheMicrophoneAndEndsWithoutOne)
{
    auto loud = fullScaleSquare(4000);
    writeWav(m_home.file("in.wav"), loud);
    auto recorder = platform::AudioFileRecorder::make(m_home.file("out.wav"));
    std::vector<bool> finished;
    recorder->onFinished = [&](bool ok) { finished.push_back(ok); };
    EXPECT_TRUE(recorder->record(std::make_shared<platform::FileMicrophone>(m_home.file("in.wav"))));
    EXPECT_FLOAT_EQ(recorder->peakPower(0), platform::AudioFileRecorder::kSilenceDecibels);
    MainQueue::shared().advance(0.25);
    recorder->updateMeters();
    EXPECT_FLOAT_EQ(recorder->peakPower(0), 0.0f);
    recorder->stop();
    EXPECT_TRUE(finished.empty()) << "the end is reported on a later pass";
    MainQueue::shared().advance(0.01);
    EXPECT_EQ(finished, std::vector<bool> { true });
    EXPECT_EQ(readFile(m_home.file("out.wav")).substr(44), pcmBytes({ loud.begin(), loud.begin() + 2000 }));

    // Without a microphone the recording holds silence for as long as it ran.
    EXPECT_FALSE(recorder->record(nullptr));
    EXPECT_TRUE(recorder->isRecording());
    EXPECT_TRUE(recorder->isSilent());
    MainQueue::shared().advance(0.25);
    recorder->stop();
    MainQueue::shared().advance(0.01);
    EXPECT_EQ(finished.size(), 2u);
    EXPECT_EQ(readFile(m_home.file("out.wav")).substr(44), std::string(2 * 2000, '\0'));
    recorder->updateMeters();
    EXPECT_FLOAT_EQ(recorder->peakPower(0), platform::AudioFileRecorder::kSilenceDecibels);
}

TEST(SdlAudioDevice, OpensAndClosesOnTheDummyDriver)
{
    // The dummy driver gives a silent microphone and a speaker that plays
    // nowhere: enough to open, start and close devices without hardware.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    platform::SdlAudioDevice device;
    unsetenv("SDL_AUDIODRIVER");
    if (!device.isAvailable())
        GTEST_SKIP() << device.unavailableReason();
    useVirtualClock();
    if (auto capture = device.openCapture()) {
        EXPECT_TRUE(capture->start([](auto) {}, [] {}));
        capture->stop();
        EXPECT_FALSE(capture->isCapturing());
    }
    TempHome home;
    writeWav(home.file("clip.wav"), sine(2000));
    auto playback = device.openPlayback(home.file("clip.wav"));
    ASSERT_TRUE(playback);
    EXPECT_DOUBLE_EQ(playback->duration(), 0.25);
    EXPECT_TRUE(playback->play());
    playback->stop();
    EXPECT_FALSE(playback->isPlaying());
    EXPECT_FALSE(device.openPlayback(home.file("missing.wav")));
    MainQueue::shared().clear();
}
