#include "ShellTest.h"

#include <SDL.h>
#include <cstring>

#include "platform/Folders.h"
#include "platform/Locale.h"
#include "shell/window/AlbumImport.h"
#include "shell/window/AlbumScreenshot.h"
#include "shell/window/InputRouter.h"
#include "shell/window/WindowFit.h"
#include "ui/Button.h"
#include "ui/NotificationCenter.h"

using namespace ui;
using shell::InputRouter;

TEST(WindowFitTest, ShowsThePhoneAtItsScaleAndShrinksItWholeWhenTheDesktopIsSmaller)
{
    using shell::WindowFit;
    EXPECT_EQ(WindowFit::windowSize({ 375, 667 }, 2, { 1920, 1400 }), (Size { 750, 1334 }));
    // Never grows past the phone's own pixels.
    EXPECT_EQ(WindowFit::windowSize({ 320, 480 }, 2, { 4000, 4000 }), (Size { 640, 960 }));
    Size shrunk = WindowFit::windowSize({ 414, 736 }, 3, { 1280, 976 });
    EXPECT_LE(shrunk.height, 976);
    EXPECT_NEAR(shrunk.width / shrunk.height, 414.0 / 736.0, 0.01);
    // Unknown desktop: full size; degenerate sizes never give an empty window.
    EXPECT_EQ(WindowFit::windowSize({ 375, 667 }, 2, { 0, 0 }), (Size { 750, 1334 }));
    EXPECT_EQ(WindowFit::windowSize({ 375, 667 }, 2, { 1, 1 }), (Size { 1, 1 }));
}

// Text typed, composed and deleted, as a text field would keep it.
class Editor : public View {
public:
    bool canBecomeFirstResponder() const override { return true; }
    void insertText(const std::u16string& text) override { log += u"[" + text + u"]"; }
    void deleteBackward() override { log += u"<"; }
    void setMarkedText(const std::u16string& text) override { log += u"{" + text + u"}"; }
    std::u16string log;
};

class InputRouterTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        window = std::make_shared<Window>(Screen::main().bounds());
        window->makeKeyAndVisible();
        router.setPointsPerPixel(0.5); // a 2× phone shown at full size
    }
    static SDL_Event mouse(Uint32 type, int x, int y)
    {
        SDL_Event event {};
        event.type = type;
        if (type == SDL_MOUSEMOTION) {
            event.motion.x = x;
            event.motion.y = y;
        } else {
            event.button.button = SDL_BUTTON_LEFT;
            event.button.x = x;
            event.button.y = y;
        }
        return event;
    }
    static SDL_Event text(Uint32 type, const char* utf8)
    {
        SDL_Event event {};
        event.type = type;
        if (type == SDL_TEXTINPUT)
            std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
        else
            std::strncpy(event.edit.text, utf8, sizeof event.edit.text - 1);
        return event;
    }
    static SDL_Event key(SDL_Keycode code)
    {
        SDL_Event event {};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = code;
        return event;
    }

    std::shared_ptr<Window> window;
    InputRouter router;
};

TEST_F(InputRouterTest, MouseIsOneFingerInScreenPoints)
{
    std::vector<std::string> events;
    auto button = Button::make();
    button->setFrame({ 100, 100, 100, 44 });
    button->addAction(TouchDown, [&](Control&) { events.push_back("down"); });
    button->addAction(TouchUpInside, [&](Control&) { events.push_back("upInside"); });
    window->addSubview(button);

    // Motion without a pressed button is no touch.
    EXPECT_FALSE(router.handle(mouse(SDL_MOUSEMOTION, 300, 240)));
    // Pixel (300, 240) is point (150, 120), inside the button.
    EXPECT_TRUE(router.handle(mouse(SDL_MOUSEBUTTONDOWN, 300, 240)));
    EXPECT_TRUE(router.handle(mouse(SDL_MOUSEMOTION, 310, 250)));
    EXPECT_TRUE(router.handle(mouse(SDL_MOUSEBUTTONUP, 310, 250)));
    EXPECT_EQ(events, (std::vector<std::string> { "down", "upInside" }));

    // Pixel (100, 100) is point (50, 50), outside it.
    events.clear();
    router.handle(mouse(SDL_MOUSEBUTTONDOWN, 100, 100));
    router.handle(mouse(SDL_MOUSEBUTTONUP, 100, 100));
    EXPECT_TRUE(events.empty());
}

TEST_F(InputRouterTest, TextAndImeCompositionGoToTheFirstResponder)
{
    auto editor = std::make_shared<Editor>();
    window->addSubview(editor);
    editor->becomeFirstResponder();

    router.handle(text(SDL_TEXTINPUT, "ab"));
    router.handle(key(SDLK_BACKSPACE));
    router.handle(key(SDLK_RETURN));
    // While the input method composes, its keys are its own.
    router.handle(text(SDL_TEXTEDITING, "ni"));
    router.handle(key(SDLK_BACKSPACE));
    router.handle(text(SDL_TEXTEDITING, ""));
    router.handle(text(SDL_TEXTINPUT, "你"));
    router.handle(key(SDLK_BACKSPACE));
    EXPECT_EQ(editor->log, u"[ab]<[\n]{ni}{}[你]<");

    // Other keys and no first responder: nothing happens, nothing breaks.
    EXPECT_FALSE(router.handle(key(SDLK_a)));
    editor->resignFirstResponder();
    router.handle(text(SDL_TEXTINPUT, "x"));
    router.handle(key(SDLK_BACKSPACE));
    EXPECT_EQ(editor->log, u"[ab]<[\n]{ni}{}[你]<");
}

