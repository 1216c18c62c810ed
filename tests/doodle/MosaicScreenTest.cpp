#include "doodle/DoodleTest.h"

#include "doodle/QYMosaicImageViewController.h"
#include "doodle/WJPhotoTool.h"
#include "ui/ImagePickerController.h"
#include "ui/NavigationController.h"

#include <ctime>
#include <fstream>

class MosaicScreenTest : public DoodleTest {
protected:
    void SetUp() override
    {
        DoodleTest::SetUp();
        window->setHidden(true);
        root = std::make_shared<ui::ViewController>();
        navigation = ui::NavigationController::make(root);
        navigation->view();
        navigation->navigationBar()->setTranslucent(false);
        appWindow = std::make_shared<ui::Window>();
        appWindow->setRootViewController(navigation);
        appWindow->makeKeyAndVisible();
    }
    void TearDown() override
    {
        ui::ImagePickerController::setCaptureDevice({});
        doodle.reset();
        DoodleTest::TearDown();
    }
    void open(ui::ImagePtr photo = nullptr)
    {
        doodle = std::make_shared<QYMosaicImageViewController>();
        doodle->setImage(photo);
        navigation->pushViewController(doodle, true);
        advance(1);
        ui::Application::shared().layoutIfNeeded();
    }
    bool panelUp() { return !doodle->drawView()->drawWindow()->isHidden(); }
    void hidePanel()
    {
        tap({ 187, 200 });
        advance(0.5);
    }
    ui::ImagePtr photo() { return doodle->drawView()->boardImage()->image(); }
    static platform::PixelBuffer plainPixels(int width, int height, std::uint32_t argb) { return plainImage(width, height, argb)->pixels(); }

    std::shared_ptr<ui::ViewController> root;
    std::shared_ptr<ui::NavigationController> navigation;
    std::shared_ptr<ui::Window> appWindow;
    std::shared_ptr<QYMosaicImageViewController> doodle;
};

TEST_F(MosaicScreenTest, FromHomeItOpensBlankWithThePanelUpAndDrawingWorks)
{
    open();
    EXPECT_EQ(doodle->title(), "涂鸦");
    EXPECT_EQ(doodle->drawView()->frame(), (ui::Rect { 0, 0, 375, 603 }));
    EXPECT_EQ(doodle->drawView()->frameInScreen().y(), 64);
    EXPECT_FALSE(photo());
    EXPECT_TRUE(panelUp());
    EXPECT_EQ(doodle->drawView()->settingBoard()->frameInScreen().y(), 667 - 191);

    hidePanel();
    EXPECT_FALSE(panelUp());
    drag({ 40, 300 }, { 300, 320 });
    EXPECT_EQ(doodle->drawView()->drawBoard()->paths().size(), 1u);

    tap({ 345, 42 }); // "涂鸦板"
    advance(0.5);
    EXPECT_TRUE(panelUp());

    // Leaving takes the panel along, and its window goes with the screen.
    std::weak_ptr<ZXCustomWindow> panelWindow = doodle->drawView()->drawWindow();
    navigation->popViewController(false);
    advance(1);
    EXPECT_FALSE(panelUp());
    doodle.reset();
    EXPECT_TRUE(panelWindow.expired());
}

TEST_F(MosaicScreenTest, ANewPhotoReplacesTheOldOneUnderTheSameStrokes)
{
    addAlbumPicture("beach.png", plainPixels(300, 200, kOpaqueBlue), 10);
    std::string beach = (album / "beach.png").string();
    open(plainImage(375, 603, kOpaqueRed));
    hidePanel();
    drag({ 40, 300 }, { 300, 320 });

    tapCommand(*doodle->drawView(), DWDrawSettingBoard::OpenAlbum);
    auto picker = ui::ImagePickerController::visiblePicker();
    ASSERT_TRUE(picker);
    EXPECT_FALSE(panelUp());
    picker->cancel(); // nothing changes, and the panel comes back
    advance(1);
    EXPECT_EQ(photo()->pixelWidth(), 375);
    EXPECT_TRUE(panelUp());

    tapCommand(*doodle->drawView(), DWDrawSettingBoard::OpenAlbum);
    ASSERT_TRUE(ui::ImagePickerController::visiblePicker());
    EXPECT_TRUE(ui::ImagePickerController::visiblePicker()->pickPhotoAtPath(beach));
    EXPECT_EQ(photo()->pixelWidth(), 300) << "the photo changes at once";
    advance(1);
    EXPECT_TRUE(panelUp());
    EXPECT_EQ(doodle->drawView()->drawBoard()->paths().size(), 1u);

    // No camera: nothing opens and the panel stays away; with one, its picture comes in.
    tapCommand(*doodle->drawView(), DWDrawSettingBoard::OpenCamera);
    EXPECT_FALSE(ui::ImagePickerController::visiblePicker());
    EXPECT_FALSE(panelUp());
    ui::ImagePickerController::setCaptureDevice([] { return plainImage(120, 90, kOpaqueRed); });
    tapCommand(*doodle->drawView(), DWDrawSettingBoard::OpenCamera);
    ASSERT_TRUE(ui::ImagePickerController::visiblePicker());
    ui::ImagePickerController::visiblePicker()->pickImage(plainImage(120, 90, kOpaqueRed));
    advance(1);
    EXPECT_EQ(photo()->pixelWidth(), 120);
    EXPECT_TRUE(panelUp());
    EXPECT_EQ(doodle->drawView()->drawBoard()->paths().size(), 1u);
}

TEST_F(MosaicScreenTest, TheNewestAlbumPictureIsFetchedWhenThereIsOne)
{
    auto fetch = [this] {
        WJAssetPtr answer;
        int calls = 0;
        WJPhotoTool::latestAsset([&](const WJAssetPtr& asset) { answer = asset, ++calls; });
        EXPECT_EQ(calls, 0) << "the library answers later";
        advance(0);
        EXPECT_EQ(calls, 1);
        return answer;
    };
    EXPECT_FALSE(fetch()) << "no album folder";
    std::filesystem::create_directories(album);
    EXPECT_FALSE(fetch()) << "an empty album";

    addAlbumPicture("b-earlier.png", plainPixels(20, 10, kOpaqueRed), 5);
    addAlbumPicture("a-later.png", plainPixels(30, 10, kOpaqueBlue), 4);
    auto newest = fetch();
    ASSERT_TRUE(newest);
    EXPECT_EQ(newest->image->pixelWidth(), 30);
    EXPECT_NEAR(newest->creationTimeInterval, double(std::time(nullptr)) - 4, 2);

    { std::ofstream broken(album / "c-broken.png", std::ios::binary); broken << "\x89PNG\r\n\x1a\n but no picture"; }
    EXPECT_FALSE(fetch()) << "the newest picture cannot be read";
}
