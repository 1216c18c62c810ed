// A composed conversation on the chat screen in both styles, on a @2x and a
// @3x phone. The checks catch a screen laid out in the wrong place; with
// QY_LOOK_DIR set the screens are also written there as PNG files to look at.
#include "ChatScreenTest.h"

#include <cstdlib>
#include <fstream>

#include "platform/audio/AudioDevice.h"
#include "platform/audio/AudioTestSupport.h"
#include "platform/audio/FileMicrophone.h"
#include "platform/audio/NullSpeaker.h"
#include "ui/Renderer.h"

using namespace ui;

class ChatLookTest : public ChatScreenTest, public ::testing::WithParamInterface<std::tuple<const char*, int>> {
protected:
    void TearDown() override
    {
        platform::AudioDevice::setMicrophone(nullptr);
        ChatScreenTest::TearDown();
    }
    static void write(const Image& image, const std::string& name)
    {
        const char* dir = std::getenv("QY_LOOK_DIR");
        if (!dir)
            return;
        auto png = image.pngData();
        std::ofstream(std::string(dir) + "/" + name + ".png", std::ios::binary)
            .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    }
    static Color pixelAt(const Image& image, Point point)
    {
        const auto& px = image.pixels();
        int x = int(point.x * image.scale()), y = int(point.y * image.scale());
        const std::uint8_t* p = &px.pixels[std::size_t(y) * std::size_t(px.stride) + std::size_t(x) * 4];
        return Color::rgb(p[2], p[1], p[0], p[3] / 255.0);
    }
    void recordClip(double seconds)
    {
        auto bar = chat->toolBar();
        tapView(*bar->voiceButton());
        settle();
        Point point = bar->recordButton()->frameInScreen().center();
        Application::shared().touchDown(point);
        advance(seconds);
        Application::shared().touchUp(point);
        advance(0.1);
        tapView(*bar->voiceButton());
        settle();
        chat->toolBar()->endEditing(true);
        settle();
    }
};

TEST_P(ChatLookTest, AComposedConversation)
{
    auto [device, type] = GetParam();
    std::string wav = (std::filesystem::path(home->path()) / "speech.wav").string();
    audiotest::writeWav(wav, audiotest::sine(8000 * 5));
    platform::AudioDevice::setMicrophone(std::make_shared<platform::FileMicrophone>(wav));
    platform::AudioDevice::setSpeaker(std::make_shared<platform::NullSpeaker>());
    std::filesystem::create_directories(
        std::filesystem::path(GXRecordManage::defaultManager()->recorder().tempRecordFileURL()).parent_path());
    albumPicture("photo.png", 400, 300, 10);

    launch(device);
    open(type, [](QYChatViewController& c) { c.setUnReadNum(std::string("3")); });
    Size screen = Screen::main().size();
    auto opening = Renderer::snapshotScreen();
    ASSERT_TRUE(opening);
    write(*opening, std::string("chat-") + device + "-style" + std::to_string(type) + "-opening");
    // The hint strip under the bar, a second into its fade: darker than the
    // screen's grey, which the empty list shows.
    EXPECT_LT(pixelAt(*opening, { 2, 64 + 2 }).red, 225 / 255.0);
    EXPECT_EQ(pixelAt(*opening, { screen.width / 2, 300 }), Color::rgb(235, 235, 235));

    send(u"在吗？");
    advance(20);
    speakAsMe();
    send(u"在的[微笑]，刚下班。今天的会开得怎么样？说好的方案明天能发过来吗");
    advance(15);
    speakAsOther();
    send(u"可以[OK]");
    chat->toolBar()->endEditing(true);
    settle();
    recordClip(3.2);
    advance(120);
    speakAsMe();
    chooseItem(2);
    settle();
    pickFromAlbum(0);
    settle();
    send(u"发错了");
    chat->toolBar()->endEditing(true);
    settle();
    chooseFromRowMenu(int(rows().size()) - 1, "撤回");
    advance(6); // the hint strip has faded
    settle();

    auto image = Renderer::snapshotScreen();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelWidth(), int(screen.width * Screen::main().scale()));
    write(*image, std::string("chat-") + device + "-style" + std::to_string(type));

    // The screen's grey shows beside the rows, the toolbar's strip at the bottom.
    EXPECT_EQ(pixelAt(*image, { 3, 64 + 30 }), Color::rgb(235, 235, 235));
    EXPECT_EQ(pixelAt(*image, { 2, screen.height - 3 }), Color::rgb(245, 245, 247));
    EXPECT_EQ(rows().size(), 6u);
    EXPECT_EQ(rows().back()->type(), QYChatModel::RecallNotice);
    EXPECT_EQ(rows()[3]->type(), QYChatModel::Voice);
    EXPECT_EQ(rows()[4]->type(), QYChatModel::Image);
}

INSTANTIATE_TEST_SUITE_P(DevicesAndStyles, ChatLookTest,
    ::testing::Combine(::testing::Values("iphone6", "iphone6plus"), ::testing::Values(1, 2)));
