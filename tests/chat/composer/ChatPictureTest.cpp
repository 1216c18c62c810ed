// Picture messages from the album picker and the camera.
#include "ChatScreenTest.h"

#include "ui/ImagePickerController.h"

using namespace ui;

TEST_F(ChatScreenTest, APhotoFromTheAlbumBecomesAPictureMessage)
{
    std::string path = albumPicture("photo.png", 64, 48);
    open(1);
    chooseItem(0);
    chooseItem(2);
    EXPECT_TRUE(chat->isSendImage());
    settle();
    EXPECT_FALSE(chat->toolBar()->isShowBottomView());
    ASSERT_TRUE(ImagePickerController::visiblePicker());
    EXPECT_EQ(ImagePickerController::visiblePicker()->sourceType(), ImagePickerController::SourceType::PhotoLibrary);
    pickFromAlbum(0);
    EXPECT_FALSE(ImagePickerController::visiblePicker());
    EXPECT_FALSE(chat->isSendImage());

    ASSERT_EQ(rows().size(), 1u);
    auto message = rows()[0];
    EXPECT_EQ(message->type(), QYChatModel::Image);
    EXPECT_TRUE(message->isSend());
    EXPECT_TRUE(message->isShowDateTime());
    EXPECT_FALSE(message->nickName());
    EXPECT_EQ(message->image()->bytes(), Image::fromFile(path)->jpegData(1.0));
    EXPECT_EQ(message->avatar()->bytes(), meAvatar->jpegData(0.001));

    // Cancelling sends nothing.
    chooseItem(2);
    settle();
    ImagePickerController::visiblePicker()->cancel();
    settle();
    EXPECT_FALSE(chat->isSendImage());
    EXPECT_EQ(rows().size(), 1u);
}

TEST_F(ChatScreenTest, TheCameraComesAfterItsShortDelay)
{
    auto shot = picture(120, 90, 200, 30, 30);
    ImagePickerController::setCaptureDevice([shot] { return shot; });
    open(2);
    chat->didSelectItemWithIndex(3);
    EXPECT_FALSE(chat->presentedViewController());
    settle();
    auto picker = ImagePickerController::visiblePicker();
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->sourceType(), ImagePickerController::SourceType::Camera);
    tapView(*picker->shutterButton());
    settle();
    ASSERT_EQ(rows().size(), 1u);
    EXPECT_EQ(rows()[0]->styleType(), 2);
    EXPECT_EQ(rows()[0]->avatar()->bytes(), heAvatar->jpegData(0.001));
    EXPECT_EQ(Image::fromData(rows()[0]->image()->bytes())->pixelWidth(), 120);
}

TEST_F(ChatScreenTest, WithoutACameraNoPictureIsWaitedFor)
{
    albumPicture("photo.png", 20, 20);
    open(1);
    chooseItem(3);
    settle();
    EXPECT_FALSE(ImagePickerController::visiblePicker());
    EXPECT_FALSE(chat->isSendImage());
    // A picture not asked for as a message (an avatar being replaced) makes none.
    auto picker = ImagePickerController::make();
    chat->didFinishPickingMedia(*picker, { picture(10, 10, 1, 2, 3), ImagePickerController::kMediaTypeImage });
    EXPECT_TRUE(rows().empty());
    // Nor does a picture that cannot be encoded, or something that is no picture.
    for (ImagePickerInfo info : { ImagePickerInfo { picture(0, 0, 0, 0, 0), ImagePickerController::kMediaTypeImage },
             ImagePickerInfo { picture(10, 10, 1, 2, 3), "public.movie" } }) {
        chooseItem(2);
        settle();
        chat->didFinishPickingMedia(*ImagePickerController::visiblePicker(), info);
        settle();
        EXPECT_FALSE(chat->isSendImage());
        EXPECT_TRUE(rows().empty());
    }
}
