#include "composer/ComposerTest.h"

#include "app/home/ViewController.h"
#include "composer/ChatScreenshotOffer.h"
#include "doodle/QYMosaicImageViewController.h"
#include "ui/AlertView.h"
#include "ui/DialogButton.h"

using namespace ui;

class ChatScreenshotOfferTest : public ComposerTest {
protected:
    // The phone's screenshot: a new newest picture in the album, then the notice.
    void takeScreenshot(const std::string& name, int width)
    {
        if (!name.empty())
            albumPhoto(name, width, 400, width);
        NotificationCenter::shared().post(QYChatViewController::kScreenshotNotification);
        settle(0.5);
    }
    void answer(int index)
    {
        auto alert = AlertView::visibleAlert();
        ASSERT_TRUE(alert);
        EXPECT_EQ(alert->message(), ChatScreenshotOffer::kMessage);
        EXPECT_EQ(alert->title(), "");
        EXPECT_EQ(alert->tag(), ChatScreenshotOffer::kAlertTag);
        EXPECT_EQ(alert->buttonTitleAtIndex(0), ChatScreenshotOffer::kGoNow);
        EXPECT_EQ(alert->buttonTitleAtIndex(1), ChatScreenshotOffer::kLater);
        tapView(alert->buttonAtIndex(index));
    }
    std::shared_ptr<QYMosaicImageViewController> topDoodle() const
    {
        return std::dynamic_pointer_cast<QYMosaicImageViewController>(navigation->topViewController());
    }
};

TEST_F(ChatScreenshotOfferTest, AcceptingOpensTheNewestPictureASecondLaterWhileTheChatLasts)
{
    openChat(1);
    takeScreenshot("shot-1.png", 300);
    answer(1); // "以后再说"
    settle(3);
    EXPECT_EQ(navigation->topViewController(), chat);
    EXPECT_FALSE(AlertView::visibleAlert());

    takeScreenshot("shot-2.png", 320);
    answer(0); // "现在就去"
    settle(0.8);
    EXPECT_EQ(navigation->topViewController(), chat) << "it waits a second";
    settle(1.2);
    auto doodle = topDoodle();
    ASSERT_TRUE(doodle);
    ASSERT_TRUE(doodle->image());
    EXPECT_EQ(doodle->image()->pixelWidth(), 320) << "the newest picture, the screenshot just taken";
    EXPECT_EQ(doodle->drawView()->boardImage()->image(), doodle->image());

    // The chat under the doodle screen still hears of screenshots.
    takeScreenshot("", 0);
    answer(1);
    settle(1);
    navigation->popViewController(false);
    settle();
    doodle.reset();

    // Accepted, then the chat screen goes before the second is up: nothing opens.
    takeScreenshot("shot-3.png", 340);
    answer(0);
    navigation->popToRootViewController(false);
    chat.reset();
    settle(2);
    EXPECT_FALSE(topDoodle());
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
}

TEST_F(ChatScreenshotOfferTest, TheHomeScreensPictureButtonOpensABlankDoodle)
{
    auto home = std::static_pointer_cast<::ViewController>(navigation->topViewController());
    tapView(home->selectImage());
    settle();
    auto doodle = topDoodle();
    ASSERT_TRUE(doodle);
    EXPECT_FALSE(doodle->drawView()->boardImage()->image()); // drawing on it is the doodle screen's own test
}
