#include <gtest/gtest.h>

#include "platform/audio/AudioDevice.h"
#include "platform/audio/AudioTestSupport.h"
#include "platform/audio/NullSpeaker.h"
#include "voice/AmrConversion.h"
#include "voice/VOAmrPlayer.h"

using namespace audiotest;
using platform::MainQueue;

namespace {

class VOAmrPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        useVirtualClock();
        platform::AudioDevice::setSpeaker(std::make_shared<platform::NullSpeaker>());
        writeWav(m_home.file("voice.wav"), sine(4000));
        ASSERT_EQ(convertWavToAmr(m_home.file("voice.wav"), m_amr, 1, 16), 25);
    }
    void TearDown() override { MainQueue::shared().clear(); }

    TempHome m_home;
    std::string m_amr = m_home.file("clip.amr");
    VOAmrPlayer m_player;
    int m_finished = 0;
};

} // namespace

TEST_F(VOAmrPlayerTest, AMissingCopyIsDecodedOnceAndKept)
{
    ASSERT_TRUE(m_player.playWithURL(m_amr, [&] { ++m_finished; }));
    ASSERT_EQ(fileSize(m_amr + ".wav"), 48u + 25 * 320);
    EXPECT_EQ(m_player.audioPlayers().size(), 1u);
    MainQueue::shared().advance(0.49);
    EXPECT_EQ(m_finished, 0);
    MainQueue::shared().advance(0.02);
    EXPECT_EQ(m_finished, 1);
    EXPECT_TRUE(m_player.audioPlayers().empty());

    // The copy is used from now on; the AMR file is not read again.
    std::string copy = readFile(m_amr + ".wav");
    writeFile(m_amr, "no longer an AMR file");
    ASSERT_TRUE(m_player.playWithURL(m_amr, [&] { ++m_finished; }));
    MainQueue::shared().advance(0.6);
    EXPECT_EQ(m_finished, 2);
    EXPECT_EQ(readFile(m_amr + ".wav"), copy);
    EXPECT_EQ(readFile(m_amr), "no longer an AMR file");
}

TEST_F(VOAmrPlayerTest, AnExistingCopyIsPlayedAsItIs)
{
    writeWav(m_amr + ".wav", sine(16000));
    std::string amrBefore = readFile(m_amr);
    ASSERT_TRUE(m_player.playWithURL(m_amr, [&] { ++m_finished; }));
    EXPECT_DOUBLE_EQ(m_player.audioPlayer()->duration(), 2.0);
    MainQueue::shared().advance(2.01);
    EXPECT_EQ(m_finished, 1);
    EXPECT_EQ(readFile(m_amr), amrBefore);
}

TEST_F(VOAmrPlayerTest, AStoppedClipRunsNoCompletion)
{
    m_player.playWithURL(m_amr, [&] { ++m_finished; });
    MainQueue::shared().advance(0.1);
    m_player.stop();
    MainQueue::shared().advance(1);
    EXPECT_EQ(m_finished, 0);
    EXPECT_FALSE(m_player.audioPlayer()->isPlaying());
}

TEST_F(VOAmrPlayerTest, PathsNamingMp3OrWavAreFollowed)
{
    // An "mp3" path that does not exist means the AMR file of the same name.
    std::string mp3 = m_home.file("clip.mp3");
    ASSERT_TRUE(m_player.playWithURL(mp3, [&] { ++m_finished; }));
    MainQueue::shared().advance(0.6);
    EXPECT_EQ(m_finished, 1);
    EXPECT_TRUE(exists(m_amr + ".wav"));

    // A WAV path plays as it is.
    ASSERT_TRUE(m_player.playWithURL(m_home.file("voice.wav")));
    EXPECT_DOUBLE_EQ(m_player.audioPlayer()->duration(), 0.5);

    EXPECT_FALSE(m_player.playWithURL(m_home.file("nothing.amr")));
    EXPECT_FALSE(exists(m_home.file("nothing.amr.wav")));
}

TEST_F(VOAmrPlayerTest, ACompletionMayPlayTheNextClip)
{
    std::function<void()> again = [&] {
        if (++m_finished < 3)
            m_player.playWithURL(m_amr, again);
    };
    m_player.playWithURL(m_amr, again);
    MainQueue::shared().advance(2);
    EXPECT_EQ(m_finished, 3);
    EXPECT_TRUE(m_player.audioPlayers().empty());
}

TEST_F(VOAmrPlayerTest, ClipsPlayTogether)
{
    int other = 0;
    writeWav(m_home.file("long.wav"), sine(8000));
    m_player.playWithURL(m_home.file("long.wav"), [&] { ++other; });
    m_player.playWithURL(m_amr, [&] { ++m_finished; });
    EXPECT_EQ(m_player.audioPlayers().size(), 2u);
    MainQueue::shared().advance(0.6);
    EXPECT_EQ(m_finished, 1);
    EXPECT_EQ(other, 0);
    MainQueue::shared().advance(0.5);
    EXPECT_EQ(other, 1);
}
