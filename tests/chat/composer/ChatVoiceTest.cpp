// Voice messages through the press-to-talk button, the microphone hearing a
// steady tone in virtual time.
#include "ChatScreenTest.h"

#include "platform/Folders.h"
#include "voice/overlay/RIRecordView.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> audioFiles()
{
    std::vector<fs::path> files;
    std::error_code error;
    auto folder = platform::folders::join(platform::folders::homeFolder(), "Documents/audio");
    for (auto& entry : fs::directory_iterator(folder, error))
        files.push_back(entry.path());
    return files;
}

} // namespace

TEST_F(ChatScreenTest, AClipOfASecondOrMoreBecomesAVoiceMessage)
{
    useMicrophone();
    open(1);
    auto overlay = RIRecordView::defaultManager();
    tapView(*chat->toolBar()->voiceButton());
    settle();
    ui::Point button = chat->toolBar()->recordButton()->frameInScreen().center();
    ui::Application::shared().touchDown(button);
    advance(0.5);
    EXPECT_TRUE(overlay->superview());
    std::string loud = overlay->voiceHud()->image()->name();
    chat->recorder(GXRecordManage::defaultManager()->recorder(), 0);
    EXPECT_NE(overlay->voiceHud()->image()->name(), loud) << "levels reach the overlay";
    advance(1.0);
    ui::Application::shared().touchUp(button);
    advance(0.1);
    EXPECT_FALSE(overlay->superview());

    ASSERT_EQ(rows().size(), 1u);
    auto voice = rows()[0];
    EXPECT_EQ(voice->type(), QYChatModel::Voice);
    EXPECT_NEAR(voice->duration(), 1.5, 0.05);
    EXPECT_FALSE(voice->isSend());
    EXPECT_TRUE(voice->isShowDateTime());
    EXPECT_FALSE(voice->nickName());
    EXPECT_EQ(voice->avatar()->bytes(), heAvatar->jpegData(1.0));
    fs::path path = ui::toUtf8(coding::text(voice->voicePath()));
    EXPECT_EQ(path.parent_path().filename(), "audio");
    EXPECT_EQ(path.extension(), ".amr");
    EXPECT_EQ(path.stem().string().size(), 36u) << "named by a UUID";
    EXPECT_TRUE(fs::exists(path));
}

TEST_F(ChatScreenTest, AShortClipLeavesNoMessageAndNoFile)
{
    useMicrophone();
    open(2);
    holdToTalk(0.6);
    EXPECT_TRUE(rows().empty());
    EXPECT_TRUE(audioFiles().empty()) << "neither the clip nor its WAV copy stays";
    EXPECT_FALSE(chat->voicePath());
    EXPECT_FALSE(RIRecordView::defaultManager()->superview());
}

TEST_F(ChatScreenTest, ReleasingOutsideCancelsEvenALongClip)
{
    useMicrophone();
    open(1);
    holdToTalk(2.5, true);
    EXPECT_TRUE(rows().empty());
    EXPECT_TRUE(audioFiles().empty());
    holdToTalk(1.2);
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_EQ(audioFiles().size(), 2u) << "the clip and the WAV copy it plays from";
}
