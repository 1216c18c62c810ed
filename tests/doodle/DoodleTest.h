#pragma once
// The doodle view in a phone window, over a scratch album, with helpers that
// draw and read pixels as the user and the album see them.
#include "support/PhoneTest.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "doodle/DWDrawView.h"
#include "platform/ImageCodec.h"
#include "ui/Window.h"

class DoodleTest : public PhoneTest {
protected:
    static constexpr double kTop = 64; // the view sits under the bars, as on its screen

    void SetUp() override;
    void TearDown() override;

    // A doodle view of the screen's width under the bars, in the main window.
    std::shared_ptr<DWDrawView> openView();
    // A finger dragged in a straight line, in the view's coordinates.
    static void stroke(ui::Point from, ui::Point to) { drag({ from.x, from.y + kTop }, { to.x, to.y + kTop }, 6, 0.1); }
    static void tapAt(ui::Point point) { tap({ point.x, point.y + kTop }); }
    // The panel's command button, tapped as a finger would (the panel comes up first).
    void tapCommand(DWDrawView& view, DWDrawSettingBoard::SettingType type);
    static std::vector<std::string> colorsOf(const DWDrawingBoard& board);

    static ui::ImagePtr plainImage(int width, int height, std::uint32_t argb);
    // The newest album picture's pixel under a point of the saved view.
    std::uint32_t savedPixel(ui::Point point);
    std::string newestAlbumFile() const;
    void addAlbumPicture(const std::string& name, const platform::PixelBuffer& pixels, double ageSeconds);

    std::filesystem::path album;
    std::shared_ptr<ui::Window> window;
    std::shared_ptr<DWDrawView> view;
};

constexpr std::uint32_t kOpaqueRed = 0xFFED4040, kOpaqueBlue = 0xFF2040C0;
