#include <gtest/gtest.h>

#include "platform/DeviceProfile.h"
#include "platform/MainQueue.h"
#include "ui/Application.h"
#include "ui/Screen.h"
#include "ui/Window.h"
#include "voice/overlay/RIRecordView.h"

namespace {

class RIRecordViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::MainQueue::shared().clear();
        platform::MainQueue::shared().setClock(std::make_shared<platform::VirtualClock>());
        ui::Application::shared().reset();
        ui::Screen::main().setProfile(*platform::DeviceProfile::named("iphone6"));
        m_window = std::make_shared<ui::Window>(ui::Screen::main().bounds());
        m_window->makeKeyAndVisible();
        m_overlay = std::make_shared<RIRecordView>();
    }
    void TearDown() override
    {
        ui::Application::shared().reset();
        platform::MainQueue::shared().clear();
    }

    static std::shared_ptr<ui::Image> level(int index) { return ui::Image::named("RIVolume_" + std::to_string(index) + ".png"); }

    std::shared_ptr<ui::Window> m_window;
    std::shared_ptr<RIRecordView> m_overlay;
};

} // namespace

TEST_F(RIRecordViewTest, TheLevelPicksOneOfTwentySixPicturesInTheMiddleOfTheWindow)
{
    EXPECT_EQ(m_overlay->frame(), m_window->bounds());
    EXPECT_EQ(m_overlay->voiceHud()->image(), level(0));
    EXPECT_EQ(m_overlay->voiceHud()->center(), (ui::Point { 187.5, 333.5 }));

    const std::pair<float, int> cases[] = { { 0.0f, 0 }, { 0.001f, 1 }, { 0.04f, 1 }, { 0.0401f, 2 }, { 0.5f, 13 },
        { 0.99f, 25 }, { 1.0f, 25 }, { 7.0f, 25 }, { -1.0f, 0 } };
    for (auto [volume, index] : cases) {
        m_overlay->setVolume(volume);
        EXPECT_EQ(m_overlay->voiceHud()->image(), level(index)) << volume;
    }
    for (int index = 0; index < 26; ++index) {
        ASSERT_TRUE(level(index)) << index;
        EXPECT_EQ(level(index)->size(), m_overlay->voiceHud()->size()) << index;
    }
}

TEST_F(RIRecordViewTest, FadesInOverTheWindowTheFirstTimeOnly)
{
    m_overlay->show();
    EXPECT_EQ(m_window->subviews().back(), m_overlay);
    platform::MainQueue::shared().advance(0.12);
    EXPECT_GT(m_overlay->presentationAlpha(), 0.1);
    EXPECT_LT(m_overlay->presentationAlpha(), 0.9);
    platform::MainQueue::shared().advance(0.13);
    EXPECT_EQ(m_overlay->presentationAlpha(), 1.0);

    m_overlay->hide();
    EXPECT_EQ(m_overlay->superview(), nullptr);
    m_overlay->show();
    EXPECT_EQ(m_overlay->presentationAlpha(), 1.0);

    m_overlay->hide();
    ui::Application::shared().reset();
    m_overlay->show();
    EXPECT_EQ(m_overlay->superview(), nullptr) << "no window, nothing to cover";
}
