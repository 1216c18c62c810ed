#include <gtest/gtest.h>

#include "platform/audio/AudioDevice.h"
#include "platform/audio/AudioTestSupport.h"
#include "platform/audio/FileMicrophone.h"
#include "platform/audio/NullSpeaker.h"
#include "voice/GXRecordManage.h"
#include "voice/VoiceFolders.h"

using namespace audiotest;
using platform::MainQueue;

namespace {

// Records what a recorder reports.
class Listener final : public VOAmrRecorderDelegate {
public:
    bool recorder(VOAmrRecorder& recorder, const VOAmrFileInfo& info) override
    {
        files.push_back(info);
        wasRecordingDuringReport = recorder.isRecording();
        if (onFile)
            onFile(recorder);
        return true;
    }
    bool recorder(VOAmrRecorder&, float power) override
    {
        levels.push_back(power);
        return true;
    }
    std::vector<VOAmrFileInfo> files;
    std::vector<float> levels;
    bool wasRecordingDuringReport = false;
    std::function<void(VOAmrRecorder&)> onFile;
};

class VOAmrRecorderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        useVirtualClock();
        platform::AudioDevice::setSpeaker(std::make_shared<platform::NullSpeaker>());
        useMicrophoneHearing(sine(40000));
        m_recorder = std::make_unique<VOAmrRecorder>();
        m_recorder->setDelegate(m_listener);
    }
    void TearDown() override
    {
        m_recorder.reset();
        platform::AudioDevice::setMicrophone(nullptr);
        MainQueue::shared().clear();
    }

    void useMicrophoneHearing(const std::vector<std::int16_t>& samples)
    {
        writeWav(m_home.file("voice.wav"), samples);
        m_microphone = std::make_shared<platform::FileMicrophone>(m_home.file("voice.wav"));
        platform::AudioDevice::setMicrophone(m_microphone);
    }

    // Holds the button for `seconds`, lets go, and waits for the report.
    void record(const std::string& amrPath, double seconds)
    {
        m_recorder->recordWithURL(amrPath);
        MainQueue::shared().advance(seconds);
        m_recorder->stop();
        MainQueue::shared().advance(0.001);
    }

    std::string clip(const std::string& name) const { return platform::folders::join(voiceAudioFolder(), name); }

    TempHome m_home;
    std::shared_ptr<platform::FileMicrophone> m_microphone;
    std::shared_ptr<Listener> m_listener = std::make_shared<Listener>();
    std::unique_ptr<VOAmrRecorder> m_recorder;
};

} // namespace

TEST_F(VOAmrRecorderTest, RecordingConvertsToAmrAndKeepsAWavCopy)
{
    EXPECT_EQ(m_recorder->tempRecordFileURL(), platform::folders::join(m_home.path(), "tmp/records/rec.wav"));
    std::string amr = clip("A.amr");
    record(amr, 2.5);
    ASSERT_EQ(m_listener->files.size(), 1u);
    const VOAmrFileInfo& info = m_listener->files[0];
    EXPECT_EQ(info.fileUrl, amr);
    EXPECT_EQ(info.duration, 2.5);
    EXPECT_EQ(info.fileSize, 4006u);
    EXPECT_EQ(fileSize(amr), 4006u);
    EXPECT_EQ(readFile(amr + ".wav"), readFile(m_recorder->tempRecordFileURL()));
    EXPECT_EQ(fileSize(amr + ".wav"), 44u + 2 * 20000);
    EXPECT_TRUE(m_listener->wasRecordingDuringReport);
    EXPECT_FALSE(m_recorder->isRecording());
}

TEST_F(VOAmrRecorderTest, APressShorterThanAFrameGivesAnEmptyClip)
{
    record(clip("short.amr"), 0.015);
    ASSERT_EQ(m_listener->files.size(), 1u);
    EXPECT_EQ(m_listener->files[0].duration, 0.0);
    EXPECT_EQ(m_listener->files[0].fileSize, 6u);
}

TEST_F(VOAmrRecorderTest, RecordingAgainReplacesTheClipAndItsCopy)
{
    std::string amr = clip("same.amr");
    record(amr, 1.0);
    record(amr, 0.5);
    ASSERT_EQ(m_listener->files.size(), 2u);
    EXPECT_EQ(m_listener->files[1].duration, 0.5);
    EXPECT_EQ(fileSize(amr), 6u + 25 * 32);
    EXPECT_EQ(fileSize(amr + ".wav"), 44u + 2 * 4000);
}

