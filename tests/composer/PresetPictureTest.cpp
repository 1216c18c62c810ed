// The preset form's pictures: picked ones shrunk, shown and saved, the
// background's "默认", and the camera's delay and absence.
#include "ComposerTest.h"

#include "platform/store/SettingsStore.h"
#include "ui/ActionSheet.h"
#include "ui/DialogButton.h"
#include "ui/ImagePickerController.h"

using namespace ui;

namespace {

// What the form makes of a picked picture: a round trip through JPEG 0.05.
std::vector<std::uint8_t> shrunk(const ImagePtr& picture)
{
    return Image::fromData(picture->jpegData(0.05))->pixels().pixels;
}

} // namespace

TEST_F(ComposerTest, PresetShrinksAndSavesPickedPicturesAndOnlyASaveForgetsTheBackground)
{
    auto own = Image::fromFile(albumPhoto("own.png", 120, 90, 1));
    auto back = Image::fromFile(albumPhoto("back.png", 300, 500, 3));
    auto preset = openPreset(2);
    choosePicture(*preset, 0, 1);
    pickFromAlbum((album / "own.png").string());
    auto shown = preset->meImageView()->image();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->pixels().pixels, shrunk(own));
    EXPECT_NE(shown->pixels().pixels, own->pixels().pixels);
    ASSERT_TRUE(storedUser(2));
    EXPECT_EQ(bytesOf(storedUser(2)->meAvatar()), shown->jpegData(1.0));
    EXPECT_EQ(storedUser(1), nullptr) << "only this chat type's key";

    choosePicture(*preset, 2, 1);
    pickFromAlbum((album / "back.png").string());
    EXPECT_TRUE(preset->defaLable()->isHidden());
    EXPECT_FALSE(preset->backImageView()->isHidden());
    EXPECT_EQ(preset->backImageView()->image()->pixels().pixels, shrunk(back));
    auto saved = bytesOf(storedUser(2)->backGroundImage());
    EXPECT_EQ(saved, preset->backImageView()->image()->jpegData(1.0));
    // The chat screen gets the pictures the previews show.
    tapView(preset->startBtn());
    ASSERT_TRUE(topChat());
    EXPECT_EQ(topChat()->meAvatar(), shown);
    EXPECT_EQ(topChat()->backImage(), preset->backImageView()->image());

    // "默认" and the back button: the stored background stays and comes back.
    settle();
    navigation->popViewController(false);
    choosePicture(*preset, 2, 3);
    EXPECT_FALSE(preset->defaLable()->isHidden());
    EXPECT_TRUE(preset->backImageView()->isHidden());
    goBack();
    EXPECT_EQ(bytesOf(storedUser(2)->backGroundImage()), saved);
    preset = openPreset(2);
    EXPECT_FALSE(preset->backImageView()->isHidden());
    EXPECT_TRUE(preset->defaLable()->isHidden());
    // "默认" and "开始": no background handed over or stored.
    choosePicture(*preset, 2, 3);
    tapView(preset->startBtn());
    ASSERT_TRUE(topChat());
    EXPECT_EQ(topChat()->backImage(), nullptr);
    EXPECT_EQ(storedUser(2)->backGroundImage(), nullptr);
}

TEST_F(ComposerTest, PresetKeepsTypingThroughThePickerButReadsTheStoreAfterTheChat)
{
    auto photo = albumPhoto("p.png", 50, 50);
    auto preset = openPreset(1);
    typeInto(preset->meNick(), u"我");
    choosePicture(*preset, 0, 1);
    pickFromAlbum(photo);
    EXPECT_EQ(preset->meNick()->utf8Text(), "我");
    ASSERT_TRUE(storedUser(1));
    EXPECT_EQ(coding::text(storedUser(1)->meNick()), u"我") << "saved with the picture";

    tapView(preset->startBtn());
    settle();
    auto model = storedUser(1);
    model->setMeNick(coding::String::make("聊天里改的"));
    hl_setObjectWithKey(model, "USERMODEL");
    navigation->popViewController(false);
    EXPECT_EQ(preset->meNick()->utf8Text(), "聊天里改的");
}

