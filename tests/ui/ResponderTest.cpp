#include "support/PhoneTest.h"

#include "ui/View.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

using namespace ui;

namespace {

struct Catcher : View {
    std::vector<std::string> names;
    void routerEventWithName(const std::string& name, const UserInfo& userInfo) override
    {
        names.push_back(name + ":" + std::any_cast<std::string>(userInfo.at("KMESSAGEKEY")));
    }
};

struct CatchingController : ViewController {
    std::vector<std::string> names;
    void routerEventWithName(const std::string& name, const UserInfo&) override { names.push_back(name); }
};

} // namespace

class ResponderTest : public PhoneTest { };

// A routed event climbs views, and the controller of a root view, to the
// first that takes it; one nobody takes ends quietly at the end of the chain.
TEST_F(ResponderTest, RoutedEventsClimbToTheFirstOverride)
{
    auto catcher = std::make_shared<Catcher>();
    auto middle = std::make_shared<View>();
    auto bubble = std::make_shared<View>();
    catcher->addSubview(middle);
    middle->addSubview(bubble);
    bubble->routerEventWithName("kRITextBubbleViewTapTextEventName", { { "KMESSAGEKEY", std::string("m1") } });
    EXPECT_EQ(catcher->names, (std::vector<std::string> { "kRITextBubbleViewTapTextEventName:m1" }));

    auto controller = std::make_shared<CatchingController>();
    auto window = std::make_shared<Window>();
    window->setRootViewController(controller);
    auto inside = std::make_shared<View>();
    controller->view()->addSubview(inside);
    inside->routerEventWithName("kRIBaseBubbleView", {});
    EXPECT_EQ(controller->names, (std::vector<std::string> { "kRIBaseBubbleView" }));

    auto lonely = std::make_shared<View>();
    auto otherWindow = std::make_shared<Window>();
    otherWindow->addSubview(lonely);
    lonely->routerEventWithName("nobody", {});
    std::make_shared<View>()->routerEventWithName("nobody", {});
}

TEST_F(ResponderTest, OnlyOneFirstResponderAndEndEditingResignsInside)
{
    struct Input : View {
        bool canBecomeFirstResponder() const override { return true; }
    };
    auto window = std::make_shared<Window>();
    window->makeKeyAndVisible();
    auto form = std::make_shared<View>();
    auto a = std::make_shared<Input>();
    auto b = std::make_shared<Input>();
    window->addSubview(form);
    form->addSubview(a);
    window->addSubview(b);

    EXPECT_TRUE(a->becomeFirstResponder());
    EXPECT_TRUE(a->isFirstResponder());
    EXPECT_TRUE(b->becomeFirstResponder());
    EXPECT_FALSE(a->isFirstResponder());
    EXPECT_FALSE(form->endEditing(true)); // b is not inside the form
    EXPECT_TRUE(b->isFirstResponder());
    EXPECT_TRUE(window->endEditing(true));
    EXPECT_EQ(Application::shared().firstResponder(), nullptr);
    EXPECT_FALSE(std::make_shared<View>()->becomeFirstResponder());
}