TEST_F(VOAmrRecorderTest, ASecondStartWhileRecordingIsIgnored)
{
    m_recorder->recordWithURL(clip("first.amr"));
    MainQueue::shared().advance(0.5);
    m_recorder->recordWithURL(clip("second.amr"));
    MainQueue::shared().advance(0.5);
    m_recorder->stop();
    m_recorder->stop();
    MainQueue::shared().advance(0.01);
    ASSERT_EQ(m_listener->files.size(), 1u);
    EXPECT_EQ(m_listener->files[0].fileUrl, clip("first.amr"));
    EXPECT_EQ(m_listener->files[0].duration, 1.0);
    EXPECT_FALSE(exists(clip("second.amr")));
}

TEST_F(VOAmrRecorderTest, AStartInsideTheReportIsIgnored)
{
    m_listener->onFile = [&](VOAmrRecorder& recorder) { recorder.recordWithURL(clip("inside.amr")); };
    record(clip("outer.amr"), 0.2);
    MainQueue::shared().advance(1);
    EXPECT_FALSE(m_recorder->isRecording());
    EXPECT_EQ(m_listener->files.size(), 1u);
}

TEST_F(VOAmrRecorderTest, LevelsAHundredTimesASecondWhileRecordingOnly)
{
    useMicrophoneHearing(std::vector<std::int16_t>(8000, 0));
    m_recorder->recordWithURL(clip("quiet.amr"));
    MainQueue::shared().advance(1.0);
    std::size_t ticks = m_listener->levels.size();
    EXPECT_GE(ticks, 100u);
    EXPECT_LE(ticks, 102u);
    for (float level : m_listener->levels)
        EXPECT_LT(level, 0.001f);
    m_recorder->stop();
    MainQueue::shared().advance(1.0);
    EXPECT_LE(m_listener->levels.size(), ticks + 1);

    m_listener->levels.clear();
    useMicrophoneHearing(fullScaleSquare(8000));
    record(clip("loud.amr"), 0.5);
    ASSERT_GT(m_listener->levels.size(), 40u);
    EXPECT_FLOAT_EQ(m_listener->levels.back(), 1.0f);
}

TEST_F(VOAmrRecorderTest, AnInterruptionEndsTheRecordingWithWhatWasHeard)
{
    m_recorder->recordWithURL(clip("call.amr"));
    MainQueue::shared().advance(1.0);
    m_microphone->interrupt();
    MainQueue::shared().advance(0.5);
    ASSERT_EQ(m_listener->files.size(), 1u);
    EXPECT_EQ(m_listener->files[0].duration, 1.0);
    EXPECT_FALSE(m_recorder->isRecording());
}

TEST_F(VOAmrRecorderTest, WithoutAMicrophoneTheClipIsEmpty)
{
    platform::AudioDevice::setMicrophone(nullptr);
    record(clip("A.amr"), 0.5);
    record(clip("B.amr"), 0.5);
    ASSERT_EQ(m_listener->files.size(), 2u);
    EXPECT_EQ(m_listener->files[1].duration, 0.0);
    EXPECT_EQ(m_listener->files[1].fileSize, 6u);
}

TEST_F(VOAmrRecorderTest, TheManagerPassesReportsOn)
{
    struct ChatScreen final : GXRecordManageDelegate {
        bool stopRecordHandler(VOAmrRecorder&, const VOAmrFileInfo& info) override
        {
            files.push_back(info);
            return true;
        }
        bool recorder(VOAmrRecorder&, float power) override
        {
            levels.push_back(power);
            return true;
        }
        std::vector<VOAmrFileInfo> files;
        std::vector<float> levels;
    };
    auto manager = GXRecordManage::make();
    auto screen = std::make_shared<ChatScreen>();
    manager->setDelegate(screen);
    manager->startRecord(clip("M.amr"));
    MainQueue::shared().advance(1.0);
    manager->stopRecord();
    MainQueue::shared().advance(0.01);
    ASSERT_EQ(screen->files.size(), 1u);
    EXPECT_EQ(screen->files[0].duration, 1.0);
    EXPECT_GE(screen->levels.size(), 100u);

    // A delegate that went away hears nothing, and nothing breaks.
    screen.reset();
    manager->startRecord(clip("N.amr"));
    MainQueue::shared().advance(0.2);
    manager->stopRecord();
    MainQueue::shared().advance(0.01);
    EXPECT_EQ(fileSize(clip("N.amr")), 6u + 10 * 32);
}
