// The preset form's pictures: the choice sheets, the album and camera pickers,
// the shrinking of picked pictures, and the background's "默认".
#include "PresetTestSupport.h"

using namespace ui;

namespace {

std::vector<std::string> sheetTitles(const ActionSheet& sheet)
{
    std::vector<std::string> titles;
    for (int i = 0; i < sheet.numberOfButtons(); ++i)
        titles.push_back(sheet.buttonTitleAtIndex(i).value_or("?"));
    return titles;
}

// What the form makes of a picked picture: a round trip through JPEG 0.05.
ImagePtr shrunk(const std::string& path)
{
    return Image::fromData(Image::fromFile(path)->jpegData(0.05));
}

} // namespace

class PresetPictureTest : public PresetTest {
protected:
    // Taps the invisible area of a group: the upper half of groups 1 and 2,
    // all of group 3.
    void tapPictureRow(const std::shared_ptr<QYPresetViewController>& preset, size_t group)
    {
        Rect area = onScreen(preset->groups()[group]);
        tap({ area.x() + 60, area.y() + 27 });
    }
};

TEST_F(PresetPictureTest, SheetsOfferTheAvatarAndBackgroundChoices)
{
    launch();
    auto preset = open(1);
    tapPictureRow(preset, 0);
    auto sheet = ActionSheet::visibleSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(preset->typeAction(), 1);
    EXPECT_EQ(sheet->title(), "设置头像");
    EXPECT_EQ(sheetTitles(*sheet), (std::vector<std::string> { "拍照", "相册选择", "取消" }));
    EXPECT_EQ(sheet->destructiveButtonIndex(), 0);
    chooseInSheet(2);
    EXPECT_EQ(ActionSheet::visibleSheet(), nullptr);
    EXPECT_EQ(ImagePickerController::visiblePicker(), nullptr);

    // Starting a choice while typing ends the typing and rests the form.
    auto rest = preset->view()->frame();
    tapView(preset->nickText());
    advance(0.5);
    ASSERT_NE(preset->view()->frame(), rest);
    tapPictureRow(preset, 1);
    EXPECT_FALSE(preset->nickText()->isFirstResponder());
    EXPECT_EQ(preset->view()->frame(), rest);
    EXPECT_EQ(preset->typeAction(), 2);
    chooseInSheet(2);

    tapPictureRow(preset, 2);
    sheet = ActionSheet::visibleSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(preset->typeAction(), 4);
    EXPECT_EQ(sheet->title(), "设置背景");
    EXPECT_EQ(sheetTitles(*sheet), (std::vector<std::string> { "拍照", "相册选择", "取消", "默认" }));
    chooseInSheet(2);

    // The lower halves belong to the nickname rows, and tag 3 is no picture.
    tapView(preset->nickText());
    EXPECT_EQ(ActionSheet::visibleSheet(), nullptr);
    auto other = Button::make();
    other->setTag(3);
    preset->setImageAction(*other);
    EXPECT_EQ(ActionSheet::visibleSheet(), nullptr);
    EXPECT_EQ(preset->typeAction(), 4);
    EXPECT_EQ(stored("USERMODEL"), nullptr) << "nothing chosen, nothing saved";
}

