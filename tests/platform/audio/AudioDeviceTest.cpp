#include <gtest/gtest.h>

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

    // Captures from a microphone playing `samples` for `seconds` of virtual time.
    std::vector<std::int16_t> capture(platform::FileMicrophone& microphone, double seconds, int* interruptions = nullptr)
    {
        std::vector<std::int16_t> heard;
        auto capture = microphone.openCapture();
        bool started = capture->start(
            [&](std::span<const std::int16_t> samples) { heard.insert(heard.end(), samples.begin(), samples.end()); },
            [interruptions] {
                if (interruptions)
                    ++*interruptions;
            });
        EXPECT_TRUE(started);
        MainQueue::shared().advance(seconds);
        capture->stop();
        return heard;
    }

    TempHome m_home;
};

} // namespace

TEST_F(AudioDeviceTest, FileMicrophoneHearsTheFileInOrderThenSilence)
{
    auto samples = sine(4000, 300);
    writeWav(m_home.file("in.wav"), samples);
    platform::FileMicrophone microphone(m_home.file("in.wav"));
    EXPECT_DOUBLE_EQ(*microphone.duration(), 0.5);

    auto heard = capture(microphone, 0.75);
    ASSERT_EQ(heard.size(), 6000u);
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), heard.begin()));
    EXPECT_TRUE(std::all_of(heard.begin() + 4000, heard.end(), [](std::int16_t s) { return s == 0; }));

    // Each capture starts the file again.
    auto again = capture(microphone, 0.013);
    ASSERT_EQ(again.size(), 104u);
    EXPECT_TRUE(std::equal(again.begin(), again.end(), samples.begin()));
}

TEST_F(AudioDeviceTest, FileMicrophoneResamplesOtherRates)
{
    writeWav(m_home.file("in16k.wav"), sine(16000, 200, 10000, 16000), 16000);
    platform::FileMicrophone microphone(m_home.file("in16k.wav"));
    auto heard = capture(microphone, 1.0);
    ASSERT_EQ(heard.size(), 8000u);
    // A 200 Hz tone survives the conversion at its loudness.
    int peak = 0;
    for (std::size_t i = 1000; i < 7000; ++i)
        peak = std::max(peak, std::abs(int(heard[i])));
    EXPECT_NEAR(peak, 10000, 1000);
}

TEST_F(AudioDeviceTest, FileMicrophoneInterruptionEndsTheCapture)
{
    writeWav(m_home.file("in.wav"), sine(8000));
    platform::FileMicrophone microphone(m_home.file("in.wav"));
    std::vector<std::int16_t> heard;
    int interruptions = 0;
    auto capture = microphone.openCapture();
    capture->start([&](std::span<const std::int16_t> s) { heard.insert(heard.end(), s.begin(), s.end()); },
        [&] { ++interruptions; });
    MainQueue::shared().advance(0.2);
    microphone.interrupt();
    MainQueue::shared().advance(0.2);
    EXPECT_EQ(interruptions, 1);
    EXPECT_FALSE(capture->isCapturing());
    EXPECT_EQ(heard.size(), 1600u);
}

TEST_F(AudioDeviceTest, FileMicrophoneRefusesUnreadableFiles)
{
    writeFile(m_home.file("bad.wav"), "RIFF????WAVEjunk");
    for (std::string path : { m_home.file("missing.wav"), m_home.file("bad.wav") }) {
        platform::FileMicrophone microphone(path);
        EXPECT_FALSE(microphone.duration());
        EXPECT_FALSE(microphone.openCapture()->start([](auto) {}, [] {}));
    }
}

TEST_F(AudioDeviceTest, NullSpeakerKeepsTimeAndReportsTheEnd)
{
    writeWav(m_home.file("clip.wav"), sine(4000));
    platform::NullSpeaker speaker;
    auto playback = speaker.openPlayback(m_home.file("clip.wav"));
    ASSERT_TRUE(playback);
    EXPECT_DOUBLE_EQ(playback->duration(), 0.5);
    int finished = 0;
    playback->setFinishedHandler([&] { ++finished; });
    playback->play();
    MainQueue::shared().advance(0.49);
    EXPECT_TRUE(playback->isPlaying());
    EXPECT_EQ(finished, 0);
    MainQueue::shared().advance(0.02);
    EXPECT_FALSE(playback->isPlaying());
    EXPECT_EQ(finished, 1);

    // Stopped playback says nothing.
    playback->play();
    MainQueue::shared().advance(0.1);
    playback->stop();
    MainQueue::shared().advance(1);
    EXPECT_EQ(finished, 1);

    EXPECT_FALSE(speaker.openPlayback(m_home.file("missing.wav")));
}

TEST_F(AudioDeviceTest, NullSpeakerPlaybackMayDeleteItselfWhenDone)
{
    writeWav(m_home.file("clip.wav"), sine(800));
    platform::NullSpeaker speaker;
    std::unique_ptr<platform::AudioPlayback> playback = speaker.openPlayback(m_home.file("clip.wav"));
    playback->setFinishedHandler([&] { playback.reset(); });
    playback->play();
    MainQueue::shared().advance(1);
    EXPECT_FALSE(playback);
}

TEST_F(AudioDeviceTest, FileRecorderWritesAndMetersTheMicrophone)
{
    auto loud = fullScaleSquare(4000);
    writeWav(m_home.file("in.wav"), loud);
    auto microphone = std::make_shared<platform::FileMicrophone>(m_home.file("in.wav"));
    auto recorder = platform::AudioFileRecorder::make(m_home.file("out.wav"));
    int finished = 0;
    recorder->onFinished = [&](bool ok) {
        EXPECT_TRUE(ok);
        ++finished;
    };
    EXPECT_TRUE(recorder->record(microphone));
    EXPECT_FLOAT_EQ(recorder->peakPower(0), platform::AudioFileRecorder::kSilenceDecibels);
    MainQueue::shared().advance(0.25);
    recorder->updateMeters();
    EXPECT_FLOAT_EQ(recorder->peakPower(0), 0.0f);
    recorder->stop();
    EXPECT_EQ(finished, 0) << "the end is reported on a later pass";
    MainQueue::shared().advance(0.01);
    EXPECT_EQ(finished, 1);
    std::string bytes = readFile(m_home.file("out.wav"));
    ASSERT_EQ(bytes.size(), 44u + 4000u);
    EXPECT_EQ(bytes.substr(44), pcmBytes({ loud.begin(), loud.begin() + 2000 }));
}

TEST_F(AudioDeviceTest, FileRecorderWithoutMicrophoneStillEnds)
{
    auto recorder = platform::AudioFileRecorder::make(m_home.file("out.wav"));
    writeFile(m_home.file("out.wav"), "an older recording");
    int finished = 0;
    recorder->onFinished = [&](bool) { ++finished; };
    EXPECT_FALSE(recorder->record(nullptr));
    EXPECT_TRUE(recorder->isRecording());
    recorder->stop();
    MainQueue::shared().advance(0.01);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(fileSize(m_home.file("out.wav")), 44u);
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
        EXPECT_TRUE(capture->isCapturing());
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
