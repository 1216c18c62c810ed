#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chat/records/QYChatModel.h"
#include "coding/Collection.h"
#include "platform/Locale.h"
#include "messages/RIRingTabelViewCell.h"
#include "messages/RIRingTableView.h"
#include "support/PhoneTest.h"
#include "ui/MenuController.h"
#include "ui/Window.h"
#include "ui/graphics/Image.h"

// Records as the chat screen makes them, bubbles as cells place them, and a
// list on a phone screen with an owner that writes down everything it hears.
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

// A red packet as the chat screen makes it: the other side's nickname is 小明,
// the sender's 阿强 (or 我 on the own side).
inline std::shared_ptr<QYChatModel> redPacket(const std::string& greeting, bool isSend, bool isGet, int styleType = 1)
{
    auto m = message(QYChatModel::RedPacket, isSend, false, styleType);
    m->setContext(coding::String::make(greeting));
    m->setRedPac(coding::String::make("¥8.88"));
    m->setIsGet(isGet);
    m->setHeNickName(coding::String::make("小明"));
    m->setNickName(coding::String::make(isSend ? "我" : "阿强"));
    return m;
}

// A transfer (`isTran`) or its receipt, of the amount as typed.
inline std::shared_ptr<QYChatModel> transfer(const std::string& amount, bool isSend, bool isTran, bool isGet, int styleType = 1)
{
    auto m = message(QYChatModel::Transfer, isSend, false, styleType);
    m->setContext(coding::String::make(""));
    m->setRedPac(coding::String::make(amount));
    m->setIsTran(isTran);
    m->setIsGet(isGet);
    m->setHeNickName(coding::String::make("小明"));
    return m;
}

// A JPEG of the given pixel size.
inline coding::DataPtr jpeg(int width, int height)
{
    platform::PixelBuffer pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.stride = width * 4;
    pixels.pixels.assign(size_t(pixels.stride) * size_t(height), 200);
    return coding::Data::make(ui::Image::fromPixels(std::move(pixels), 1)->jpegData(1.0));
}

// No picture at all when a side is zero.
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

// A bubble sized and laid out as its cell does it.
template<typename Bubble>
std::shared_ptr<Bubble> bubbleFor(const std::shared_ptr<QYChatModel>& message, std::shared_ptr<Bubble> bubble = nullptr)
{
    if (!bubble)
        bubble = ui::View::make<Bubble>();
    bubble->setClock(message);
    ui::Size size = bubble->sizeThatFits({});
    bubble->setFrame({ 0, 0, size.width, size.height });
    bubble->layoutIfNeeded();
    return bubble;
}

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
            events.push_back({ name, std::any_cast<std::shared_ptr<QYChatModel>>(info.at("KMESSAGEKEY")) });
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
    double rowHeight(int row) { return list->rectForRow(ui::IndexPath::forRow(row)).height(); }
    // The middle of a view in screen coordinates.
    static ui::Point onScreen(const ui::View& view) { return view.toWindow({ view.bounds().midX(), view.bounds().midY() }); }
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
    std::vector<std::pair<std::string, std::shared_ptr<QYChatModel>>> events; // bubble events heard
    std::vector<std::shared_ptr<QYChatModel>> avatarTaps;
};
