// Callbacks bound to a weak owner: they reach the owner while it lives, are
// silent afterwards, and keep it alive for the length of a call that drops
// the last other reference.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/View.h"
#include "ui/WeakBind.h"

using namespace ui;

namespace {

struct Screen : View {
    std::vector<std::string> heard;
    std::shared_ptr<Screen>* selfHolder = nullptr;
    bool* destroyed = nullptr;
    bool* aliveAfterClose = nullptr;
    ~Screen() override
    {
        if (destroyed)
            *destroyed = true;
    }

    void plain() { heard.push_back("plain"); }
    void withText(const std::string& text) { heard.push_back(text); }
    bool accepts(int value) { return value > 0; }
    std::string name() const { return "screen"; }
    // Drops the last outside reference to itself, then still uses its members.
    void closeSelf()
    {
        selfHolder->reset();
        *aliveAfterClose = !*destroyed;
    }
};

} // namespace

TEST(WeakBind, ReachesTheOwnerOnlyWhileItLives)
{
    auto screen = std::make_shared<Screen>();
    std::function<void()> plain = weakBind(screen, &Screen::plain);
    std::function<void(const std::string&)> text = weakBind(screen.get(), &Screen::withText);
    // A control action passes the sender; the plain method does not want it.
    std::function<void(Control&)> action = weakBind(screen, &Screen::plain);
    std::function<bool(int)> accepts = weakBind(screen.get(), &Screen::accepts);
    std::function<std::string()> name = weakBind(screen, &Screen::name);

    auto control = std::make_shared<Control>();
    plain();
    text("typed");
    action(*control);
    EXPECT_EQ(screen->heard, (std::vector<std::string> { "plain", "typed", "plain" }));
    EXPECT_TRUE(accepts(3));
    EXPECT_FALSE(accepts(-1));
    EXPECT_EQ(name(), "screen");

    std::weak_ptr<Screen> watch = screen;
    screen.reset();
    ASSERT_TRUE(watch.expired()) << "the callables do not keep the owner";
    plain();
    text("lost");
    action(*control);
    EXPECT_FALSE(accepts(3)) << "a gone owner answers with the default value";
    EXPECT_EQ(name(), "");
}

TEST(WeakBind, OwnerDroppedDuringItsOwnCallLivesUntilTheCallReturns)
{
    bool destroyed = false;
    bool aliveAfterClose = false;
    auto screen = std::make_shared<Screen>();
    screen->selfHolder = &screen;
    screen->destroyed = &destroyed;
    screen->aliveAfterClose = &aliveAfterClose;
    auto close = weakBind(screen.get(), &Screen::closeSelf);
    close();
    EXPECT_TRUE(aliveAfterClose) << "the call's own reference kept it";
    EXPECT_TRUE(destroyed) << "and let it go when the call returned";
    close(); // silent afterwards
}
