// Picture messages from the album picker and the camera.
#include "ChatScreenTest.h"

#include "render/RIRingTabelViewCell.h"

using namespace ui;

TEST_F(ChatScreenTest, APhotoFromTheAlbumBecomesAPictureMessage)
{
    albumPicture("old.png", 40, 30, 100);
    albumPicture("new.png", 64, 48, 10);
    open(1);
    speakAsMe();
    chooseItem(2);
    EXPECT_TRUE(chat->isSendImage());
    settle();
    auto picker = ImagePickerController::visiblePicker();
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->sourceType(), ImagePickerController::SourceType::PhotoLibrary);
    EXPECT_FALSE(picker->allowsEditing);
    EXPECT_FALSE(chat->toolBar()->isShowBottomView()) << "the panel closed before the picker came";

    pickFromAlbum(1);
    EXPECT_FALSE(ImagePickerController::visiblePicker());
    EXPECT_FALSE(chat->isSendImage());
    auto list = rows();
    ASSERT_EQ(list.size(), 1u);
    auto message = list[0];
    EXPECT_EQ(message->type(), QYChatModel::Image);
    EXPECT_TRUE(message->isSend());
    EXPECT_TRUE(message->isShowDateTime());
    EXPECT_EQ(message->styleType(), 1);
    EXPECT_FALSE(message->nickName());
    ASSERT_TRUE(message->image() && message->avatar());
    auto stored = Image::fromData(message->image()->bytes());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->pixelWidth(), 64) << "the whole picture, the newest one";
    auto original = Image::fromFile((album / "new.png").string());
    EXPECT_EQ(message->image()->bytes(), original->jpegData(1.0));
    EXPECT_EQ(message->avatar()->bytes(), meAvatar->jpegData(0.001));
    settle();
    auto cell = std::dynamic_pointer_cast<RIRingTabelViewCell>(chat->baseTableView()->cellForRow(IndexPath::forRow(0)));
    ASSERT_TRUE(cell);
    EXPECT_TRUE(cell->bubbleView());
}

TEST_F(ChatScreenTest, CancellingThePickerSendsNothing)
{
    albumPicture("a.png", 20, 20, 5);
    open(2);
    chooseItem(2);
    settle();
    auto picker = ImagePickerController::visiblePicker();
    ASSERT_TRUE(picker);
    picker->cancel();
    settle();
    EXPECT_FALSE(ImagePickerController::visiblePicker());
    EXPECT_FALSE(chat->isSendImage());
    EXPECT_TRUE(rows().empty());
}

TEST_F(ChatScreenTest, TheCameraComesAfterItsShortDelayAndItsShotIsSent)
{
    auto shot = picture(120, 90, 200, 30, 30);
    ImagePickerController::setCaptureDevice([shot] { return shot; });
    open(2);
    chooseItem(3);
    EXPECT_TRUE(chat->isSendImage());
    settle();
    auto picker = ImagePickerController::visiblePicker();
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->sourceType(), ImagePickerController::SourceType::Camera);
    tapView(*picker->shutterButton());
    settle();
    auto list = rows();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->type(), QYChatModel::Image);
    EXPECT_FALSE(list[0]->isSend());
    EXPECT_EQ(list[0]->styleType(), 2);
    EXPECT_EQ(list[0]->avatar()->bytes(), heAvatar->jpegData(0.001));
    auto sent = Image::fromData(list[0]->image()->bytes());
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->pixelWidth(), 120);

    // The camera is never presented at once, only from a later pass of the queue.
    chat->didSelectItemWithIndex(3);
    EXPECT_FALSE(chat->presentedViewController());
    advance(0.001);
    EXPECT_TRUE(chat->presentedViewController());
}

TEST_F(ChatScreenTest, WithoutACameraNothingOpensAndNothingIsWaitedFor)
{
    albumPicture("a.png", 20, 20, 5);
    open(1);
    chooseItem(3);
    settle();
    EXPECT_FALSE(ImagePickerController::visiblePicker());
    EXPECT_FALSE(chat->isSendImage()) << "no picture is on its way";
    EXPECT_TRUE(rows().empty());

    // The album still sends as usual.
    chooseItem(2);
    settle();
    pickFromAlbum(0);
    EXPECT_EQ(rows().size(), 1u);
}

TEST_F(ChatScreenTest, APictureNotAskedForAsAMessageSendsNothing)
{
    albumPicture("a.png", 20, 20, 5);
    open(1);
    send(u"在");
    auto before = rows()[0]->avatar();
    // A picker answered while no picture message was asked for (as when an
    // avatar is being replaced) makes no message.
    auto picker = ImagePickerController::make();
    ImagePickerInfo info;
    info.originalImage = picture(10, 10, 1, 2, 3);
    info.mediaType = ImagePickerController::kMediaTypeImage;
    chat->didFinishPickingMedia(*picker, info);
    // Nor does anything that is not a picture.
    info.mediaType = "public.movie";
    chooseItem(2);
    settle();
    auto shown = ImagePickerController::visiblePicker();
    ASSERT_TRUE(shown);
    chat->didFinishPickingMedia(*shown, info);
    settle();
    EXPECT_FALSE(chat->isSendImage());
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_EQ(rows()[0]->avatar(), before);
}
