#include "support/PhoneTest.h"

#include "widgets/ZXCustomWindow.h"
#include "ui/NotificationCenter.h"

using namespace ui;

class ZXCustomWindowTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        mainWindow = std::make_shared<Window>();
        mainWindow->makeKeyAndVisible();
        panel = std::make_shared<View>(Rect { 0, 667, 375, 200 });
        window = ZXCustomWindow::make(panel);
    }
    std::shared_ptr<Window> mainWindow;
    std::shared_ptr<View> panel;
    std::shared_ptr<ZXCustomWindow> window;
};

TEST_F(ZXCustomWindowTest, ShowSlidesThePanelUpAndATouchOutsideItOrTheNotificationHides)
{
    window->showWithAnimationTime(0.3);
    EXPECT_TRUE(window->isKeyWindow());
    EXPECT_EQ(panel->frame().y(), 467);
    advance(0.05);
    EXPECT_GT(panel->presentationTransform().ty, -200); // still moving
    advance(0.1);
    EXPECT_EQ(panel->presentationTransform().ty, -200); // the nested 0.1 s move is done

    tap({ 100, 600 }); // on the panel
    advance(1);
    EXPECT_FALSE(window->isHidden());
    tap({ 100, 200 }); // above the panel; the hide starts as the finger lands
    EXPECT_FALSE(window->isHidden());
    advance(0.05);
    EXPECT_TRUE(window->isHidden());
    EXPECT_TRUE(panel->transform().isIdentity());
    EXPECT_TRUE(mainWindow->isKeyWindow());

    window->showWithAnimationTime(0.2);
    advance(0.5);
    EXPECT_FALSE(window->isHidden());
    NotificationCenter::shared().post("hideTopWindow");
    advance(0.5);
    EXPECT_TRUE(window->isHidden());
    std::weak_ptr<ZXCustomWindow> weak = window;
    Application::shared().removeWindow(window.get());
    window.reset();
    EXPECT_TRUE(weak.expired()) << "the observer must not keep the window";
    NotificationCenter::shared().post("hideTopWindow"); // nobody left to call
}
