#include "ChatScreenTest.h"

#include "app/home/QYettingViewController.h"
#include "chat/composer/ChatTitleView.h"
#include "ui/NavigationBar.h"

using namespace ui;

namespace {

Rect onScreen(const std::shared_ptr<View>& view) { return view->frameInScreen(); }

} // namespace

TEST_F(ChatScreenTest, FirstUseOfEachStyleOpensEmptyWithTheOtherSideHintForFiveSeconds)
{
    for (int type : { 1, 2 }) {
        launch();
        open(type);
        EXPECT_EQ(chat->baseTableView()->numberOfRows(), 0) << type;
        EXPECT_FALSE(chat->userModel()) << type;
        EXPECT_FALSE(chat->isSend());
        EXPECT_FALSE(chat->isSendImage());
        EXPECT_EQ(chat->view()->backgroundColor(), Color::rgb(235, 235, 235));

        auto tip = chat->tipLabel();
        EXPECT_FALSE(tip->isHidden()) << type;
        EXPECT_EQ(tip->text(), "现在为对方说话状态，点键盘+号切换状态");
        EXPECT_EQ(onScreen(tip), (Rect { 0, 64, 375, 25 }));
        EXPECT_EQ(tip->backgroundColor(), Color::rgb(127, 131, 137));
        advance(3); // four seconds since the screen was built
        EXPECT_FALSE(tip->isHidden());
        EXPECT_GT(tip->presentationAlpha(), 0);
        advance(1.1);
        EXPECT_TRUE(tip->isHidden());

        EXPECT_EQ(chat->backButton()->currentTitle(), type == 1 ? "微信" : "朋友");
        EXPECT_EQ(chat->backButton()->currentImage()->name(), type == 1 ? "QYArrow.png" : "QYPay_Arrow.png");
        EXPECT_EQ(chat->navigationItem().rightBarButtonItem->image->name(), type == 1 ? "QYUsericon.png" : "QYPay_Chaticon.png");
        AppDelegate::shared().terminate();
        navigation.reset();
    }
}

TEST_F(ChatScreenTest, UnreadCountGoesIntoTheBackTitle)
{
    open(1, [](QYChatViewController& c) { c.setUnReadNum(std::string("5")); });
    EXPECT_EQ(chat->backButton()->currentTitle(), "微信(5)");
    navigation->popViewController(false);
    open(2, [](QYChatViewController& c) { c.setUnReadNum(std::string("99")); });
    EXPECT_EQ(chat->backButton()->currentTitle(), "朋友(99)");
    // The button is the bar's left item, white like the bar's tint, and it is
    // the toolkit's default back button no more.
    auto bar = navigation->navigationBar();
    EXPECT_FALSE(bar->backButton());
    EXPECT_EQ(chat->backButton()->superview(), bar.get());
    EXPECT_EQ(chat->backButton()->titleLabel()->textColor(), Color::whiteColor());
    EXPECT_EQ(chat->backButton()->frame().size, (Size { 87, 30 }));
    EXPECT_EQ(chat->backButton()->titleEdgeInsets(), (EdgeInsets { 0, -3, 0, 0 }));
    EXPECT_EQ(chat->backButton()->imageEdgeInsets(), (EdgeInsets { 0, -6, 0, 0 }));
}

TEST_F(ChatScreenTest, ToolbarListAndBackgroundShareTheViewBelowTheBars)
{
    auto background = picture(300, 600, 10, 60, 10);
    open(1, [&](QYChatViewController& c) { c.setBackImage(background); });
    ASSERT_EQ(chat->view()->bounds().height(), 667 - 64);
    EXPECT_EQ(onScreen(chat->toolBar()), (Rect { 0, 667 - 50, 375, 50 }));
    EXPECT_EQ(chat->toolBar()->type(), 1);
    EXPECT_EQ(chat->baseTableView()->frame(), (Rect { 0, 0, 375, 603 - 50 }));
    EXPECT_EQ(chat->baseTableView()->separatorStyle(), TableViewSeparatorStyle::None);
    ASSERT_TRUE(chat->backImageView());
    EXPECT_EQ(chat->backImageView()->frame(), chat->view()->bounds());
    EXPECT_EQ(chat->backImageView()->contentMode(), ContentMode::ScaleAspectFill);
    // Picture under everything; then toolbar, list and hint strip.
    auto& subviews = chat->view()->subviews();
    ASSERT_EQ(subviews.size(), 4u);
    EXPECT_EQ(subviews[0], chat->backImageView());
    EXPECT_EQ(subviews[1], chat->toolBar());
    EXPECT_EQ(subviews[2], chat->baseTableView());
    EXPECT_EQ(subviews[3], chat->tipLabel());

    navigation->popViewController(false);
    open(2);
    EXPECT_FALSE(chat->backImageView());
    EXPECT_EQ(chat->toolBar()->type(), 2);
    EXPECT_EQ(chat->view()->subviews().size(), 3u);
}