TEST_F(PresetPictureTest, AlbumPicturesAreShrunkShownAndSaved)
{
    launch();
    auto own = writePhoto("own.png", 120, 90, 1);
    auto other = writePhoto("other.png", 64, 64, 2);
    auto background = writePhoto("back.png", 300, 500, 3);
    auto preset = open(2);

    // Typed and not yet saved: kept through the picker and saved with the picture.
    typeInto(preset->meNick(), u"我");

    tapPictureRow(preset, 0);
    chooseInSheet(1);
    pickFromAlbum(own);
    auto expected = shrunk(own);
    auto shown = preset->meImageView()->image();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->pixels().pixels, expected->pixels().pixels) << "a round trip through JPEG 0.05";
    EXPECT_NE(shown->pixels().pixels, Image::fromFile(own)->pixels().pixels);
    EXPECT_EQ(preset->meAvatar(), shown);
    EXPECT_EQ(preset->meNick()->utf8Text(), "我");
    auto model = stored("USERMODELALI");
    ASSERT_TRUE(model);
    EXPECT_EQ(bytesOf(model->meAvatar()), shown->jpegData(1.0));
    EXPECT_EQ(bytesOf(model->heAvatar()), Image::named("QYAvatar.png")->jpegData(1.0));
    EXPECT_EQ(coding::text(model->meNick()), u"我");
    EXPECT_EQ(model->backGroundImage(), nullptr);
    EXPECT_EQ(stored("USERMODEL"), nullptr) << "only this chat type's key";

    tapPictureRow(preset, 1);
    chooseInSheet(1);
    pickFromAlbum(other);
    EXPECT_EQ(preset->heImageView()->image()->pixels().pixels, shrunk(other)->pixels().pixels);
    EXPECT_EQ(preset->heAvatar(), preset->heImageView()->image());
    EXPECT_EQ(bytesOf(stored("USERMODELALI")->heAvatar()), preset->heImageView()->image()->jpegData(1.0));

    tapPictureRow(preset, 2);
    chooseInSheet(1);
    pickFromAlbum(background);
    EXPECT_FALSE(preset->backImageView()->isHidden());
    EXPECT_TRUE(preset->defaLable()->isHidden());
    EXPECT_EQ(preset->backImageView()->image()->pixels().pixels, shrunk(background)->pixels().pixels);
    EXPECT_EQ(bytesOf(stored("USERMODELALI")->backGroundImage()), preset->backImageView()->image()->jpegData(1.0));

    // The chat screen gets the pictures the previews show.
    tapView(preset->startBtn());
    auto chat = chatScreen();
    ASSERT_TRUE(chat);
    EXPECT_EQ(chat->meAvatar(), preset->meImageView()->image());
    EXPECT_EQ(chat->heAvatar(), preset->heImageView()->image());
    EXPECT_EQ(chat->backImage(), preset->backImageView()->image());
    EXPECT_EQ(chat->type(), 2);

    // Coming back from the chat screen (unlike from a picker) reads the store.
    auto model2 = stored("USERMODELALI");
    model2->setMeNick(coding::String::make("聊天里改的"));
    hl_setObjectWithKey(model2, "USERMODELALI");
    advance(1);
    navigation->popViewController(false);
    EXPECT_EQ(preset->meNick()->utf8Text(), "聊天里改的");
}

TEST_F(PresetPictureTest, DefaultClearsTheBackgroundButOnlyASaveForgetsIt)
{
    launch();
    auto photo = writePhoto("back.png", 80, 120);
    auto preset = open(1);
    tapPictureRow(preset, 2);
    chooseInSheet(1);
    pickFromAlbum(photo);
    auto saved = bytesOf(stored("USERMODEL")->backGroundImage());
    ASSERT_FALSE(saved.empty());

    tapPictureRow(preset, 2);
    chooseInSheet(3);
    EXPECT_FALSE(preset->defaLable()->isHidden());
    EXPECT_TRUE(preset->backImageView()->isHidden());
    EXPECT_EQ(preset->backImageView()->image(), nullptr);
    EXPECT_EQ(bytesOf(stored("USERMODEL")->backGroundImage()), saved) << "not saved by itself";

    // Leaving with the back button keeps the stored background; it comes back.
    goBack();
    preset = open(1);
    EXPECT_FALSE(preset->backImageView()->isHidden());
    EXPECT_TRUE(preset->defaLable()->isHidden());
    ASSERT_TRUE(preset->backImageView()->image());

    // "默认" followed by a picked avatar saves the form without a background.
    tapPictureRow(preset, 2);
    chooseInSheet(3);
    tapPictureRow(preset, 0);
    chooseInSheet(1);
    pickFromAlbum(photo);
    EXPECT_TRUE(preset->backImageView()->isHidden());
    EXPECT_EQ(stored("USERMODEL")->backGroundImage(), nullptr);

    // "开始" after "默认" hands over no background.
    tapView(preset->startBtn());
    ASSERT_TRUE(chatScreen());
    EXPECT_EQ(chatScreen()->backImage(), nullptr);
}

