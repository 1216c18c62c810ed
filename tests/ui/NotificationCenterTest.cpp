#include "support/PhoneTest.h"

#include <vector>

#include "ui/NotificationCenter.h"

using namespace ui;

class NotificationCenterTest : public PhoneTest { };

TEST_F(NotificationCenterTest, ObserversDieWithTheirOwners)
{
    auto& center = NotificationCenter::shared();
    int calls = 0;
    auto owner = std::make_shared<int>(0);
    center.addObserver(owner, "hideTopWindow", [&](const Notification&) { ++calls; });
    center.post("hideTopWindow");
    owner.reset();
    center.post("hideTopWindow");
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(center.observerCount(), 0u);
}

TEST_F(NotificationCenterTest, RemovalDuringAPostIsHonouredAtOnce)
{
    auto& center = NotificationCenter::shared();
    std::vector<std::string> calls;
    auto owner = std::make_shared<int>(0);
    NotificationCenter::Token second = 0;
    NotificationCenter::Token self = 0;
    self = center.addObserver(owner, "n", [&](const Notification&) {
        calls.push_back("first");
        center.removeObserver(self); // removes itself
        center.removeObserver(second); // and a later observer
    });
    second = center.addObserver(owner, "n", [&](const Notification&) { calls.push_back("second"); });
    center.addObserver(owner, "n", [&](const Notification& n) {
        calls.push_back("third:" + std::any_cast<std::string>(n.userInfo.at("k")));
    });
    center.post("n", { { "k", std::string("v") } });
    center.post("n", { { "k", std::string("w") } });
    EXPECT_EQ(calls, (std::vector<std::string> { "first", "third:v", "third:w" }));
}

TEST_F(NotificationCenterTest, OwnerDyingInsideAPostStopsItsOtherBlocks)
{
    auto& center = NotificationCenter::shared();
    auto doomed = std::make_shared<int>(0);
    auto keeper = std::make_shared<int>(0);
    int doomedCalls = 0;
    center.addObserver(keeper, "n", [&](const Notification&) { doomed.reset(); });
    center.addObserver(doomed, "n", [&](const Notification&) { ++doomedCalls; });
    center.post("n");
    EXPECT_EQ(doomedCalls, 0);
}
