#include <gtest/gtest.h>

#include <algorithm>

#include "platform/audio/AudioDevice.h"
#include "platform/audio/AudioTestSupport.h"
#include "platform/audio/FileMicrophone.h"
#include "platform/audio/NullSpeaker.h"
#include "voice/AmrConversion.h"
#include "voice/GXRecordManage.h"
#include "voice/VOAmrPlayer.h"
#include "voice/VoiceFolders.h"

using namespace audiotest;
using platform::MainQueue;

namespace {

// Records what a recorder, or the manager in front of it, reports.
struct Listener final : VOAmrRecorderDelegate, GXRecordManageDelegate {
    bool recorder(VOAmrRecorder& recorder, const VOAmrFileInfo& info) override
    {
        files.push_back(info);
        recordingDuringReport = recorder.isRecording();
        if (onFile)
            onFile(recorder);
        return true;
    }
    bool stopRecordHandler(VOAmrRecorder& recorder, const VOAmrFileInfo& info) override { return this->recorder(recorder, info); }
    bool recorder(VOAmrRecorder&, float power) override
    {
        levels.push_back(power);
        return true;
    }
    std::vector<VOAmrFileInfo> files;
    std::vector<float> levels;
    bool recordingDuringReport = false;
    std::function<void(VOAmrRecorder&)> onFile;
};

// A microphone hearing a 5 s tone and a speaker that only keeps time.
class VoiceClipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        useVirtualClock();
        platform::AudioDevice::setSpeaker(std::make_shared<platform::NullSpeaker>());
        hear(sine(40000));
        m_recorder->setDelegate(m_listener);
    }
    void TearDown() override
    {
        m_recorder.reset();
        platform::AudioDevice::setMicrophone(nullptr);
        MainQueue::shared().clear();
    }
    void hear(const std::vector<std::int16_t>& samples)
    {
        writeWav(m_home.file("voice.wav"), samples);
        m_microphone = std::make_shared<platform::FileMicrophone>(m_home.file("voice.wav"));
        platform::AudioDevice::setMicrophone(m_microphone);
    }
    // Holds the button for `seconds`, lets go, and waits for the report.
    VOAmrFileInfo record(const std::string& amrPath, double seconds)
    {
        m_recorder->recordWithURL(amrPath);
        MainQueue::shared().advance(seconds);
        m_recorder->stop();
        MainQueue::shared().advance(0.001);
        return m_listener->files.empty() ? VOAmrFileInfo {} : m_listener->files.back();
    }
    std::string clip(const std::string& name) const { return platform::folders::join(voiceAudioFolder(), name); }

    TempHome m_home;
    std::shared_ptr<platform::FileMicrophone> m_microphone;
    std::shared_ptr<Listener> m_listener = std::make_shared<Listener>();
    std::unique_ptr<VOAmrRecorder> m_recorder = std::make_unique<VOAmrRecorder>();
    VOAmrPlayer m_player;
    int m_finished = 0;
    std::function<void()> m_count = [this] { ++m_finished; };
};

} // namespace

TEST_F(VoiceClipTest, ARecordingBecomesAnAmrClipWithAWavCopyAndItsTrueDuration)
{
    std::string amr = clip("A.amr");
    VOAmrFileInfo info = record(amr, 2.5);
    EXPECT_EQ(info.fileUrl, amr);
    EXPECT_EQ(info.duration, 2.5);
    EXPECT_EQ(info.fileSize, 4006u);
    EXPECT_EQ(fileSize(amr), 4006u);
    EXPECT_EQ(fileSize(amr + ".wav"), 44u + 2 * 20000);
    EXPECT_EQ(readFile(amr + ".wav"), readFile(m_recorder->tempRecordFileURL()));
    EXPECT_TRUE(m_listener->recordingDuringReport);
    EXPECT_FALSE(m_recorder->isRecording());

    // Recording again under the same name replaces the clip and its copy;
    // a short press reports its short duration.
    EXPECT_EQ(record(amr, 0.5).duration, 0.5);
    EXPECT_EQ(fileSize(amr), 6u + 25 * 32);
    EXPECT_EQ(fileSize(amr + ".wav"), 44u + 2 * 4000);
    info = record(amr, 0.015);
    EXPECT_EQ(info.duration, 0.0);
    EXPECT_EQ(info.fileSize, 6u);

    // An interruption ends the recording with what was heard.
    m_recorder->recordWithURL(clip("call.amr"));
    MainQueue::shared().advance(1.0);
    m_microphone->interrupt();
    MainQueue::shared().advance(0.5);
    EXPECT_EQ(m_listener->files.back().duration, 1.0);
    EXPECT_FALSE(m_recorder->isRecording());
    EXPECT_EQ(m_listener->files.size(), 4u);
    EXPECT_FALSE(m_recorder->takeNoMicrophoneNews());
}

