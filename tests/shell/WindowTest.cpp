#include "WindowInputTest.h"

#include <cmath>

#include <SDL.h>
#include <cstring>

#include "platform/Folders.h"
#include "platform/Locale.h"
#include "shell/window/AlbumImport.h"
#include "shell/window/AlbumScreenshot.h"
#include "shell/window/FileDrop.h"
#include "shell/window/InputRouter.h"
#include "shell/window/TextInputArea.h"
#include "shell/window/WindowFeedback.h"
#include "shell/window/WindowZoom.h"
#include "ui/GestureRecognizer.h"
#include "ui/ScrollView.h"
#include "ui/Button.h"
#include "ui/TextField.h"
#include "ui/NotificationCenter.h"
#include "widgets/QYNoticeHUD.h"

using namespace ui;

TEST(WindowZoomTest, TheWindowKeepsThePhonesAspectAtEveryZoom)
{
    using shell::WindowZoom;
    WindowZoom zoom({ 750, 1334 });
    EXPECT_EQ(zoom.windowSize(1), (Size { 750, 1334 }));
    // One phone pixel per display pixel: half the coordinates on a 2× display.
    EXPECT_EQ(zoom.windowSize(2), (Size { 375, 667 }));
    // Fitting a 1366×768 desktop (less the title bar) and a large one.
    EXPECT_NEAR(zoom.fitZoom({ 1366, 720 }, 1), 720.0 / 1334, 1e-9);
    EXPECT_NEAR(zoom.fitZoom({ 1366, 720 }, 2), 1440.0 / 1334, 1e-9);
    EXPECT_EQ(zoom.fitZoom({ 0, 0 }, 1), 1);

    // Steps go through the usual percentages and stop at the ends.
    std::vector<double> up, down;
    for (int i = 0; i < 3; ++i) {
        zoom.setZoom(zoom.stepped(true));
        up.push_back(zoom.zoom());
    }
    EXPECT_EQ(up, (std::vector<double> { 1.25, 1.5, 2 }));
    zoom.setZoom(0.54);
    for (int i = 0; i < 3; ++i) {
        zoom.setZoom(zoom.stepped(false));
        down.push_back(zoom.zoom());
    }
    EXPECT_EQ(down, (std::vector<double> { 0.5, 0.33, 0.25 }));
    zoom.setZoom(100);
    EXPECT_EQ(zoom.zoom(), WindowZoom::kMaximum);
    zoom.setZoom(std::nan(""));
    EXPECT_EQ(zoom.zoom(), WindowZoom::kMaximum);

    // A border dragged to any shape gives a window of the phone's shape again,
    // following the side that moved most.
    zoom.setZoom(0.5);
    for (Size dragged : { Size { 600, 667 }, Size { 375, 1000 }, Size { 200, 200 } }) {
        zoom.setZoom(zoom.zoomForWindow(dragged, 1));
        Size size = zoom.windowSize(1);
        EXPECT_NEAR(size.width / size.height, 750.0 / 1334, 0.003) << dragged.width << "x" << dragged.height;
    }
    // A window the desktop forced into another shape shows the whole phone,
    // centred between black bars.
    Rect picture = zoom.pictureRect({ 1000, 1334 });
    EXPECT_EQ(picture, (Rect { 125, 0, 750, 1334 }));
}

TEST(WindowZoomTest, TheChosenZoomIsKeptForNextTime)
{
    auto path = (std::filesystem::temp_directory_path() / "qyshot-window-zoom-test").string();
    std::filesystem::remove(path);
    EXPECT_FALSE(shell::WindowZoom::load(path));
    ASSERT_TRUE(shell::WindowZoom::save(path, 0.67));
    EXPECT_EQ(shell::WindowZoom::load(path), 0.67);
    // A damaged or absurd file is no zoom at all.
    for (const char* text : { "", "big", "-1", "1e300", "nan" }) {
        std::ofstream(path) << text;
        EXPECT_FALSE(shell::WindowZoom::load(path)) << text;
    }
    std::filesystem::remove(path);
}

