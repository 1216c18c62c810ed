#pragma once
// The preset form inside the running app: a scratch store and photo album, the
// home screen as the root of the navigation stack, and the form opened by a
// tap on the home screen's button for the chat type.
#include "support/PhoneTest.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "app/AppDelegate.h"
#include "app/home/HomeRoutes.h"
#include "app/home/ViewController.h"
#include "chat/RecordTestSupport.h"
#include "chat/composer/ChatScreens.h"
#include "chat/composer/QYChatViewController.h"
#include "chat/composer/QYPresetViewController.h"
#include "chat/store/HLObjectValue.h"
#include "platform/Folders.h"
#include "platform/ImageCodec.h"
#include "ui/ActionSheet.h"
#include "ui/DialogButton.h"
#include "ui/ImagePickerController.h"
#include "ui/Keyboard.h"
#include "ui/NavigationController.h"
#include "ui/PhotoGridView.h"

class PresetTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        home = std::make_unique<chattest::TemporaryHome>();
        album = std::filesystem::path(home->path()) / "album";
        std::filesystem::create_directories(album);
        platform::folders::setAlbumFolder(album.string());
    }
    void TearDown() override
    {
        AppDelegate::shared().terminate();
        HomeRoutes::clear();
        ui::ImagePickerController::setCaptureDevice({});
        ui::Keyboard::shared().reset();
        platform::folders::setAlbumFolder({});
        home.reset();
        PhoneTest::TearDown();
    }

    void launch(const char* device = "iphone6")
    {
        useDevice(device);
        ui::Image::clearCache(); // pictures for this phone's scale
        AppDelegate::shared().terminate();
        HomeRoutes::clear();
        registerChatScreens();
        ASSERT_TRUE(AppDelegate::shared().didFinishLaunching());
        ui::Application::shared().layoutIfNeeded();
        navigation = AppDelegate::shared().navigationController();
        homeScreen = std::static_pointer_cast<::ViewController>(navigation->topViewController());
    }
    // Taps the home screen's button for the chat type and waits for the push.
    std::shared_ptr<QYPresetViewController> open(int type)
    {
        tapView(type == 1 ? homeScreen->chatButton() : homeScreen->aliChatButton());
        advance(1);
        ui::Application::shared().layoutIfNeeded();
        auto preset = std::dynamic_pointer_cast<QYPresetViewController>(navigation->topViewController());
        EXPECT_TRUE(preset);
        return preset;
    }
    // Leaves the top screen with the bar's back button.
    void goBack()
    {
        tapView(navigation->navigationBar()->backButton());
        advance(1);
        ui::Application::shared().layoutIfNeeded();
    }

    static ui::Rect onScreen(const std::shared_ptr<ui::View>& view) { return view->convertRectTo(view->bounds(), nullptr); }
    static void tapView(const std::shared_ptr<ui::View>& view)
    {
        ui::Application::shared().layoutIfNeeded();
        tap(onScreen(view).center());
    }

    // Taps the field, replaces its text by typing and presses Done.
    static void typeInto(const std::shared_ptr<ui::TextField>& field, const std::u16string& text)
    {
        tapView(field);
        advance(0.5);
        ASSERT_TRUE(field->isFirstResponder());
        while (!field->text().empty())
            field->deleteBackward();
        field->insertText(text);
        field->insertText(u"\n");
        advance(0.5);
    }

    // The sheet on screen, its button chosen by a tap.
    static void chooseInSheet(int index)
    {
        auto sheet = ui::ActionSheet::visibleSheet();
        ASSERT_TRUE(sheet);
        advance(0.5); // slid up
        tapView(sheet->buttonAtIndex(index));
        advance(0.5);
    }

    // A picture with a gradient and noise, so that a low JPEG quality shows.
    std::string writePhoto(const std::string& name, int width, int height, int seed = 1)
    {
        platform::PixelBuffer image { width, height, width * 4, {} };
        image.pixels.resize(size_t(image.stride) * size_t(height));
        unsigned state = unsigned(seed) * 2654435761u;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                state = state * 1103515245u + 12345u;
                std::uint8_t* p = &image.pixels[size_t(y) * size_t(image.stride) + size_t(x) * 4];
                p[0] = std::uint8_t(x * 255 / width);
                p[1] = std::uint8_t(y * 255 / height);
                p[2] = std::uint8_t(state >> 24);
                p[3] = 0xFF;
            }
        }
        auto path = (album / name).string();
        EXPECT_TRUE(platform::imagecodec::writePng(path, image));
        return path;
    }
    // Picks the album photo in the picker on screen.
    static void pickFromAlbum(const std::string& path)
    {
        advance(1); // the picker slides up
        auto picker = ui::ImagePickerController::visiblePicker();
        ASSERT_TRUE(picker);
        ASSERT_TRUE(picker->pickPhotoAtPath(path));
        advance(1);
    }

    static std::shared_ptr<QYUserModel> stored(const std::string& key)
    {
        return HLObjectValue::hl_objectWithKey<QYUserModel>(key);
    }
    static std::vector<std::uint8_t> bytesOf(const coding::DataPtr& data) { return data ? data->bytes() : std::vector<std::uint8_t> {}; }
    std::shared_ptr<QYChatViewController> chatScreen() const
    {
        return std::dynamic_pointer_cast<QYChatViewController>(navigation->topViewController());
    }

    std::unique_ptr<chattest::TemporaryHome> home;
    std::filesystem::path album;
    std::shared_ptr<ui::NavigationController> navigation;
    std::shared_ptr<::ViewController> homeScreen;
};
