#include "RenderFixtures.h"

#include <algorithm>

#include "messages/QYSystemTableViewCell.h"
#include "messages/RITextBubbleView.h"
#include "ui/Renderer.h"

using namespace fixtures;

// Each kind has its row height, 32 more with the time label, and its bubble.
TEST_F(RingListTest, RowsTakeTheHeightAndBubbleOfTheirKind)
{
    auto red = message(QYChatModel::RedPacket, true), transfer = message(QYChatModel::Transfer, true);
    red->setIsGet(true);
    transfer->setIsGet(true); // a transfer keeps its height either way
    struct Row {
        std::shared_ptr<QYChatModel> record;
        double height; // without the time label
        std::string shown;
    };
    const std::vector<Row> rows = {
        { text("一行", true), 65, "RITextBubbleView" }, { voice(3, false), 65, "RIVoiceBubbleView" },
        { notice(false, "小明"), 38, "QYSystemTableViewCell" }, { picture(1000, 500, true), 160, "RIImageBubbleView" },
        { message(QYChatModel::Reserved, false), 69, "RIVoiceBubbleView" }, { red, 150, "RIVideoBubbleView" },
        { message(QYChatModel::RedPacket, false), 107, "RIVideoBubbleView" }, { transfer, 107, "RIVideoBubbleView" },
        { message(QYChatModel::Transfer, false, false, 2), 107, "QYTranBubbleView" }, { message(9, true), 0, "" },
    };
    // Tall enough to show every row at once.
    list->setFrame({ 0, 64, 375, 1400 });
    for (bool showTime : { false, true }) {
        std::vector<std::shared_ptr<QYChatModel>> records;
        for (auto& row : rows) {
            row.record->setIsShowDateTime(showTime);
            records.push_back(row.record);
        }
        show(records);
        ASSERT_EQ(list->numberOfRows(), int(rows.size()));
        for (int i = 0; i < int(rows.size()); ++i) {
            SCOPED_TRACE(std::to_string(i) + (showTime ? " timed" : ""));
            const Row& row = rows[size_t(i)];
            // Notices and unknown kinds never make room for the time label.
            bool timed = showTime && row.record->type() != QYChatModel::RecallNotice && row.height > 0;
            EXPECT_EQ(rowHeight(i), row.height + (timed ? 32 : 0));
            auto cell = list->cellForRow(ui::IndexPath::forRow(i));
            auto bubble = cellAt(i) ? cellAt(i)->bubbleView() : nullptr;
            EXPECT_EQ(bubble ? bubble->className() : cellAt(i) || !cell ? "" : cell->className(), row.shown);
        }
    }
}

TEST_F(RingListTest, TimeLabelAvatarAndBubbleStandOnTheSpeakersSide)
{
    show({ text("你好", true, true), text("你好", false) });
    auto own = cellAt(0), other = cellAt(1);
    EXPECT_FALSE(own->dateTime()->isHidden());
    EXPECT_EQ(own->dateTime()->frame(), (ui::Rect { (375 - 42) / 2.0, 10, 42, 20 }));
    EXPECT_EQ(own->dateTime()->text(), "14:26");
    EXPECT_EQ(own->headView()->frame(), (ui::Rect { 375 - 15 - 40, 43, 40, 40 }));
    EXPECT_EQ(own->bubbleView()->frame().y(), 43);
    EXPECT_EQ(own->bubbleView()->frame().maxX(), 375 - 15 - 40 - 7);

    EXPECT_TRUE(other->dateTime()->isHidden());
    EXPECT_EQ(other->headView()->frame(), (ui::Rect { 15, 13, 40, 40 }));
    EXPECT_EQ(other->bubbleView()->frame().y(), 13);
    EXPECT_EQ(other->bubbleView()->frame().x(), 15 + 40 + 7);
}