TEST_F(VoiceClipTest, WithoutAMicrophoneSilenceIsRecordedForAsLongAsItRuns)
{
    platform::AudioDevice::setMicrophone(nullptr);
    VOAmrFileInfo info = record(clip("quiet.amr"), 1.5);
    EXPECT_EQ(info.duration, 1.5);
    EXPECT_EQ(info.fileSize, 6u + 75 * 32);
    std::string samples = readFile(clip("quiet.amr") + ".wav").substr(44);
    EXPECT_EQ(samples.size(), 2u * 12000);
    EXPECT_EQ(samples.find_first_not_of('\0'), std::string::npos);
    // The user hears of it once, however often it happens.
    EXPECT_TRUE(m_recorder->takeNoMicrophoneNews());
    EXPECT_FALSE(m_recorder->takeNoMicrophoneNews());
    EXPECT_EQ(record(clip("quiet.amr"), 0.5).duration, 0.5);
    EXPECT_FALSE(m_recorder->takeNoMicrophoneNews());
}

TEST_F(VoiceClipTest, ARecorderMadeUnderAHomeSinceRemovedStillRecords)
{
    {
        TempHome earlier; // where the recorder was first made; gone before it records
        m_recorder = std::make_unique<VOAmrRecorder>();
        m_recorder->setDelegate(m_listener);
    }
    VOAmrFileInfo info = record(clip("later.amr"), 1.5);
    EXPECT_EQ(info.duration, 1.5);
    EXPECT_EQ(fileSize(clip("later.amr")), 6u + 75 * 32);
}

TEST_F(VoiceClipTest, StartsWhileRecordingOrInsideTheReportAreIgnored)
{
    m_listener->onFile = [&](VOAmrRecorder& recorder) { recorder.recordWithURL(clip("inside.amr")); };
    m_recorder->recordWithURL(clip("first.amr"));
    MainQueue::shared().advance(0.5);
    m_recorder->recordWithURL(clip("second.amr"));
    EXPECT_EQ(record(clip("third.amr"), 0.5).fileUrl, clip("first.amr"));
    MainQueue::shared().advance(1);
    ASSERT_EQ(m_listener->files.size(), 1u);
    EXPECT_EQ(m_listener->files[0].duration, 1.0);
    EXPECT_FALSE(exists(clip("second.amr")) || exists(clip("third.amr")));
    EXPECT_FALSE(m_recorder->isRecording());
}

TEST_F(VoiceClipTest, LevelsComeAHundredTimesASecondWhileRecordingOnly)
{
    hear(std::vector<std::int16_t>(8000, 0));
    m_recorder->recordWithURL(clip("quiet.amr"));
    MainQueue::shared().advance(1.0);
    std::size_t ticks = m_listener->levels.size();
    EXPECT_GE(ticks, 100u);
    EXPECT_LE(ticks, 102u);
    EXPECT_LT(*std::ranges::max_element(m_listener->levels), 0.001f);
    m_recorder->stop();
    MainQueue::shared().advance(1.0);
    EXPECT_LE(m_listener->levels.size(), ticks + 1);

    hear(fullScaleSquare(8000));
    record(clip("loud.amr"), 0.5);
    EXPECT_GT(m_listener->levels.size(), ticks + 40);
    EXPECT_FLOAT_EQ(m_listener->levels.back(), 1.0f);
}

