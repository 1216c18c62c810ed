// What the desktop adds to the composer screens: files dropped on the window
// (as the window host hands them to the screen under the pointer) and the Esc
// key. Clips made without a microphone are the recorder's own test.
#include "ComposerTest.h"

#include <fstream>

#include "platform/Folders.h"
#include "platform/audio/AudioTestSupport.h"
#include "ui/EscapeKey.h"
#include "ui/ImagePickerController.h"
#include "widgets/QYNoticeHUD.h"

namespace fs = std::filesystem;

namespace {

using ui::toUtf8;

class ChatDropTest : public ComposerTest {
protected:
    static bool drop(ui::Point point, const std::string& path)
    {
        bool taken = ui::Application::shared().dropFile(point, path);
        settle(0.5);
        return taken;
    }
    std::string sound(const std::string& name, double seconds, int rate = 8000, int channels = 1)
    {
        auto path = (fs::path(home->path()) / name).string();
        audiotest::writeWav(path, audiotest::sine(std::size_t(seconds * rate) * std::size_t(channels), 440, 12000, rate), rate, channels);
        return path;
    }
    ui::Point middleOfList() { return chat->baseTableView()->frameInScreen().center(); }
};

} // namespace

TEST_F(ChatDropTest, DroppedSoundFilesBecomeVoiceMessagesOfTheCurrentSpeaker)
{
    openChat(1);
    // WAV files of any rate and layout, and an AMR clip; each as long as it plays.
    ASSERT_TRUE(drop(middleOfList(), sound("a.wav", 2.0)));
    ASSERT_TRUE(drop(middleOfList(), sound("b.WAV", 1.5, 44100, 2)));
    chooseItem(0); // now speaking as oneself
    tapView(chat->baseTableView());
    settle();
    auto recorded = rows()[0];
    std::string amr = toUtf8(coding::text(recorded->voicePath()));
    auto copied = (fs::path(home->path()) / "c.amr").string();
    fs::copy_file(amr, copied);
    ASSERT_TRUE(drop(middleOfList(), copied));

    auto list = rows();
    ASSERT_EQ(list.size(), 3u);
    std::vector<double> durations;
    std::vector<bool> sides;
    for (const auto& row : list) {
        EXPECT_EQ(row->type(), QYChatModel::Voice);
        durations.push_back(row->duration());
        sides.push_back(row->isSend());
        std::string path = toUtf8(coding::text(row->voicePath()));
        EXPECT_EQ(fs::path(path).parent_path(), fs::path(amr).parent_path()) << "kept in the audio folder";
        EXPECT_TRUE(fs::exists(path + ".wav")) << "with the copy it plays from";
    }
    EXPECT_NEAR(durations[0], 2.0, 0.021);
    EXPECT_NEAR(durations[1], 1.5, 0.041);
    EXPECT_EQ(durations[2], durations[0]);
    EXPECT_EQ(sides, (std::vector<bool> { false, false, true }));
    EXPECT_NE(toUtf8(coding::text(list[2]->voicePath())), copied) << "the dropped file is copied, not used in place";
}

TEST_F(ChatDropTest, SoundThatCannotBeAClipIsRefusedWithANoticeAndLeavesNoFiles)
{
    openChat(1);
    auto audio = fs::path(platform::folders::join(platform::folders::homeFolder(), "Documents/audio"));
    auto notWav = (fs::path(home->path()) / "x.wav").string();
    std::ofstream(notWav) << "RIFF but not really";
    auto notAmr = (fs::path(home->path()) / "x.amr").string();
    std::ofstream(notAmr) << "no magic here";
    for (const std::string& path : { sound("short.wav", 0.5), notWav, notAmr, (fs::path(home->path()) / "missing.wav").string() }) {
        SCOPED_TRACE(path);
        EXPECT_TRUE(drop(middleOfList(), path)) << "the chat answers for sound files";
        EXPECT_EQ(QYNoticeHUD::sharedView()->status(), QYChatViewController::kUnusableVoiceNotice);
        EXPECT_TRUE(rows().empty());
        std::error_code error;
        EXPECT_TRUE(!fs::exists(audio, error) || fs::is_empty(audio, error));
    }
    // Pictures are not the chat's to take.
    EXPECT_FALSE(drop(middleOfList(), albumPhoto("photo.png", 20, 20)));
}