// Cells scrolled out come back for other rows and must show only the new row's
// text, side, emoji table and avatar (or the default one).
TEST_F(RingListTest, ReusedCellsShowTheirNewRowsContentStyleAndAvatar)
{
    auto big = jpeg(80, 80), small = jpeg(60, 60);
    std::vector<std::shared_ptr<QYChatModel>> rows;
    for (int i = 0; i < 60; ++i) {
        rows.push_back(text("第" + std::to_string(i) + "条", i % 2 == 0, false, i % 3 == 0 ? 2 : 1));
        if (i % 5)
            rows.back()->setAvatar(i % 5 < 3 ? big : small);
    }
    show(rows);
    list->scrollToRow(ui::IndexPath::forRow(59), ui::TableViewScrollPosition::Bottom, false);
    ui::Application::shared().layoutIfNeeded();
    for (auto& cell : list->visibleCells()) {
        auto ring = std::dynamic_pointer_cast<RIRingTabelViewCell>(cell);
        ASSERT_TRUE(ring);
        auto record = list->clockAt(ring->indexPath().row);
        SCOPED_TRACE(ring->indexPath().row);
        ASSERT_EQ(ring->clock(), record);
        auto label = std::dynamic_pointer_cast<RITextBubbleView>(ring->bubbleView())->textLabel();
        EXPECT_EQ(label->text(), coding::text(record->context()));
        EXPECT_EQ(label->customEmojiPlistName(), record->styleType() == 2 ? "BaseEmotion" : "Emotion");
        EXPECT_EQ(ring->bubbleView()->frame().x() > ring->headView()->frame().x(), !record->isSend());
        auto avatar = ring->headView()->image();
        if (record->avatar())
            EXPECT_EQ(avatar->pixelWidth(), record->avatar() == big ? 80 : 60);
        else
            EXPECT_EQ(avatar, ui::Image::named("QYAvatar.png"));
    }
}

TEST_F(RingListTest, AppendingTellsTheBlockTheRowFadesItInAndScrollsToIt)
{
    std::vector<std::shared_ptr<QYChatModel>> rows;
    for (int i = 0; i < 20; ++i)
        rows.push_back(voice(4, i % 2 == 0));
    show(rows);
    auto shared = list->dataSour();
    auto added = picture(300, 200, true, true);
    std::optional<ui::IndexPath> told;
    list->addRingWithClock(added, [&](const ui::IndexPath& indexPath) { told = indexPath; });
    EXPECT_EQ(told, ui::IndexPath::forRow(20));
    EXPECT_EQ(shared->at(20), added); // the owner's own collection
    advance(1);
    ui::Application::shared().layoutIfNeeded();
    EXPECT_DOUBLE_EQ(list->contentOffset().y, list->maximumOffset().y);
    ASSERT_TRUE(cellAt(20));
    EXPECT_EQ(cellAt(20)->alpha(), 1);
}

TEST_F(RingListTest, LongPressOffersDeleteAndRecallExceptOnMoneyRowsAndNotices)
{
    auto red = message(QYChatModel::RedPacket, false);
    red->setIsGet(true);
    show({ text("文字", true), picture(200, 100, false), voice(5, true), red, message(QYChatModel::Transfer, true),
        notice(true, std::nullopt) });
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        auto cell = cellAt(row);
        ui::View& target = cell->bubbleView() ? *cell->bubbleView() : *cell->contentView();
        // A text's label has a one-second press of its own; past it the row's menu stays.
        press(onScreen(target), row == 0 ? 1.5 : 0.6);
        if (row < 3)
            EXPECT_EQ(menuTitles(), (std::vector<std::string> { "删除", "撤回" }));
        else
            EXPECT_EQ(menuTitles(), (std::vector<std::string> { "删除" }));
        EXPECT_EQ(list->longPressIndexPath(), ui::IndexPath::forRow(row));
        EXPECT_TRUE(cell->isFirstResponder());
        ui::MenuController::shared().setMenuVisible(false, false);
    }
    // Nothing on a notice, for a short press, below the last row or in an empty list.
    press(onScreen(*list->cellForRow(ui::IndexPath::forRow(5))));
    press(onScreen(*cellAt(0)->bubbleView()), 0.3);
    press({ 180, 660 });
    EXPECT_TRUE(menuTitles().empty());
    EXPECT_EQ(list->longPressIndexPath(), ui::IndexPath::forRow(4));
    show({});
    press({ 180, 200 });
    EXPECT_TRUE(menuTitles().empty());
}