TEST_F(VoiceClipTest, TheManagerPassesReportsOnWhileItsDelegateLives)
{
    auto manager = GXRecordManage::make();
    auto screen = std::make_shared<Listener>();
    manager->setDelegate(screen);
    manager->startRecord(clip("M.amr"));
    MainQueue::shared().advance(1.0);
    manager->stopRecord();
    MainQueue::shared().advance(0.01);
    ASSERT_EQ(screen->files.size(), 1u);
    EXPECT_EQ(screen->files[0].duration, 1.0);
    EXPECT_GE(screen->levels.size(), 100u);

    screen.reset();
    manager->startRecord(clip("N.amr"));
    MainQueue::shared().advance(0.2);
    manager->stopRecord();
    MainQueue::shared().advance(0.01);
    EXPECT_EQ(fileSize(clip("N.amr")), 6u + 10 * 32);
}

TEST_F(VoiceClipTest, PlayingMakesAWavCopyOnceAndPlaysItFromThenOn)
{
    std::string amr = m_home.file("clip.amr");
    ASSERT_EQ(convertWavToAmr(m_home.file("voice.wav"), amr, 1, 16), 250);
    ASSERT_TRUE(m_player.playWithURL(m_home.file("clip.mp3"), m_count)) << "a missing mp3 means the AMR clip";
    EXPECT_EQ(fileSize(amr + ".wav"), 48u + 250 * 320);
    MainQueue::shared().advance(4.99);
    EXPECT_EQ(m_finished, 0);
    MainQueue::shared().advance(0.02);
    EXPECT_EQ(m_finished, 1);
    EXPECT_TRUE(m_player.audioPlayers().empty());

    // The copy is played as it is; the AMR file is not read again.
    writeWav(amr + ".wav", sine(16000));
    writeFile(amr, "no longer an AMR file");
    ASSERT_TRUE(m_player.playWithURL(amr, m_count));
    EXPECT_DOUBLE_EQ(m_player.audioPlayer()->duration(), 2.0);
    MainQueue::shared().advance(2.01);
    EXPECT_EQ(m_finished, 2);
    EXPECT_EQ(readFile(amr), "no longer an AMR file");

    EXPECT_FALSE(m_player.playWithURL(m_home.file("nothing.amr")));
    EXPECT_FALSE(exists(m_home.file("nothing.amr.wav")));
}

TEST_F(VoiceClipTest, ClipsPlayTogetherAndAStoppedOneRunsNoCompletion)
{
    int other = 0;
    writeWav(m_home.file("short.wav"), sine(4000));
    m_player.playWithURL(m_home.file("voice.wav"), [&] { ++other; });
    m_player.playWithURL(m_home.file("short.wav"), m_count);
    EXPECT_EQ(m_player.audioPlayers().size(), 2u);
    MainQueue::shared().advance(0.6);
    EXPECT_EQ(m_finished, 1);
    EXPECT_EQ(other, 0);

    m_player.playWithURL(m_home.file("short.wav"), m_count);
    MainQueue::shared().advance(0.1);
    m_player.stop();
    MainQueue::shared().advance(5);
    EXPECT_EQ(m_finished, 1);
    EXPECT_EQ(other, 1);
    EXPECT_TRUE(m_player.audioPlayers().empty());

    // A completion may start the next clip.
    std::function<void()> again = [&] {
        if (++m_finished < 4)
            m_player.playWithURL(m_home.file("short.wav"), again);
    };
    m_player.playWithURL(m_home.file("short.wav"), again);
    MainQueue::shared().advance(2);
    EXPECT_EQ(m_finished, 4);
    EXPECT_TRUE(m_player.audioPlayers().empty());
}