TEST(WindowFeedbackTest, AScreenshotNamesItsFileInTheTitleAndFlashesBriefly)
{
    shell::WindowFeedback feedback;
    EXPECT_EQ(feedback.title(100), "截屏工坊");
    EXPECT_LT(feedback.nextChange(100), 0);
    feedback.screenshotSaved("/home/me/Pictures/截屏工坊/截屏 2026-12-06 10.20.33.png", 100);
    EXPECT_EQ(feedback.title(100.1), "截屏工坊 — Screenshot saved: 截屏 2026-12-06 10.20.33.png");
    EXPECT_GT(feedback.flash(100), feedback.flash(100.2));
    EXPECT_GT(feedback.flash(100.2), 0);
    EXPECT_EQ(feedback.flash(100 + shell::WindowFeedback::kFlashSeconds), 0);
    EXPECT_EQ(feedback.nextChange(101), 100 + shell::WindowFeedback::kMessageSeconds);
    EXPECT_EQ(feedback.title(100 + shell::WindowFeedback::kMessageSeconds), "截屏工坊");

    // A failure says why, without the flash.
    feedback.screenshotFailed("the screenshot was not saved: cannot write /x.png", 200);
    EXPECT_EQ(feedback.title(200), "截屏工坊 — the screenshot was not saved: cannot write /x.png");
    EXPECT_EQ(feedback.flash(200), 0);
}

TEST_F(WindowInputTest, MouseIsOneFingerInScreenPoints)
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

    // With a black bar 100 pixels wide left of the picture, every point is
    // 100 pixels further right.
    events.clear();
    router.setPictureOrigin({ 100, 0 });
    router.handle(mouse(SDL_MOUSEBUTTONDOWN, 220, 240));
    router.handle(mouse(SDL_MOUSEBUTTONUP, 220, 240));
    EXPECT_TRUE(events.empty());
    router.handle(mouse(SDL_MOUSEBUTTONDOWN, 320, 240));
    router.handle(mouse(SDL_MOUSEBUTTONUP, 320, 240));
    EXPECT_EQ(events, (std::vector<std::string> { "down", "upInside" }));
}

TEST_F(WindowInputTest, TheWheelScrollsTheInnermostViewThatCanMoveThatWay)
{
    // A list (scrolls up and down) holding a strip that scrolls sideways.
    auto list = std::make_shared<ScrollView>(Rect { 0, 0, 375, 600 });
    list->setContentSize({ 375, 2000 });
    auto strip = std::make_shared<ScrollView>(Rect { 0, 100, 375, 100 });
    strip->setContentSize({ 1000, 100 });
    list->addSubview(strip);
    window->addSubview(list);
    int endedGlides = 0;
    list->didEndDecelerating = [&](ScrollView&) { ++endedGlides; };

    // Three notches down over the strip scroll the list: the strip cannot go
    // that way. The content glides there and rests.
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(router.handle(wheel(300, 300, -1)));
    advance(0.05);
    EXPECT_GT(list->contentOffset().y, 0);
    EXPECT_LT(list->contentOffset().y, 3 * shell::InputRouter::kPointsPerWheelStep);
    advance(1);
    EXPECT_EQ(list->contentOffset().y, 3 * shell::InputRouter::kPointsPerWheelStep);
    EXPECT_EQ(endedGlides, 1);
    // Sideways over the strip (now 120 points higher) moves the strip only.
    EXPECT_TRUE(router.handle(wheel(300, 120, 0, 2)));
    advance(1);
    EXPECT_EQ(strip->contentOffset().x, 2 * shell::InputRouter::kPointsPerWheelStep);
    EXPECT_EQ(list->contentOffset().y, 3 * shell::InputRouter::kPointsPerWheelStep);

    // A touchpad's small steps add up; past the end the content stops there.
    for (int i = 0; i < 200; ++i)
        router.handle(wheel(300, 800, -0.5f));
    advance(1);
    EXPECT_EQ(list->contentOffset().y, 2000 - 600);
    EXPECT_FALSE(router.handle(wheel(300, 800, -1))) << "nothing can move further";
    EXPECT_TRUE(router.handle(wheel(300, 800, 1)));
}