TEST_F(RingListTest, DeleteRemovesAtOnceAndRecallWaitsForTheOwner)
{
    auto first = text("one", true), second = voice(2, false), third = picture(20, 20, true);
    show({ first, second, third });
    auto shared = list->dataSour();
    // Without an owner that recalls, recall does nothing.
    press(onScreen(*cellAt(1)->bubbleView()));
    tapMenuItem("撤回");
    EXPECT_EQ(shared->count(), 3u);

    std::shared_ptr<QYChatModel> asked;
    std::function<void(bool)> finish;
    owner->backOutClockWithClock = [&](const std::shared_ptr<QYChatModel>& clock, std::function<void(bool)> finished) {
        asked = clock;
        finish = std::move(finished);
    };
    press(onScreen(*cellAt(1)->bubbleView()));
    tapMenuItem("删除");
    EXPECT_FALSE(asked);
    EXPECT_EQ(shared->elements(), (std::vector<coding::ObjectPtr> { first, third }));
    EXPECT_EQ(list->numberOfRows(), 2);
    EXPECT_FALSE(list->longPressIndexPath());

    press(onScreen(*cellAt(1)->bubbleView()));
    tapMenuItem("撤回");
    EXPECT_EQ(asked, third);
    EXPECT_EQ(list->numberOfRows(), 2);
    ASSERT_TRUE(finish);
    finish(false);
    EXPECT_EQ(shared->elements(), (std::vector<coding::ObjectPtr> { first }));
    EXPECT_EQ(list->numberOfRows(), 1);
    EXPECT_FALSE(list->longPressIndexPath());
    EXPECT_TRUE(events.empty());
}

namespace {

class ChainEnd : public ui::View {
public:
    void routerEventWithName(const std::string&, const ui::UserInfo&) override { ++received; }
    int received = 0;
};

} // namespace

TEST_F(RingListTest, BubbleAndAvatarTapsReachTheOwnerAndGoNoFurther)
{
    auto container = ui::View::make<ChainEnd>();
    container->setFrame(window->bounds());
    window->addSubview(container);
    container->addSubview(list);
    auto t = text("hello", true), v = voice(3, false), p = picture(100, 100, true);
    show({ t, v, p });
    for (int row = 0; row < 3; ++row)
        tap(onScreen(*cellAt(row)->bubbleView()));
    const decltype(events) heard = { { "kRITextBubbleViewTapTextEventName", t },
        { "kRIVoiceBubbleViewTapVoiceEventName", v }, { "kRIBaseBubbleView", p } };
    EXPECT_EQ(events, heard);

    tap(onScreen(*cellAt(1)->headView()));
    tap(onScreen(*cellAt(0)->headView()));
    EXPECT_EQ(avatarTaps, (std::vector<std::shared_ptr<QYChatModel>> { v, t }));
    EXPECT_EQ(events, heard);

    // Without an owner the event is dropped at the list all the same.
    list->setRingTableDelegate({});
    tap(onScreen(*cellAt(0)->bubbleView()));
    EXPECT_EQ(container->received, 0);
}

TEST_F(RingListTest, OwnerMayDropTheListFromInsideAnEvent)
{
    show({ text("bye", false) });
    std::weak_ptr<RIRingTableView> weak = list;
    owner->bubbleViewPressed = [&](const std::string&, const ui::UserInfo&) {
        list->removeFromSuperview();
        list.reset();
    };
    tap(onScreen(*cellAt(0)->bubbleView()));
    ui::Application::shared().layoutIfNeeded();
    EXPECT_TRUE(weak.expired());
}

// One cell bound to notice after notice, as the list reuses it: each takes its
// own text, width and chat style, centred in the row.
TEST_F(RingListTest, NoticeCellShowsWhoRecalledInItsOwnChatsStyle)
{
    struct Case {
        std::shared_ptr<QYChatModel> record;
        std::string text;
        int fontSize;
        double cornerRadius;
    };
    const Case cases[] = {
        { notice(true, "小明", 2), "你撤回了一条消息", 15, 3 },
        { notice(false, "一个很长很长的昵称"), "\"一个很长很长的昵称\" 撤回了一条消息", 14, 5 },
        { notice(false, std::nullopt), "撤回了一条消息", 14, 5 },
        { notice(false, "", 2), "\"\" 撤回了一条消息", 15, 3 },
    };
    auto labelWidth = [](const std::string& text, int fontSize) {
        return QYSystemTableViewCell::measuredTextWidth(text, ui::Font::system(fontSize)) + 20;
    };
    auto cell = ui::View::make<QYSystemTableViewCell>();
    cell->setFrame({ 0, 0, 375, 38 });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        cell->bindWithModel(*c.record);
        cell->layoutIfNeeded();
        auto label = cell->systemMessage();
        EXPECT_EQ(label->text(), c.text);
        EXPECT_EQ(label->font(), ui::Font::system(c.fontSize));
        EXPECT_EQ(label->cornerRadius(), c.cornerRadius);
        EXPECT_DOUBLE_EQ(label->frame().width(), labelWidth(c.text, c.fontSize));
        EXPECT_DOUBLE_EQ(label->frame().midX(), 375.0 / 2);
        EXPECT_EQ(label->frame().y(), 7);
        EXPECT_EQ(label->frame().height(), 24);
    }
    // A very long text is measured at most 320 wide.
    cell->bindWithModel(*notice(false, std::string(60, 'W')));
    cell->layoutIfNeeded();
    EXPECT_GT(cell->systemMessage()->frame().width(), 300);
    EXPECT_LE(cell->systemMessage()->frame().width(), 340);
}