TEST_F(ChatScreenTest, TitleWidthFollowsThePhoneAndHoldsTheNickname)
{
    const std::pair<const char*, double> widths[] = { { "iphone4", 106 }, { "iphone5", 106 }, { "iphone6", 153 }, { "iphone6plus", 180 } };
    for (auto [device, width] : widths) {
        launch(device);
        open(1);
        auto title = chat->titleView();
        ASSERT_TRUE(title);
        EXPECT_EQ(chat->navigationItem().titleView, title);
        EXPECT_EQ(title->bounds().size, (Size { width, 44 })) << device;
        EXPECT_EQ(chat->nickText()->frame(), (Rect { 0, 4.5, width, 35 })) << device;
        EXPECT_DOUBLE_EQ(onScreen(title).midX(), Screen::main().size().width / 2) << device;
        EXPECT_EQ(chat->nickText()->utf8Text(), "小明");
        EXPECT_EQ(chat->nickText()->font(), Font::boldSystem(18));
        EXPECT_EQ(chat->nickText()->textColor(), Color::whiteColor());
        EXPECT_EQ(chat->nickText()->returnKeyType, ReturnKeyType::Done);
        AppDelegate::shared().terminate();
        navigation.reset();
    }
    EXPECT_EQ(ChatTitleView::widthForScreenHeight(812), 180);
}

TEST_F(ChatScreenTest, AnEmptyNicknameKeepsTheInvitationAndNoneEmptiesTheField)
{
    open(1, [](QYChatViewController& c) { c.setHeNick(std::string()); });
    EXPECT_EQ(chat->nickText()->utf8Text(), "点我修改");
    navigation->popViewController(false);
    open(1, [](QYChatViewController& c) { c.setHeNick(std::nullopt); });
    EXPECT_EQ(chat->nickText()->utf8Text(), "");
}

TEST_F(ChatScreenTest, DoneInTheTitleRenamesTheOtherSideForLaterMessages)
{
    open(1);
    send(u"之前");
    auto field = chat->nickText();
    tapView(*field);
    EXPECT_TRUE(field->isFirstResponder());
    field->setText(std::string_view("老王"));
    field->insertText(u"\n"); // the Done key
    EXPECT_FALSE(field->isFirstResponder());
    EXPECT_EQ(chat->heNick(), "老王");
    send(u"之后");
    auto list = rows();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(coding::text(list[0]->nickName()), u"小明");
    EXPECT_EQ(coding::text(list[1]->nickName()), u"老王");
}

TEST_F(ChatScreenTest, BarLookOnEveryAppearanceAndForBarsMadeLater)
{
    launch();
    auto bar = navigation->navigationBar();
    EXPECT_EQ(bar->backgroundImage()->name(), "QYNavigation_bar_2.png");
    open(2);
    EXPECT_EQ(bar->backgroundImage()->name(), "QYNavigation_bar.png");
    EXPECT_EQ(bar->tintColor(), Color::whiteColor());
    EXPECT_EQ(NavigationBarAppearance::defaults().barTintColor, Color::rgb(58, 58, 58));

    // The tips page goes on top; coming back restores the chat look.
    std::shared_ptr<View> tipsButton;
    for (auto& item : bar->subviews()) {
        auto button = std::dynamic_pointer_cast<Button>(item);
        if (button && button->currentImage() && button->currentImage()->name() == "QYPay_Chaticon.png")
            tipsButton = button;
    }
    ASSERT_TRUE(tipsButton);
    EXPECT_GT(onScreen(tipsButton).x(), 300);
    tapView(*tipsButton);
    settle();
    ASSERT_EQ(navigation->viewControllers().size(), 3u);
    EXPECT_TRUE(std::dynamic_pointer_cast<QYettingViewController>(navigation->topViewController()));
    bar->setBackgroundImage(nullptr);
    navigation->popViewController(false);
    settle();
    ASSERT_TRUE(bar->backgroundImage());
    EXPECT_EQ(bar->backgroundImage()->name(), "QYNavigation_bar.png");

    NavigationBarAppearance::defaults() = {};
    navigation->popViewController(false);
    open(1);
    ASSERT_TRUE(NavigationBarAppearance::defaults().backgroundImage);
    EXPECT_EQ(NavigationBarAppearance::defaults().backgroundImage->name(), "QYNavigation_bar_2.png");
}

TEST_F(ChatScreenTest, ScreenshotNotificationIsHeardOnlyWhileTheScreenLives)
{
    size_t before = NotificationCenter::shared().observerCount();
    open(1);
    EXPECT_GT(NotificationCenter::shared().observerCount(), before);
    NotificationCenter::shared().post(QYChatViewController::kScreenshotNotification);
    std::weak_ptr<QYChatViewController> weak = chat;
    size_t withScreen = NotificationCenter::shared().observerCount();
    navigation->popViewController(false);
    settle();
    chat.reset();
    ASSERT_TRUE(weak.expired());
    EXPECT_LT(NotificationCenter::shared().observerCount(), withScreen);
    NotificationCenter::shared().post(QYChatViewController::kScreenshotNotification);
}
