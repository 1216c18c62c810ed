#include "ChatScreenTest.h"

#include <chrono>

#include "platform/ImageCodec.h"
#include "render/RIRingTabelViewCell.h"
#include "ui/PhotoGridView.h"

ui::ImagePtr ChatScreenTest::picture(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    platform::PixelBuffer pixels { width, height, width * 4, {} };
    pixels.pixels.resize(std::size_t(pixels.stride) * std::size_t(height));
    for (std::size_t i = 0; i < pixels.pixels.size(); i += 4) {
        pixels.pixels[i] = b;
        pixels.pixels[i + 1] = g;
        pixels.pixels[i + 2] = r;
        pixels.pixels[i + 3] = 255;
    }
    return ui::Image::fromPixels(std::move(pixels), 1);
}

std::string ChatScreenTest::albumPicture(const std::string& name, int width, int height, double secondsAgo)
{
    auto image = picture(width, height, 90, 200, 120);
    auto path = album / name;
    platform::imagecodec::writePng(path.string(), image->pixels());
    std::filesystem::last_write_time(path,
        std::filesystem::file_time_type::clock::now() - std::chrono::seconds(long(secondsAgo)));
    return path.string();
}

void ChatScreenTest::pickFromAlbum(size_t index)
{
    auto picker = ui::ImagePickerController::visiblePicker();
    ASSERT_TRUE(picker);
    auto grid = picker->gridView();
    ASSERT_TRUE(grid);
    ui::Rect cell = grid->convertRectTo(grid->cellRect(index), nullptr);
    tap(cell.center());
    settle();
}

void ChatScreenTest::chooseFromRowMenu(int row, const std::string& title)
{
    auto list = chat->baseTableView();
    list->scrollToRow(ui::IndexPath::forRow(row), ui::TableViewScrollPosition::Middle, false);
    ui::Application::shared().layoutIfNeeded();
    auto cell = std::dynamic_pointer_cast<RIRingTabelViewCell>(list->cellForRow(ui::IndexPath::forRow(row)));
    ASSERT_TRUE(cell && cell->bubbleView());
    ui::Point point = cell->bubbleView()->frameInScreen().center();
    auto& app = ui::Application::shared();
    app.touchDown(point);
    advance(0.6);
    app.touchUp(point);
    advance(0.3);
    auto& menu = ui::MenuController::shared();
    ASSERT_TRUE(menu.isMenuVisible());
    const auto& items = menu.visibleItems();
    ui::Rect frame = menu.menuFrame();
    double width = frame.width() / double(items.size());
    double barMid = menu.arrowPointsDown() ? frame.y() + 18 : frame.maxY() - 18;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].title == title) {
            tap({ frame.x() + width * (double(i) + 0.5), barMid });
            settle();
            return;
        }
    }
    FAIL() << "no menu item " << title;
}
