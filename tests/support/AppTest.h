#pragma once
// A test inside the running app: a scratch home and album, the app launched on
// a chosen phone, and helpers that act as the user does.
#include "support/PhoneTest.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/AppDelegate.h"
#include "app/ScreenRoutes.h"
#include "app/home/HomeRoutes.h"
#include "chat/RecordTestSupport.h"
#include "platform/Folders.h"
#include "platform/ImageCodec.h"
#include "ui/ImagePickerController.h"
#include "ui/Keyboard.h"
#include "ui/NavigationController.h"
#include "ui/graphics/Image.h"

class AppTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        home = std::make_unique<chattest::TemporaryHome>();
        album = std::filesystem::path(home->path()) / "album";
        std::filesystem::create_directories(album);
        platform::folders::setAlbumFolder(album.string());
        launch();
    }
    void TearDown() override
    {
        AppDelegate::shared().terminate();
        HomeRoutes::clear();
        ui::ImagePickerController::setCaptureDevice({});
        ui::Keyboard::shared().reset();
        platform::folders::setAlbumFolder({});
        navigation.reset();
        PhoneTest::TearDown();
        home.reset();
    }

    // Starts the app afresh on a phone; SetUp starts it on the iPhone 6.
    void launch(const char* device = "iphone6")
    {
        useDevice(device);
        ui::Image::clearCache(); // pictures for this phone's scale
        AppDelegate::shared().terminate();
        HomeRoutes::clear();
        installScreenRoutes();
        ASSERT_TRUE(AppDelegate::shared().didFinishLaunching());
        ui::Application::shared().layoutIfNeeded();
        navigation = AppDelegate::shared().navigationController();
    }
    static void settle(double seconds = 1)
    {
        advance(seconds);
        ui::Application::shared().layoutIfNeeded();
    }
    static void tapView(const ui::ViewPtr& view)
    {
        ui::Application::shared().layoutIfNeeded();
        tap(view->frameInScreen().center());
    }

    // A PNG in the album with a gradient and noise, so that a low JPEG quality shows.
    std::string albumPhoto(const std::string& name, int width, int height, int seed = 1)
    {
        platform::PixelBuffer image { width, height, width * 4, std::vector<std::uint8_t>(size_t(width) * size_t(height) * 4) };
        unsigned state = unsigned(seed) * 2654435761u;
        for (size_t i = 0; i < image.pixels.size(); i += 4) {
            state = state * 1103515245u + 12345u;
            int x = int(i / 4) % width, y = int(i / 4) / width;
            image.pixels[i] = std::uint8_t(x * 255 / width);
            image.pixels[i + 1] = std::uint8_t(y * 255 / height);
            image.pixels[i + 2] = std::uint8_t(state >> 24);
            image.pixels[i + 3] = 0xFF;
        }
        auto path = (album / name).string();
        EXPECT_TRUE(platform::imagecodec::writePng(path, image));
        return path;
    }
    static std::string nameOf(const ui::ImagePtr& image) { return image ? image->name() : "(none)"; }

    std::unique_ptr<chattest::TemporaryHome> home;
    std::filesystem::path album;
    std::shared_ptr<ui::NavigationController> navigation;
};