TEST_F(ChatDropTest, APictureDroppedOnAnAvatarRowIsPickedForIt)
{
    auto preset = openPreset(1);
    auto picture = albumPhoto("face.png", 40, 40, 7);
    auto before = preset->heImageView()->image();
    ui::Rect otherAvatarRow = preset->groups()[1]->frameInScreen();
    ASSERT_TRUE(drop({ otherAvatarRow.x() + 60, otherAvatarRow.y() + 27 }, picture));
    EXPECT_NE(preset->heImageView()->image(), before);
    EXPECT_EQ(preset->heImageView()->image()->size(), (ui::Size { 40, 40 }));
    EXPECT_EQ(preset->meImageView()->image()->name(), "QYAvatar.png");
    ASSERT_TRUE(storedUser(1)) << "saved as a picked picture is";
    EXPECT_EQ(bytesOf(storedUser(1)->heAvatar()), preset->heImageView()->image()->jpegData(1.0));

    // The background row shows it in place of "默认".
    ui::Rect background = preset->groups()[2]->frameInScreen();
    ASSERT_TRUE(drop(background.center(), picture));
    EXPECT_FALSE(preset->backImageView()->isHidden());
    EXPECT_TRUE(preset->defaLable()->isHidden());

    // The nickname row, the unread row and a file that is no picture are not taken.
    ui::Rect nickRow = preset->groups()[1]->frameInScreen();
    EXPECT_FALSE(drop({ nickRow.x() + 60, nickRow.maxY() - 27 }, picture));
    EXPECT_FALSE(drop(preset->groups()[3]->frameInScreen().center(), picture));
    auto text = (fs::path(home->path()) / "notes.png").string();
    std::ofstream(text) << "not a picture";
    EXPECT_FALSE(drop({ otherAvatarRow.x() + 60, otherAvatarRow.y() + 27 }, text));
}

TEST_F(ChatDropTest, APictureDroppedOnAnOpenPickerIsChosenThere)
{
    openChat(1);
    chooseItem(2); // 照片
    settle();
    auto picture = (fs::path(home->path()) / "outside-the-album.png").string();
    fs::copy_file(albumPhoto("p.png", 30, 20), picture);
    ASSERT_TRUE(drop({ 100, 300 }, picture));
    settle();
    ASSERT_EQ(rows().size(), 1u);
    EXPECT_EQ(rows()[0]->type(), QYChatModel::Image);
    EXPECT_FALSE(chat->presentedViewController());
}

TEST_F(ChatDropTest, EscapeClosesAnOpenPanelBeforeItLeavesTheChat)
{
    openPreset(1);
    openChat(1);
    send(u"留下");
    chooseItem(0);
    ASSERT_TRUE(chat->toolBar()->isShowBottomView());
    EXPECT_TRUE(ui::EscapeKey::perform());
    settle();
    EXPECT_FALSE(chat->toolBar()->isShowBottomView());
    EXPECT_EQ(topChat(), chat);
    // Then it leaves as the back button does: saving.
    EXPECT_TRUE(ui::EscapeKey::perform());
    settle();
    EXPECT_NE(topChat(), chat);
    EXPECT_EQ(texts(stored(1)), std::vector<std::u16string> { u"留下" });
}

TEST_F(ChatDropTest, EscapePutsThePresetKeyboardAwayWithTheFormInItsPlace)
{
    auto preset = openPreset(1);
    double resting = preset->view()->frame().y();
    tapView(preset->unReadNum());
    settle();
    ASSERT_TRUE(preset->unReadNum()->isFirstResponder());
    ASSERT_NE(preset->view()->frame().y(), resting) << "lifted for the keyboard";
    EXPECT_TRUE(ui::EscapeKey::perform());
    settle();
    EXPECT_FALSE(preset->unReadNum()->isFirstResponder());
    EXPECT_EQ(preset->view()->frame().y(), resting);
    EXPECT_EQ(navigation->topViewController(), preset);
}