class AlbumScreenshotTest : public ShellTest { };

TEST_F(AlbumScreenshotTest, SavesIntoTheAlbumThenPostsTheNotification)
{
    platform::locale::setTimeZone("Asia/Shanghai");
    auto album = folder / "album" / "deeper";
    platform::folders::setAlbumFolder(album.string());
    auto window = std::make_shared<Window>(Screen::main().bounds());
    window->makeKeyAndVisible();

    std::vector<bool> fileExisted;
    auto owner = std::make_shared<int>(0);
    NotificationCenter::shared().addObserver(owner, shell::AlbumScreenshot::kNotification, [&](const Notification&) {
        fileExisted.push_back(!std::filesystem::is_empty(album));
    });

    // 1480000000 is 23:06:40 in Shanghai.
    EXPECT_EQ(shell::AlbumScreenshot::fileName(1480000000), "截屏 2016-11-24 23.06.40.png");
    std::string whyNot;
    auto first = shell::AlbumScreenshot::take(whyNot);
    auto second = shell::AlbumScreenshot::take(whyNot);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(std::filesystem::path(*first).filename(), "截屏 2016-11-24 23.06.40.png");
    // A second screenshot in the same second keeps the first picture.
    EXPECT_NE(*first, *second);
    EXPECT_TRUE(platform::imagecodec::decodeFile(*second));
    EXPECT_EQ(fileExisted, (std::vector<bool> { true, true }));
}

TEST_F(AlbumScreenshotTest, AnUnwritableAlbumIsReportedNotRaisedAndPostsNothing)
{
    // A folder that cannot be made, one in which file names no longer fit
    // (the file system refuses to even look: this used to escape as an
    // exception and end the window), and a plain file in the album's place.
    std::string deep = folder.string();
    while (deep.size() < 4080)
        deep += "/" + std::string(200, 'd');
    deep = deep.substr(0, 4080);
    auto plainFile = writeFile("album-is-a-file", "x");
    for (const std::string& album : { std::string("/proc/qyshot-no-album"), deep, plainFile }) {
        SCOPED_TRACE(album.substr(0, 60));
        platform::folders::setAlbumFolder(album);
        int posts = 0;
        auto owner = std::make_shared<int>(0);
        NotificationCenter::shared().addObserver(owner, shell::AlbumScreenshot::kNotification, [&](const Notification&) { ++posts; });
        std::string whyNot;
        EXPECT_FALSE(shell::AlbumScreenshot::take(whyNot));
        EXPECT_NE(whyNot.find("not saved"), std::string::npos) << whyNot;
        EXPECT_EQ(posts, 0);

        platform::PixelBuffer pixels { 2, 2, 8, std::vector<std::uint8_t>(16, 0xff) };
        auto picture = (folder / ("drop-" + std::string(40, 'p') + ".png")).string();
        ASSERT_TRUE(platform::imagecodec::writePng(picture, pixels));
        whyNot.clear();
        EXPECT_FALSE(shell::AlbumImport::copyIntoAlbum(picture, whyNot));
        EXPECT_NE(whyNot.find("album folder"), std::string::npos) << whyNot;
    }
}

TEST_F(AlbumScreenshotTest, DroppedPicturesJoinTheAlbumUnderAFreeName)
{
    auto album = folder / "album";
    platform::folders::setAlbumFolder(album.string());
    platform::PixelBuffer pixels { 2, 2, 8, std::vector<std::uint8_t>(16, 0xff) };
    auto picture = (folder / "photo.png").string();
    ASSERT_TRUE(platform::imagecodec::writePng(picture, pixels));
    auto notPicture = writeFile("notes.png", "not a picture at all");
    // The signature of a PNG followed by nothing a decoder can use.
    auto damaged = writeFile("damaged.png", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(200, 'x'));

    std::string whyNot;
    auto first = shell::AlbumImport::copyIntoAlbum(picture, whyNot);
    auto second = shell::AlbumImport::copyIntoAlbum(picture, whyNot);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(std::filesystem::path(*first), album / "photo.png");
    EXPECT_EQ(std::filesystem::path(*second), album / "photo_2.png");
    EXPECT_TRUE(platform::imagecodec::decodeFile(*second));
    for (const auto& refused : { notPicture, damaged, (folder / "missing.jpg").string(), folder.string() }) {
        whyNot.clear();
        EXPECT_FALSE(shell::AlbumImport::copyIntoAlbum(refused, whyNot)) << refused;
        EXPECT_NE(whyNot.find(refused), std::string::npos) << whyNot;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(album), {}), 2);
}