TEST_F(WindowInputTest, ARightClickIsALongPressAtThatPoint)
{
    auto target = std::make_shared<View>(Rect { 0, 300, 375, 60 });
    window->addSubview(target);
    std::vector<Point> pressedAt;
    // The slowest long press of the app waits a whole second.
    auto press = std::make_shared<LongPressGestureRecognizer>([&](GestureRecognizer& recognizer) {
        if (recognizer.state() == GestureRecognizer::State::Began)
            pressedAt.push_back(recognizer.locationIn(nullptr));
    });
    press->setMinimumPressDuration(1.0);
    target->addGestureRecognizer(press);
    int taps = 0;
    target->addGestureRecognizer(std::make_shared<TapGestureRecognizer>([&](GestureRecognizer&) { ++taps; }));

    // A quick click: the finger stays down until the press is recognised.
    EXPECT_TRUE(router.handle(mouse(SDL_MOUSEBUTTONDOWN, 100, 660, SDL_BUTTON_RIGHT)));
    advance(0.1);
    EXPECT_TRUE(router.handle(mouse(SDL_MOUSEBUTTONUP, 100, 660, SDL_BUTTON_RIGHT)));
    // Meanwhile the left button and motion do nothing.
    EXPECT_FALSE(router.handle(mouse(SDL_MOUSEBUTTONDOWN, 10, 10)));
    EXPECT_FALSE(router.handle(mouse(SDL_MOUSEMOTION, 500, 900)));
    EXPECT_TRUE(ui::Application::shared().isTouching());
    advance(1.5);
    EXPECT_EQ(pressedAt, (std::vector<Point> { { 50, 330 } }));
    EXPECT_FALSE(ui::Application::shared().isTouching());
    EXPECT_EQ(taps, 0);

    // Afterwards the left button is a finger again.
    router.handle(mouse(SDL_MOUSEBUTTONDOWN, 100, 660));
    router.handle(mouse(SDL_MOUSEBUTTONUP, 100, 660));
    advance(0.5);
    EXPECT_EQ(taps, 1);
}

TEST_F(WindowInputTest, TheInputMethodIsToldWhereTheFocusedTextInputIs)
{
    router.setPictureOrigin({ 40, 10 }); // black bars left and right of the phone
    EXPECT_FALSE(shell::TextInputArea::current(router)) << "nothing takes text";

    auto field = std::make_shared<TextField>(Rect { 20, 600, 300, 30 });
    window->addSubview(field);
    field->becomeFirstResponder();
    EXPECT_EQ(shell::TextInputArea::current(router), (Rect { 80, 1210, 600, 60 }));

    // A window sliding in off the screen's origin carries its fields along.
    auto sliding = std::make_shared<ui::Window>(Rect { 0, 100, 375, 567 });
    sliding->makeKeyAndVisible();
    auto inSliding = std::make_shared<TextField>(Rect { 0, 0, 100, 20 });
    sliding->addSubview(inSliding);
    inSliding->becomeFirstResponder();
    EXPECT_EQ(shell::TextInputArea::current(router), (Rect { 40, 210, 200, 40 }));

    inSliding->resignFirstResponder();
    EXPECT_FALSE(shell::TextInputArea::current(router));
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

        auto picture = writePicture("drop-" + std::string(40, 'p') + ".png", 0xFFFFFFFF, 2, 2);
        whyNot.clear();
        EXPECT_FALSE(shell::AlbumImport::copyIntoAlbum(picture, whyNot));
        EXPECT_NE(whyNot.find("album folder"), std::string::npos) << whyNot;
    }
}

// The album's own naming and filtering are the photo album's; here, what a
// refused drop tells the person.
TEST_F(AlbumScreenshotTest, ARefusedDropNamesTheFile)
{
    platform::folders::setAlbumFolder((folder / "album").string());
    auto notPicture = writeFile("notes.png", "not a picture at all");
    // The signature of a PNG followed by nothing a decoder can use.
    auto damaged = writeFile("damaged.png", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(200, 'x'));
    for (const auto& refused : { notPicture, damaged, (folder / "missing.jpg").string(), folder.string() }) {
        std::string whyNot;
        EXPECT_FALSE(shell::AlbumImport::copyIntoAlbum(refused, whyNot)) << refused;
        EXPECT_NE(whyNot.find(refused), std::string::npos) << whyNot;
    }
}

TEST_F(AlbumScreenshotTest, ADropNoScreenTakesJoinsTheAlbumWithANotice)
{
    auto album = folder / "album";
    platform::folders::setAlbumFolder(album.string());
    auto window = std::make_shared<Window>(Screen::main().bounds());
    window->makeKeyAndVisible();
    auto picture = writePicture("dropped.png", 0xFFFFFFFF, 2, 2);

    EXPECT_EQ(shell::FileDrop::deliver(picture, { 100, 100 }), std::nullopt);
    advance(0.1);
    EXPECT_TRUE(std::filesystem::exists(album / "dropped.png"));
    EXPECT_EQ(QYNoticeHUD::sharedView()->status(), shell::FileDrop::kAddedNotice);

    // A file that is no picture stays out, and the reason is handed back for
    // the window's title.
    auto notes = writeFile("notes.txt", "hello");
    auto problem = shell::FileDrop::deliver(notes, { 100, 100 });
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find("notes.txt"), std::string::npos) << *problem;
    advance(0.1);
    EXPECT_EQ(QYNoticeHUD::sharedView()->status(), shell::FileDrop::kRefusedNotice);
    EXPECT_FALSE(std::filesystem::exists(album / "notes.txt"));
}