namespace {

// A long conversation of every kind with texts of many lengths.
std::vector<std::shared_ptr<QYChatModel>> longConversation(int count)
{
    const char* texts[] = { "在吗？", "好呀[微笑] 周末见", "周末一起去爬山吧，天气预报说周六是晴天，早上八点在地铁站见面怎么样？",
        "OK", "Long English words wrap at word boundaries inside the bubble, over a few lines of it." };
    std::vector<std::shared_ptr<QYChatModel>> records;
    records.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        bool mine = i % 3 != 0, timed = i % 11 == 0;
        switch (i % 9) {
        case 2:
            records.push_back(voice(1 + i % 30, mine, timed));
            break;
        case 5:
            records.push_back(redPacket("恭喜发财", mine, i % 2 == 0));
            break;
        case 8:
            records.push_back(notice(i % 2 == 0, "小明"));
            break;
        default:
            records.push_back(text(texts[(i / 9 + i) % 5], mine, timed));
        }
    }
    return records;
}

} // namespace

// The rows on screen are laid out as when every row is measured up front, so
// a long chat opened at its end is drawn pixel for pixel as before.
TEST_F(RingListTest, RowsMeasuredLazilyDrawTheSamePixelsAsRowsMeasuredUpFront)
{
    auto records = longConversation(400);
    show(records);
    auto eager = ui::View::make<RIRingTableView>(list->frame());
    eager->setSeparatorStyle(ui::TableViewSeparatorStyle::None);
    eager->setEstimatedRowHeight(0);
    window->addSubview(eager);
    eager->setDataSour(list->dataSour());
    for (int row : { 399, 200, 0 }) {
        SCOPED_TRACE(row);
        for (auto& shown : { list, eager }) {
            shown->scrollToRow(ui::IndexPath::forRow(row), ui::TableViewScrollPosition::Bottom, false);
            shown->layoutIfNeeded();
        }
        // Past the moment the scroll indicators show: they follow the
        // content's length, which is a guess until every row is measured.
        advance(1);
        auto lazyPicture = ui::Renderer::snapshotView(*list), eagerPicture = ui::Renderer::snapshotView(*eager);
        ASSERT_EQ(lazyPicture->pixels().pixels.size(), eagerPicture->pixels().pixels.size());
        EXPECT_TRUE(lazyPicture->pixels().pixels == eagerPicture->pixels().pixels);
    }
}

// A 20,000-message chat opens at its end, scrolls a screen at a time to its
// first row and comes back; each record is measured once on the way.
TEST_F(RingListTest, ALongChatScrollsToItsStartAndBackMeasuringEachRowOnce)
{
    const int count = 20000;
    auto records = longConversation(count);
    show(records);
    list->scrollToRow(ui::IndexPath::forRow(count - 1), ui::TableViewScrollPosition::Bottom, false);
    ui::Application::shared().layoutIfNeeded();
    EXPECT_LT(list->rowHeights().measurements(), 60u);

    auto& app = ui::Application::shared();
    while (list->contentOffset().y > list->minimumOffset().y) {
        double y = std::max(list->minimumOffset().y, list->contentOffset().y - 550);
        list->setContentOffset({ 0, y });
        app.layoutIfNeeded();
    }
    ASSERT_TRUE(cellAt(0));
    EXPECT_EQ(cellAt(0)->frame().y(), 0);
    EXPECT_EQ(list->rowHeights().measurements(), size_t(count));

    // Every row now measured: the content is exactly the sum of the rows.
    double total = 0;
    for (auto& record : records)
        total += RIRowHeightCache::measureRow(*record);
    EXPECT_EQ(list->contentSize().height, total);

    list->scrollToRow(ui::IndexPath::forRow(count - 1), ui::TableViewScrollPosition::Bottom, true);
    advance(0.5);
    app.layoutIfNeeded();
    ASSERT_TRUE(list->cellForRow(ui::IndexPath::forRow(count - 1)));
    EXPECT_EQ(list->cellForRow(ui::IndexPath::forRow(count - 1))->frame().maxY(), list->bounds().maxY());
    EXPECT_EQ(list->rowHeights().measurements(), size_t(count));
}