TEST_F(ComposerTest, PresetCameraComesAfterItsDelayOrNotAtAll)
{
    auto preset = openPreset(1);
    typeInto(preset->nickText(), u"小明");
    choosePicture(*preset, 1, 0);
    settle();
    EXPECT_EQ(preset->presentedViewController(), nullptr) << "no camera";
    EXPECT_EQ(nameOf(preset->heImageView()->image()), "QYAvatar.png");
    EXPECT_EQ(storedUser(1), nullptr);

    auto frame = Image::fromFile(albumPhoto("camera.png", 90, 160));
    ImagePickerController::setCaptureDevice([frame] { return frame; });
    tapPictureRow(*preset, 1);
    ASSERT_TRUE(ActionSheet::visibleSheet());
    advance(0.5);
    Point choice = ActionSheet::visibleSheet()->buttonAtIndex(0)->frameInScreen().center();
    Application::shared().touchDown(choice);
    advance(0.05);
    Application::shared().touchUp(choice);
    EXPECT_EQ(preset->presentedViewController(), nullptr) << "not at once";
    advance(0.001);
    auto picker = std::dynamic_pointer_cast<ImagePickerController>(preset->presentedViewController());
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->sourceType(), ImagePickerController::SourceType::Camera);
    settle();
    tapView(picker->shutterButton());
    settle();
    EXPECT_EQ(preset->heImageView()->image()->pixels().pixels, shrunk(frame));
    ASSERT_TRUE(storedUser(1));
    EXPECT_EQ(bytesOf(storedUser(1)->heAvatar()), preset->heImageView()->image()->jpegData(1.0));
    EXPECT_EQ(coding::text(storedUser(1)->heNick()), u"小明");
}

// Going in and out of the chat never degrades an avatar: it passes through
// 0.001 once, the stored bytes then stay the same at every opening, and the
// stored chat does not grow by another copy of it each time.
TEST_F(ComposerTest, AvatarsSurviveOpenAndBackCyclesUnchangedAndTheChatDoesNotGrow)
{
    auto preset = openPreset(1);
    for (size_t group : { 0, 1 }) {
        std::string name = "avatar" + std::to_string(group) + ".png";
        albumPhoto(name, 240, 240, int(group) + 5);
        choosePicture(*preset, group, 1);
        pickFromAlbum((album / name).string());
    }
    auto cycle = [&](const std::u16string& message) {
        tapView(preset->startBtn());
        settle();
        chat = topChat();
        ASSERT_TRUE(chat);
        if (!message.empty())
            send(message);
        pressBack();
        ASSERT_EQ(navigation->topViewController(), preset);
    };
    auto storedChat = [] { return platform::SettingsStore::standard().get("CHAT").value_or(std::vector<std::uint8_t> {}); };

    cycle(u"你好");
    auto firstMe = bytesOf(storedUser(1)->meAvatar());
    auto firstHe = bytesOf(storedUser(1)->heAvatar());
    ASSERT_FALSE(firstHe.empty());
    auto firstChat = storedChat();
    for (int round = 0; round < 5; ++round) {
        cycle(u"");
        EXPECT_EQ(bytesOf(storedUser(1)->meAvatar()), firstMe) << "round " << round;
        EXPECT_EQ(bytesOf(storedUser(1)->heAvatar()), firstHe) << "round " << round;
        EXPECT_EQ(storedChat(), firstChat) << "round " << round;
    }
    // Messages of later openings carry the stored avatar; once the chat holds
    // it, each new message adds only itself.
    cycle(u"第二次");
    for (int round = 0; round < 3; ++round) {
        auto before = storedChat().size();
        cycle(u"再来一条");
        EXPECT_LT(storedChat().size() - before, firstHe.size() / 2) << "round " << round;
    }
    EXPECT_EQ(bytesOf(storedUser(1)->heAvatar()), firstHe);
}
