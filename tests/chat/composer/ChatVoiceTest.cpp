// Voice messages recorded through the press-to-talk button, the microphone
// hearing a WAV file in virtual time.
#include "ChatScreenTest.h"

#include "platform/audio/AudioDevice.h"
#include "platform/audio/AudioTestSupport.h"
#include "platform/audio/FileMicrophone.h"
#include "platform/audio/NullSpeaker.h"
#include "render/RIRingTabelViewCell.h"
#include "voice/overlay/RIRecordView.h"

using namespace ui;
namespace fs = std::filesystem;

class ChatVoiceTest : public ChatScreenTest {
protected:
    void SetUp() override
    {
        ChatScreenTest::SetUp();
        std::string wav = (fs::path(home->path()) / "speech.wav").string();
        audiotest::writeWav(wav, audiotest::sine(8000 * 5));
        platform::AudioDevice::setMicrophone(std::make_shared<platform::FileMicrophone>(wav));
        platform::AudioDevice::setSpeaker(std::make_shared<platform::NullSpeaker>());
        // The shared recorder keeps the scratch WAV path of the home it was
        // first made in; every test has a home of its own.
        auto scratch = fs::path(GXRecordManage::defaultManager()->recorder().tempRecordFileURL()).parent_path();
        fs::create_directories(scratch);
    }
    void TearDown() override
    {
        platform::AudioDevice::setMicrophone(nullptr);
        ChatScreenTest::TearDown();
    }

    // Switches the toolbar to press-to-talk (once) and holds the button.
    void holdToTalk(double seconds, bool releaseOutside = false)
    {
        auto bar = chat->toolBar();
        if (bar->recordButton()->isHidden()) {
            tapView(*bar->voiceButton());
            settle();
        }
        Point point = bar->recordButton()->frameInScreen().center();
        auto& app = Application::shared();
        app.touchDown(point);
        overlayShownWhileHeld = RIRecordView::defaultManager()->superview() != nullptr;
        advance(seconds);
        Point release = releaseOutside ? Point { point.x, point.y - 200 } : point;
        if (releaseOutside)
            app.touchMove(release);
        app.touchUp(release);
        advance(0.1);
    }

    static std::vector<fs::path> audioFiles()
    {
        std::vector<fs::path> files;
        std::error_code error;
        for (auto& entry : fs::directory_iterator(audioPath(), error))
            files.push_back(entry.path());
        return files;
    }
    static std::string audioPath();

    bool overlayShownWhileHeld = false;
};

std::string ChatVoiceTest::audioPath()
{
    return platform::folders::join(platform::folders::join(platform::folders::homeFolder(), "Documents"), "audio");
}

TEST_F(ChatVoiceTest, AClipOfASecondOrMoreBecomesAVoiceMessage)
{
    open(1);
    holdToTalk(1.5);
    EXPECT_TRUE(overlayShownWhileHeld);
    EXPECT_FALSE(RIRecordView::defaultManager()->superview()) << "the overlay goes when the report comes";
    auto list = rows();
    ASSERT_EQ(list.size(), 1u);
    auto voice = list[0];
    EXPECT_EQ(voice->type(), QYChatModel::Voice);
    EXPECT_NEAR(voice->duration(), 1.5, 0.05);
    EXPECT_GE(voice->duration(), 1.0);
    EXPECT_FALSE(voice->isSend());
    EXPECT_TRUE(voice->isShowDateTime());
    EXPECT_EQ(voice->styleType(), 1);
    EXPECT_FALSE(voice->nickName()) << "voice messages carry no nickname";
    ASSERT_TRUE(voice->avatar());
    EXPECT_EQ(voice->avatar()->bytes(), heAvatar->jpegData(1.0));

    // Named by a fresh UUID in the audio folder, and really there.
    std::string path = ui::toUtf8(coding::text(voice->voicePath()));
    EXPECT_EQ(fs::path(path).parent_path(), fs::path(audioPath()));
    EXPECT_EQ(fs::path(path).extension(), ".amr");
    EXPECT_EQ(fs::path(path).stem().string().size(), 36u);
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(chat->voicePath(), path);
    EXPECT_NEAR(chat->fileInfo().duration, voice->duration(), 1e-9);

    speakAsMe();
    tapView(*chat->toolBar()->voiceButton()); // back from the panel to press-to-talk
    settle();
    holdToTalk(2.2);
    list = rows();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[1]->isSend());
    EXPECT_NE(coding::text(list[1]->voicePath()), coding::text(list[0]->voicePath()));
    EXPECT_EQ(list[1]->avatar()->bytes(), meAvatar->jpegData(1.0));
    // The row is drawn by the voice cell.
    settle();
    auto cell = std::dynamic_pointer_cast<RIRingTabelViewCell>(chat->baseTableView()->cellForRow(IndexPath::forRow(1)));
    ASSERT_TRUE(cell);
    EXPECT_TRUE(cell->bubbleView());
}

TEST_F(ChatVoiceTest, AShortClipLeavesNoMessageAndNoFile)
{
    open(2);
    holdToTalk(0.6);
    EXPECT_TRUE(rows().empty());
    EXPECT_TRUE(audioFiles().empty()) << "neither the clip nor its WAV copy stays";
    EXPECT_FALSE(chat->voicePath());
    EXPECT_FALSE(RIRecordView::defaultManager()->superview());
}

TEST_F(ChatVoiceTest, ReleasingOutsideCancelsEvenALongClip)
{
    open(1);
    holdToTalk(2.5, true);
    EXPECT_TRUE(rows().empty());
    EXPECT_TRUE(audioFiles().empty());
    EXPECT_FALSE(RIRecordView::defaultManager()->superview());
    // The next recording is kept as usual.
    holdToTalk(1.2);
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_EQ(audioFiles().size(), 2u) << "the clip and the WAV copy it plays from";
}

TEST_F(ChatVoiceTest, LevelsReachTheOverlayWhileRecording)
{
    open(1);
    auto bar = chat->toolBar();
    tapView(*bar->voiceButton());
    settle();
    Point point = bar->recordButton()->frameInScreen().center();
    Application::shared().touchDown(point);
    advance(0.5);
    auto overlay = RIRecordView::defaultManager();
    ASSERT_TRUE(overlay->voiceHud()->image());
    std::string loud = overlay->voiceHud()->image()->name();
    // A silent level gives the first picture; the loud tone a later one.
    chat->recorder(GXRecordManage::defaultManager()->recorder(), 0);
    std::string silent = overlay->voiceHud()->image()->name();
    EXPECT_NE(loud, silent);
    Application::shared().touchUp(point);
    advance(0.1);
}

TEST_F(ChatVoiceTest, AReportAfterTheScreenIsGoneIsHarmless)
{
    open(1);
    auto bar = chat->toolBar();
    tapView(*bar->voiceButton());
    settle();
    Point point = bar->recordButton()->frameInScreen().center();
    Application::shared().touchDown(point);
    advance(1.5);
    Application::shared().touchUp(point);
    navigation->popViewController(false);
    std::weak_ptr<QYChatViewController> weak = chat;
    chat.reset();
    settle();
    EXPECT_TRUE(weak.expired());
}
