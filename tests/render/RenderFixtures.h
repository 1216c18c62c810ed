#pragma once
#include <memory>
#include <string>
#include <vector>

#include "chat/records/QYChatModel.h"
#include "coding/Collection.h"
#include "platform/Locale.h"
#include "render/RIRingTabelViewCell.h"
#include "render/RIRingTableView.h"
#include "support/PhoneTest.h"
#include "ui/Window.h"
#include "ui/graphics/Image.h"

// Records as the chat screen makes them, and a list on a phone screen with an
// owner that writes down everything it hears.
namespace fixtures {

// 2016-11-24 14:26:40 in Shanghai.
constexpr double kMoment = 1479968800.0;

inline std::shared_ptr<QYChatModel> message(int type, bool isSend, bool showTime = false, int styleType = 1)
{
    auto m = QYChatModel::make();
    m->setType(type);
    m->setIsSend(isSend);
    m->setIsShowDateTime(showTime);
    m->setStyleType(styleType);
    m->setCreatDate(coding::Date::make(kMoment));
    return m;
}

inline std::shared_ptr<QYChatModel> text(const std::string& context, bool isSend, bool showTime = false, int styleType = 1)
{
    auto m = message(QYChatModel::Text, isSend, showTime, styleType);
    m->setContext(coding::String::make(context));
    return m;
}

inline std::shared_ptr<QYChatModel> voice(double duration, bool isSend, bool showTime = false)
{
    auto m = message(QYChatModel::Voice, isSend, showTime);
    m->setDuration(duration);
    return m;
}

// A JPEG of a picture of the given pixel size, in two colours so that a
// mistaken crop shows.
inline coding::DataPtr jpeg(int width, int height)
{
    platform::PixelBuffer pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.stride = width * 4;
    pixels.pixels.resize(size_t(pixels.stride) * size_t(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &pixels.pixels[size_t(y) * size_t(pixels.stride) + size_t(x) * 4];
            bool left = x < width / 2;
            p[0] = left ? 200 : 40;  // blue
            p[1] = left ? 80 : 160;  // green
            p[2] = left ? 40 : 220;  // red
            p[3] = 255;
        }
    }
    return coding::Data::make(ui::Image::fromPixels(std::move(pixels), 1)->jpegData(1.0));
}

inline std::shared_ptr<QYChatModel> picture(int width, int height, bool isSend, bool showTime = false)
{
    auto m = message(QYChatModel::Image, isSend, showTime);
    if (width > 0 && height > 0)
        m->setImage(jpeg(width, height));
    return m;
}

inline std::shared_ptr<QYChatModel> notice(bool isMeRevoke, std::optional<std::string> nickName, int styleType = 1)
{
    auto m = message(QYChatModel::RecallNotice, true, false, styleType);
    m->setIsMeRevoke(isMeRevoke);
    if (nickName)
        m->setHeNickName(coding::String::make(*nickName));
    return m;
}

struct Event {
    std::string name;
    std::shared_ptr<QYChatModel> clock;
};

} // namespace fixtures

class RingListTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        platform::locale::setTimeZone("Asia/Shanghai");
        window = std::make_shared<ui::Window>(ui::Rect { 0, 0, 375, 667 });
        window->makeKeyAndVisible();
        list = ui::View::make<RIRingTableView>(ui::Rect { 0, 64, 375, 603 });
        list->setSeparatorStyle(ui::TableViewSeparatorStyle::None);
        window->addSubview(list);
        owner = std::make_shared<RIRingTableViewDelegate>();
        owner->bubbleViewPressed = [this](const std::string& name, const ui::UserInfo& info) {
            auto it = info.find("KMESSAGEKEY");
            std::shared_ptr<QYChatModel> clock;
            if (it != info.end())
                clock = std::any_cast<std::shared_ptr<QYChatModel>>(it->second);
            events.push_back({ name, clock });
        };
        owner->headViewPressed = [this](const std::shared_ptr<QYChatModel>& clock) { avatarTaps.push_back(clock); };
        list->setRingTableDelegate(owner);
    }
    void TearDown() override
    {
        ui::MenuController::shared().setMenuVisible(false, false);
        ui::MenuController::shared().setMenuItems({});
        PhoneTest::TearDown();
    }

    void show(std::vector<std::shared_ptr<QYChatModel>> messages)
    {
        std::vector<coding::ObjectPtr> rows(messages.begin(), messages.end());
        list->setDataSour(coding::Collection::mutableArray(std::move(rows)));
        ui::Application::shared().layoutIfNeeded();
    }
    std::shared_ptr<RIRingTabelViewCell> cellAt(int row)
    {
        return std::dynamic_pointer_cast<RIRingTabelViewCell>(list->cellForRow(ui::IndexPath::forRow(row)));
    }
    // A point of a view in screen coordinates.
    static ui::Point onScreen(const ui::View& view, ui::Point local = { -1, -1 })
    {
        ui::Rect b = view.bounds();
        if (local.x < 0)
            local = { b.midX(), b.midY() };
        return view.toWindow(local);
    }
    // A finger held on a point for `seconds`, then lifted.
    void press(ui::Point point, double seconds = 0.6)
    {
        ui::Application::shared().touchDown(point);
        advance(seconds);
        ui::Application::shared().touchUp(point);
        advance(0.3);
    }
    std::vector<std::string> menuTitles() const
    {
        std::vector<std::string> titles;
        if (ui::MenuController::shared().isMenuVisible()) {
            for (auto& item : ui::MenuController::shared().visibleItems())
                titles.push_back(item.title);
        }
        return titles;
    }
    // Taps the menu item with the title.
    void tapMenuItem(const std::string& title)
    {
        auto& menu = ui::MenuController::shared();
        const auto& items = menu.visibleItems();
        ui::Rect frame = menu.menuFrame();
        double width = frame.width() / double(items.size());
        double barMid = menu.arrowPointsDown() ? frame.y() + 18 : frame.maxY() - 18;
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i].title == title) {
                tap({ frame.x() + width * (double(i) + 0.5), barMid });
                advance(0.5);
                return;
            }
        }
        ADD_FAILURE() << "no menu item " << title;
    }

    std::shared_ptr<ui::Window> window;
    std::shared_ptr<RIRingTableView> list;
    std::shared_ptr<RIRingTableViewDelegate> owner;
    std::vector<fixtures::Event> events;
    std::vector<std::shared_ptr<QYChatModel>> avatarTaps;
};
