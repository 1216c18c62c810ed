#include "support/PhoneTest.h"

#include "app/AppDelegate.h"
#include "app/home/HomeRoutes.h"
#include "composer/QYettingViewController.h"
#include "app/home/ViewController.h"
#include "ui/NavigationController.h"

using namespace ui;

class HomeScreenTest : public PhoneTest {
protected:
    void launch(const char* device)
    {
        useDevice(device);
        AppDelegate::shared().terminate();
        HomeRoutes::clear();
        HomeRoutes::registerScreen(HomeRoutes::Route::Preset, [this](int type) {
            openedTypes.push_back(type);
            return std::make_shared<ui::ViewController>();
        });
        ASSERT_TRUE(AppDelegate::shared().didFinishLaunching());
        Application::shared().layoutIfNeeded();
        navigation = AppDelegate::shared().navigationController();
        home = std::static_pointer_cast<::ViewController>(navigation->topViewController());
    }
    void TearDown() override
    {
        AppDelegate::shared().terminate();
        HomeRoutes::clear();
        PhoneTest::TearDown();
    }
    static Rect onScreen(const std::shared_ptr<View>& v) { return v->convertRectTo(v->bounds(), nullptr); }

    std::shared_ptr<NavigationController> navigation;
    std::shared_ptr<::ViewController> home;
    std::vector<int> openedTypes;
};

TEST_F(HomeScreenTest, ButtonsStackInOrderCentredAndScrollClearOfTheBanner)
{
    for (const char* device : { "iphone4", "iphone5", "iphone6", "iphone6plus" }) {
        launch(device);
        double width = Screen::main().size().width;
        double y = 64;
        for (auto& button : { home->chatButton(), home->moneyButton(), home->aliChatButton(), home->balanceButton(),
                 home->selectImage() }) {
            ASSERT_TRUE(button->currentImage()) << device;
            Rect frame = onScreen(button);
            EXPECT_EQ(frame.size, button->currentImage()->size()) << device;
            EXPECT_DOUBLE_EQ(frame.y(), y) << device;
            EXPECT_DOUBLE_EQ(frame.midX(), width / 2) << device;
            y = frame.maxY();
        }
        // The banner strip's bottom edge meets the bottom of the screen.
        Rect banner = onScreen(home->bannerView());
        EXPECT_EQ(banner, (Rect { 0, Screen::main().size().height - 48, width, 48 })) << device;
        EXPECT_DOUBLE_EQ(home->scrollView()->contentSize().height, y - 64 + 48) << device;
        home->scrollView()->setContentOffset(home->scrollView()->maximumOffset());
        EXPECT_LE(onScreen(home->selectImage()).maxY(), banner.y()) << device;
    }
}

TEST_F(HomeScreenTest, ChatButtonsOpenThePresetScreenByTagAndOnlyThatScreenSwipesBack)
{
    launch("iphone6");
    auto gesture = navigation->interactivePopGestureRecognizer();
    ASSERT_TRUE(gesture->shouldBegin);
    tap(onScreen(home->balanceButton()).center()); // a tool not built: nothing opens
    advance(1);
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    EXPECT_FALSE(gesture->shouldBegin(*gesture));

    tap(onScreen(home->chatButton()).center());
    advance(1);
    ASSERT_EQ(navigation->viewControllers().size(), 2u);
    EXPECT_TRUE(gesture->shouldBegin(*gesture));
    drag({ 5, 300 }, { 300, 300 });
    advance(1);
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    EXPECT_TRUE(home->bannerView()->superview()); // the strip stays after the first disappearance

    tap(onScreen(home->aliChatButton()).center());
    advance(1);
    // Any tag other than 100 wired to the chat action opens the payment-app style.
    home->moneyButton()->setTag(7);
    home->pushChatAction(*home->moneyButton());
    EXPECT_EQ(openedTypes, (std::vector<int> { 1, 2, 2 }));
}

// The bars' look is kept by the whole-screen goldens; the tips page has none.
TEST_F(HomeScreenTest, TipsPictureSitsCentredUnderTheBar)
{
    launch("iphone6");
    auto tips = std::make_shared<QYettingViewController>();
    navigation->pushViewController(tips, false);
    Application::shared().layoutIfNeeded();
    Rect frame = onScreen(tips->tipImage());
    EXPECT_EQ(frame, (Rect { (375 - frame.width()) / 2, 64 + 20, frame.width(), frame.height() }));
    EXPECT_EQ(frame.size, Image::named("QYTip.png")->size());
    EXPECT_EQ(navigation->navigationBar()->backButton()->currentTitle(), "截屏工坊");
}