TEST_F(PresetPictureTest, CancellingThePickerOrPickingSomethingElseChangesNothing)
{
    launch();
    auto photo = writePhoto("p.png", 50, 50);
    auto preset = open(1);
    tapPictureRow(preset, 0);
    chooseInSheet(1);
    advance(1);
    auto picker = ImagePickerController::visiblePicker();
    ASSERT_TRUE(picker);
    picker->cancel();
    advance(1);
    EXPECT_EQ(ImagePickerController::visiblePicker(), nullptr);
    EXPECT_EQ(preset->meImageView()->image()->name(), "QYAvatar.png");
    EXPECT_EQ(stored("USERMODEL"), nullptr);

    // A result that is not a picture (a film) is dropped, and the picker goes.
    tapPictureRow(preset, 0);
    chooseInSheet(1);
    advance(1);
    picker = ImagePickerController::visiblePicker();
    ASSERT_TRUE(picker);
    picker->didFinishPickingMedia(*picker, ImagePickerInfo { Image::fromFile(photo), "public.movie" });
    advance(1);
    EXPECT_EQ(preset->presentedViewController(), nullptr);
    EXPECT_EQ(preset->meImageView()->image()->name(), "QYAvatar.png");
    EXPECT_EQ(stored("USERMODEL"), nullptr);
}

TEST_F(PresetPictureTest, TheCameraPickerComesAfterItsDelayOrNotAtAllWithoutACamera)
{
    launch();
    auto preset = open(1);
    typeInto(preset->nickText(), u"小明");
    tapPictureRow(preset, 1);
    chooseInSheet(0);
    advance(1);
    EXPECT_EQ(preset->presentedViewController(), nullptr) << "no camera";
    EXPECT_EQ(preset->heImageView()->image()->name(), "QYAvatar.png");
    EXPECT_EQ(preset->nickText()->utf8Text(), "小明");
    EXPECT_EQ(stored("USERMODEL"), nullptr);

    auto frame = Image::fromFile(writePhoto("camera.png", 90, 160));
    ImagePickerController::setCaptureDevice([frame] { return frame; });
    tapPictureRow(preset, 1);
    auto sheet = ActionSheet::visibleSheet();
    ASSERT_TRUE(sheet);
    advance(0.5);
    Point shutterChoice = onScreen(sheet->buttonAtIndex(0)).center();
    Application::shared().touchDown(shutterChoice);
    advance(0.05);
    Application::shared().touchUp(shutterChoice);
    EXPECT_EQ(preset->presentedViewController(), nullptr) << "not at once";
    advance(0.001);
    auto picker = std::dynamic_pointer_cast<ImagePickerController>(preset->presentedViewController());
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->sourceType(), ImagePickerController::SourceType::Camera);
    advance(1);
    tapView(picker->shutterButton());
    advance(1);
    EXPECT_EQ(preset->presentedViewController(), nullptr);
    auto expected = Image::fromData(frame->jpegData(0.05));
    EXPECT_EQ(preset->heImageView()->image()->pixels().pixels, expected->pixels().pixels);
    auto model = stored("USERMODEL");
    ASSERT_TRUE(model);
    EXPECT_EQ(bytesOf(model->heAvatar()), preset->heImageView()->image()->jpegData(1.0));
    EXPECT_EQ(coding::text(model->heNick()), u"小明");
    EXPECT_EQ(preset->meImageView()->image()->name(), "QYAvatar.png");

    // A camera that fails leaves no trace: the next appearance reads the store.
    ImagePickerController::setCaptureDevice({});
    tapPictureRow(preset, 0);
    chooseInSheet(0);
    advance(1);
    model->setHeNick(coding::String::make("改过"));
    hl_setObjectWithKey(model, "USERMODEL");
    navigation->pushViewController(std::make_shared<ui::ViewController>(), false);
    navigation->popViewController(false);
    EXPECT_EQ(preset->nickText()->utf8Text(), "改过");
}
