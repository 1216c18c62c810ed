// Messages made on the chat screen: texts of both sides, time stamps, the
// emoji delete key, recall, voice clips and album pictures.
#include "ComposerTest.h"

#include "composer/ChatTimeStampRule.h"
#include "platform/Folders.h"
#include "ui/ImagePickerController.h"
#include "voice/overlay/RIRecordView.h"

using namespace ui;
namespace fs = std::filesystem;

TEST_F(ComposerTest, ChatTextsOfBothSidesAndTheRecallOfOne)
{
    openChat(1);
    send(u"一");
    chooseItem(0);
    send(u"二");
    advance(3);
    chooseItem(1); // a new hint is not cut short by the fade of the one before
    advance(2.5);
    EXPECT_FALSE(chat->tipLabel()->isHidden());
    send(u"三");

    auto list = rows();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ((std::vector<bool> { list[0]->isSend(), list[1]->isSend(), list[2]->isSend() }), (std::vector<bool> { false, true, false }));
    EXPECT_EQ(coding::text(list[0]->nickName()), u"小明");
    EXPECT_EQ(coding::text(list[1]->nickName()), u"我自己");
    // Which side's picture at which quality is the maker's test; here, that the sides are not swapped.
    EXPECT_EQ(list[0]->avatar()->bytes(), heAvatar->jpegData(1.0));
    EXPECT_EQ(list[1]->avatar()->bytes(), meAvatar->jpegData(1.0));

    // The second of three goes; a notice of who recalled it comes last.
    chooseFromRowMenu(1, "撤回");
    list = rows();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(texts({ list[0], list[1] }), (std::vector<std::u16string> { u"一", u"三" }));
    EXPECT_EQ(list[2]->type(), QYChatModel::RecallNotice);
    EXPECT_TRUE(list[2]->isMeRevoke());
    EXPECT_EQ(coding::text(list[2]->heNickName()), u"我自己");
    EXPECT_FALSE(list[2]->isSend()) << "the side switch, not the recalled message";
}

TEST_F(ComposerTest, ChatTimeStampsAfterMoreThanAMinute)
{
    openChat(1);
    send(u"一");
    advance(30);
    send(u"二");
    advance(60);
    send(u"三"); // exactly a minute after the previous one
    advance(61);
    send(u"四");
    std::vector<bool> shown;
    for (auto& row : rows())
        shown.push_back(row->isShowDateTime());
    EXPECT_EQ(shown, (std::vector<bool> { true, false, false, true }));

    // A decision about an older date (a collected transfer's) moves the reference back.
    ChatTimeStampRule rule;
    EXPECT_TRUE(rule.isShowDateTime(1000));
    EXPECT_FALSE(rule.isShowDateTime(500));
    EXPECT_TRUE(rule.isShowDateTime(1000 + 1));
}

TEST_F(ComposerTest, ChatDeleteKeyTakesWholeCodesAndWholeCharacters)
{
    openChat(1);
    const std::pair<std::u16string, std::u16string> cases[] = {
        { u"abc[微笑]", u"abc" }, { u"[a]", u"" }, { u"ab]", u"ab]" }, { u"]", u"]" }, { u"abc", u"ab" },
        { u"", u"" }, { u"好😀", u"好" }, { u"x[1234]", u"x[1234]" }, { u"[[b]", u"[" },
    };
    auto field = chat->toolBar()->msgTextView();
    for (const auto& [before, after] : cases) {
        field->setText(before);
        tapFaceKey(23);
        EXPECT_EQ(field->text(), after) << toUtf8(before);
    }
}

TEST_F(ComposerTest, ChatVoiceClipsOfASecondOrMoreReleasedOnTheButtonBecomeMessages)
{
    auto audioFiles = [] {
        std::error_code error;
        fs::directory_iterator folder(platform::folders::join(platform::folders::homeFolder(), "Documents/audio"), error);
        return std::distance(fs::begin(folder), fs::end(folder));
    };
    // A home given relative to the working folder (as `--home data` is) still
    // stores clip paths that hold from anywhere.
    struct WorkingFolder {
        fs::path path = fs::current_path();
        ~WorkingFolder() { fs::current_path(path); }
    } workingFolder;
    fs::path homePath = platform::folders::homeFolder();
    fs::current_path(homePath.parent_path());
    platform::folders::setHomeFolder(homePath.filename().string());
    useMicrophone();
    openChat(1);
    holdToTalk(0.6);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(audioFiles(), 0) << "neither the clip nor its WAV copy stays";
    holdToTalk(2.5, true);
    EXPECT_TRUE(rows().empty()) << "released outside";
    EXPECT_EQ(audioFiles(), 0);
    EXPECT_FALSE(RIRecordView::defaultManager()->superview());

    holdToTalk(1.2);
    ASSERT_EQ(rows().size(), 1u);
    auto voice = rows()[0];
    EXPECT_EQ(voice->type(), QYChatModel::Voice);
    EXPECT_NEAR(voice->duration(), 1.2, 0.05);
    fs::path path = toUtf8(coding::text(voice->voicePath()));
    EXPECT_EQ(path.extension(), ".amr");
    EXPECT_TRUE(path.is_absolute()) << path;
    fs::current_path(workingFolder.path);
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(audioFiles(), 2) << "the clip and the WAV copy it plays from";
}

TEST_F(ComposerTest, ChatAlbumPhotoBecomesAPictureMessage)
{
    auto path = albumPhoto("photo.png", 64, 48);
    openChat(1);
    chooseItem(0);
    chooseItem(2);
    pickFromAlbum(path);
    ASSERT_EQ(rows().size(), 1u);
    auto message = rows()[0];
    EXPECT_EQ(message->type(), QYChatModel::Image);
    EXPECT_TRUE(message->isSend());
    EXPECT_EQ(message->image()->bytes(), Image::fromFile(path)->jpegData(1.0));

    // A picture too wide for JPEG would be an empty bubble: none is sent.
    chooseItem(2);
    settle();
    chat->didFinishPickingMedia(*ImagePickerController::visiblePicker(), { plain(70000, 1, 0, 0, 0), ImagePickerController::kMediaTypeImage });
    settle();
    EXPECT_EQ(rows().size(), 1u);
}
