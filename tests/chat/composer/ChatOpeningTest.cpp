#include "ChatScreenTest.h"

#include "app/home/QYettingViewController.h"
#include "chat/composer/ChatTitleView.h"
#include "ui/NavigationBar.h"

using namespace ui;

TEST_F(ChatScreenTest, FirstUseOfEachStyle)
{
    for (int type : { 1, 2 }) {
        launch();
        open(type, [&](QYChatViewController& c) { c.setUnReadNum(type == 2 ? std::optional<std::string>("5") : std::nullopt); });
        EXPECT_EQ(chat->baseTableView()->numberOfRows(), 0);
        EXPECT_FALSE(chat->userModel());
        EXPECT_EQ(chat->view()->backgroundColor(), Color::rgb(235, 235, 235));
        EXPECT_EQ(chat->backButton()->currentTitle(), type == 1 ? "微信" : "朋友(5)");
        EXPECT_EQ(chat->backButton()->currentImage()->name(), type == 1 ? "QYArrow.png" : "QYPay_Arrow.png");
        EXPECT_EQ(chat->navigationItem().rightBarButtonItem->image->name(), type == 1 ? "QYUsericon.png" : "QYPay_Chaticon.png");
        EXPECT_EQ(navigation->navigationBar()->backgroundImage()->name(), "QYNavigation_bar.png");

        // The other side's hint for five seconds from the moment the screen was built.
        auto tip = chat->tipLabel();
        EXPECT_EQ(tip->text(), "现在为对方说话状态，点键盘+号切换状态");
        EXPECT_EQ(tip->frameInScreen(), (Rect { 0, 64, 375, 25 }));
        advance(3.9);
        EXPECT_FALSE(tip->isHidden());
        advance(0.2);
        EXPECT_TRUE(tip->isHidden());
    }
    open(1, [](QYChatViewController& c) { c.setUnReadNum(std::string("5")); });
    EXPECT_EQ(chat->backButton()->currentTitle(), "微信(5)");
}

TEST_F(ChatScreenTest, ToolbarListAndBackgroundFillTheViewBelowTheBars)
{
    std::shared_ptr<GXMessageToolBar> early;
    open(1, [&](QYChatViewController& c) {
        c.setBackImage(picture(300, 600, 10, 60, 10));
        early = c.toolBar(); // asked for before the view exists: still the one shown
    });
    EXPECT_EQ(early, chat->toolBar());
    ASSERT_EQ(chat->view()->bounds().height(), 667 - 64);
    EXPECT_EQ(chat->toolBar()->frameInScreen(), (Rect { 0, 667 - 50, 375, 50 }));
    EXPECT_EQ(chat->baseTableView()->frame(), (Rect { 0, 0, 375, 603 - 50 }));
    EXPECT_EQ(chat->backImageView()->frame(), chat->view()->bounds());
    // Picture under everything; then toolbar, list and hint strip.
    EXPECT_EQ(chat->view()->subviews(), (std::vector<ViewPtr> { chat->backImageView(), chat->toolBar(), chat->baseTableView(), chat->tipLabel() }));
    EXPECT_EQ(NavigationBarAppearance::defaults().backgroundImage->name(), "QYNavigation_bar_2.png");

    // The tips page goes on top; coming back puts the chat look on the bar again.
    auto bar = navigation->navigationBar();
    tap({ 375 - 25, 42 });
    settle();
    ASSERT_TRUE(std::dynamic_pointer_cast<QYettingViewController>(navigation->topViewController()));
    bar->setBackgroundImage(nullptr);
    navigation->popViewController(false);
    EXPECT_EQ(bar->backgroundImage()->name(), "QYNavigation_bar.png");

    navigation->popViewController(false);
    open(2);
    EXPECT_FALSE(chat->backImageView());
    EXPECT_EQ(chat->toolBar()->type(), 2);
    EXPECT_EQ(NavigationBarAppearance::defaults().barTintColor, Color::rgb(58, 58, 58));
}

TEST_F(ChatScreenTest, TitleWidthByPhoneAndTheNicknameInIt)
{
    for (auto [device, width] : { std::pair { "iphone4", 106.0 }, { "iphone5", 106.0 }, { "iphone6", 153.0 }, { "iphone6plus", 180.0 } }) {
        launch(device);
        open(1);
        EXPECT_EQ(chat->titleView()->bounds().size, (Size { width, 44 })) << device;
        EXPECT_EQ(chat->nickText()->frame(), (Rect { 0, 4.5, width, 35 })) << device;
        EXPECT_EQ(chat->nickText()->utf8Text(), "小明");
    }
    open(1, [](QYChatViewController& c) { c.setHeNick(std::string()); });
    EXPECT_EQ(chat->nickText()->utf8Text(), "点我修改");
    open(1, [](QYChatViewController& c) { c.setHeNick(std::nullopt); });
    EXPECT_EQ(chat->nickText()->utf8Text(), "");

    // Done renames the other side for the messages made afterwards.
    send(u"之前");
    tapView(*chat->nickText());
    chat->nickText()->setText(std::string_view("老王"));
    chat->nickText()->insertText(u"\n");
    EXPECT_FALSE(chat->nickText()->isFirstResponder());
    EXPECT_EQ(chat->heNick(), "老王");
    send(u"之后");
    EXPECT_FALSE(rows()[0]->nickName());
    EXPECT_EQ(coding::text(rows()[1]->nickName()), u"老王");
}

TEST_F(ChatScreenTest, ScreenshotsAreHeardOnlyWhileTheScreenLives)
{
    open(1);
    size_t withScreen = NotificationCenter::shared().observerCount();
    NotificationCenter::shared().post(QYChatViewController::kScreenshotNotification);
    navigation->popViewController(false);
    chat.reset();
    EXPECT_LT(NotificationCenter::shared().observerCount(), withScreen);
    NotificationCenter::shared().post(QYChatViewController::kScreenshotNotification);
}
