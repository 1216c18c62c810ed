#include "RenderFixtures.h"

#include "render/QYSystemTableViewCell.h"
#include "render/RIImageBubbleView.h"
#include "render/RIRingTabelViewCell.h"
#include "render/RITextBubbleView.h"
#include "render/RIVoiceBubbleView.h"
#include "ui/MenuController.h"

using namespace fixtures;

TEST_F(RingListTest, RowHeightsFollowTheKindAndTheTimeLabel)
{
    show({ text("一行", true), text("一行", false, true), voice(3, true), voice(3, false, true),
        picture(1000, 500, true), picture(500, 1000, false, true), notice(true, std::nullopt),
        [] { auto n = notice(false, "小明"); n->setIsShowDateTime(true); return n; }(),
        message(9, true), message(9, true, true) });
    const double expected[] = { 65, 97, 65, 97, 160, 192, 38, 38, 0, 0 };
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(list->rectForRow(ui::IndexPath::forRow(row)).height(), expected[row]) << row;
}

TEST_F(RingListTest, MoneyRowsKeepTheirReservedHeights)
{
    auto red = message(QYChatModel::RedPacket, true);
    red->setIsGet(true);
    auto unopened = message(QYChatModel::RedPacket, false, true);
    auto transfer = message(QYChatModel::Transfer, true);
    transfer->setIsGet(true);
    transfer->setIsTran(true);
    show({ red, unopened, transfer, message(QYChatModel::Transfer, false, true) });
    const double expected[] = { 150, 139, 107, 139 };
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(list->rectForRow(ui::IndexPath::forRow(row)).height(), expected[row]) << row;
    EXPECT_FALSE(cellAt(0)->bubbleView());
}

TEST_F(RingListTest, TimeLabelAvatarAndBubblePlacementPerSide)
{
    show({ text("你好", true, true), text("你好", false) });
    auto own = cellAt(0);
    ASSERT_TRUE(own);
    EXPECT_FALSE(own->dateTime()->isHidden());
    EXPECT_EQ(own->dateTime()->frame(), (ui::Rect { (375 - 42) / 2.0, 10, 42, 20 }));
    EXPECT_EQ(own->dateTime()->text(), "14:26");
    EXPECT_EQ(own->headView()->frame(), (ui::Rect { 375 - 15 - 40, 43, 40, 40 }));
    ui::Rect bubble = own->bubbleView()->frame();
    EXPECT_EQ(bubble.y(), 43);
    EXPECT_EQ(bubble.maxX(), 375 - 15 - 40 - 7);

    auto other = cellAt(1);
    EXPECT_TRUE(other->dateTime()->isHidden());
    EXPECT_EQ(other->headView()->frame(), (ui::Rect { 15, 13, 40, 40 }));
    bubble = other->bubbleView()->frame();
    EXPECT_EQ(bubble.y(), 13);
    EXPECT_EQ(bubble.x(), 15 + 40 + 7);
    EXPECT_EQ(list->rectForRow(ui::IndexPath::forRow(0)).height() - list->rectForRow(ui::IndexPath::forRow(1)).height(), 32);
}

TEST_F(RingListTest, CellsCarryTheBubbleOfTheirKindAndAreReusedBySideAndKind)
{
    show({ text("a", true), voice(2, false), picture(10, 10, true), message(QYChatModel::Reserved, false), notice(true, std::nullopt) });
    EXPECT_TRUE(std::dynamic_pointer_cast<RITextBubbleView>(cellAt(0)->bubbleView()));
    EXPECT_TRUE(std::dynamic_pointer_cast<RIVoiceBubbleView>(cellAt(1)->bubbleView()));
    EXPECT_TRUE(std::dynamic_pointer_cast<RIImageBubbleView>(cellAt(2)->bubbleView()));
    EXPECT_TRUE(std::dynamic_pointer_cast<RIVoiceBubbleView>(cellAt(3)->bubbleView()));
    EXPECT_EQ(cellAt(0)->reuseIdentifier(), "MessageCellSenderText");
    EXPECT_EQ(cellAt(1)->reuseIdentifier(), "MessageCellReceiverAudio");
    EXPECT_EQ(cellAt(3)->reuseIdentifier(), "MessageCellReceiverMie");
    auto noticeCell = std::dynamic_pointer_cast<QYSystemTableViewCell>(list->cellForRow(ui::IndexPath::forRow(4)));
    ASSERT_TRUE(noticeCell);
    EXPECT_EQ(noticeCell->reuseIdentifier(), "QYSystemTableViewCell");
    EXPECT_EQ(cellAt(2)->clock(), list->clockAt(2));
    EXPECT_EQ(cellAt(2)->indexPath(), ui::IndexPath::forRow(2));
}

TEST_F(RingListTest, ScrolledCellsAreReboundWithTheirNewRowsContent)
{
    std::vector<std::shared_ptr<QYChatModel>> rows;
    for (int i = 0; i < 60; ++i)
        rows.push_back(text("第" + std::to_string(i) + "条", i % 2 == 0));
    show(rows);
    list->scrollToRow(ui::IndexPath::forRow(59), ui::TableViewScrollPosition::Bottom, false);
    ui::Application::shared().layoutIfNeeded();
    for (auto& cell : list->visibleCells()) {
        auto ring = std::dynamic_pointer_cast<RIRingTabelViewCell>(cell);
        ASSERT_TRUE(ring);
        auto bubble = std::dynamic_pointer_cast<RITextBubbleView>(ring->bubbleView());
        EXPECT_EQ(bubble->textLabel()->text(), coding::text(ring->clock()->context()));
        EXPECT_EQ(ring->clock(), list->clockAt(ring->indexPath().row));
        EXPECT_EQ(ring->clock()->isSend(), ring->reuseIdentifier() == "MessageCellSenderText");
    }
}

TEST_F(RingListTest, AvatarComesFromTheRecordOrTheDefaultPicture)
{
    auto withAvatar = text("a", true);
    withAvatar->setAvatar(jpeg(80, 80));
    show({ withAvatar, text("b", false) });
    EXPECT_EQ(cellAt(0)->headView()->image()->pixelWidth(), 80);
    EXPECT_EQ(cellAt(1)->headView()->image(), ui::Image::named("QYAvatar.png"));
    EXPECT_EQ(cellAt(1)->headView()->contentMode(), ui::ContentMode::ScaleAspectFill);
}

TEST_F(RingListTest, UnknownKindStaysInTheListWithoutABubble)
{
    auto unknown = message(9, true, true);
    show({ text("a", true), unknown });
    EXPECT_EQ(list->numberOfRows(), 2);
    EXPECT_EQ(list->dataSour()->count(), 2u);
    EXPECT_EQ(list->rectForRow(ui::IndexPath::forRow(1)).height(), 0);
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
    // The owner's own collection holds the new record.
    EXPECT_EQ(shared->count(), 21u);
    EXPECT_EQ(shared->at(20), added);
    advance(1);
    ui::Application::shared().layoutIfNeeded();
    EXPECT_DOUBLE_EQ(list->contentOffset().y, list->maximumOffset().y);
    auto cell = cellAt(20);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->alpha(), 1);
    EXPECT_EQ(cell->clock(), added);
}

TEST_F(RingListTest, LongPressOffersDeleteAndRecallExceptOnMoneyRows)
{
    auto red = message(QYChatModel::RedPacket, false);
    red->setIsGet(true);
    show({ text("文字", true), picture(200, 100, false), voice(5, true), red, message(QYChatModel::Transfer, true) });
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        auto cell = cellAt(row);
        ASSERT_TRUE(cell);
        ui::View& target = cell->bubbleView() ? *cell->bubbleView() : *cell->contentView();
        press(onScreen(target));
        if (row < 3)
            EXPECT_EQ(menuTitles(), (std::vector<std::string> { "删除", "撤回" }));
        else
            EXPECT_EQ(menuTitles(), (std::vector<std::string> { "删除" }));
        EXPECT_EQ(list->longPressIndexPath(), ui::IndexPath::forRow(row));
        EXPECT_TRUE(cell->isFirstResponder());
        ui::MenuController::shared().setMenuVisible(false, false);
    }
}

TEST_F(RingListTest, ShortPressesNoticesAndEmptyListsOpenNoMenu)
{
    show({ notice(true, std::nullopt), text("a", false) });
    press(onScreen(*list->cellForRow(ui::IndexPath::forRow(0))));
    EXPECT_TRUE(menuTitles().empty());
    press(onScreen(*cellAt(1)->bubbleView()), 0.3);
    EXPECT_TRUE(menuTitles().empty());
    EXPECT_FALSE(list->longPressIndexPath());
    // Below the last row.
    press({ 180, 600 });
    EXPECT_TRUE(menuTitles().empty());

    show({});
    press({ 180, 200 });
    EXPECT_TRUE(menuTitles().empty());
}

TEST_F(RingListTest, DeleteFromTheMenuRemovesTheRecordAndTheRowWithoutTellingTheOwner)
{
    bool asked = false;
    owner->backOutClockWithClock = [&](const std::shared_ptr<QYChatModel>&, std::function<void(bool)>) { asked = true; };
    auto first = text("one", true), second = voice(2, false), third = picture(20, 20, true);
    show({ first, second, third });
    auto shared = list->dataSour();
    press(onScreen(*cellAt(1)->bubbleView()));
    tapMenuItem("删除");
    EXPECT_FALSE(asked);
    ASSERT_EQ(shared->count(), 2u);
    EXPECT_EQ(shared->at(0), first);
    EXPECT_EQ(shared->at(1), third);
    EXPECT_EQ(list->numberOfRows(), 2);
    EXPECT_FALSE(list->longPressIndexPath());
    EXPECT_TRUE(events.empty());
}

TEST_F(RingListTest, DeletingTheLastRowLeavesAnEmptyList)
{
    show({ text("only", false) });
    press(onScreen(*cellAt(0)->bubbleView()));
    tapMenuItem("删除");
    EXPECT_EQ(list->numberOfRows(), 0);
    EXPECT_EQ(list->dataSour()->count(), 0u);
    press({ 100, 100 });
    EXPECT_TRUE(menuTitles().empty());
}

TEST_F(RingListTest, RecallWaitsForTheOwnersCompletionBeforeRemovingTheRow)
{
    std::shared_ptr<QYChatModel> asked;
    std::function<void(bool)> finish;
    owner->backOutClockWithClock = [&](const std::shared_ptr<QYChatModel>& clock, std::function<void(bool)> finished) {
        asked = clock;
        finish = std::move(finished);
    };
    auto recalled = text("说错了", true);
    show({ text("a", false), recalled });
    press(onScreen(*cellAt(1)->bubbleView()));
    tapMenuItem("撤回");
    EXPECT_EQ(asked, recalled);
    EXPECT_EQ(list->dataSour()->count(), 2u);
    ASSERT_TRUE(finish);
    finish(false);
    EXPECT_EQ(list->dataSour()->count(), 1u);
    EXPECT_EQ(list->numberOfRows(), 1);
    EXPECT_FALSE(list->longPressIndexPath());
    // The owner appends the notice itself.
    list->addRingWithClock(notice(true, std::nullopt), {});
    EXPECT_EQ(list->numberOfRows(), 2);
}

TEST_F(RingListTest, RecallDoesNothingWhenTheOwnerDoesNotImplementIt)
{
    show({ text("a", false), voice(3, true) });
    press(onScreen(*cellAt(1)->bubbleView()));
    tapMenuItem("撤回");
    EXPECT_EQ(list->dataSour()->count(), 2u);
    EXPECT_EQ(list->longPressIndexPath(), ui::IndexPath::forRow(1));
}

TEST_F(RingListTest, BubbleTapsEndAtTheListAndReachTheOwner)
{
    auto t = text("hello", true), v = voice(3, false), p = picture(100, 100, true);
    show({ t, v, p });
    tap(onScreen(*cellAt(0)->bubbleView()));
    tap(onScreen(*cellAt(1)->bubbleView()));
    tap(onScreen(*cellAt(2)->bubbleView()));
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].name, "kRITextBubbleViewTapTextEventName");
    EXPECT_EQ(events[0].clock, t);
    EXPECT_EQ(events[1].name, "kRIVoiceBubbleViewTapVoiceEventName");
    EXPECT_EQ(events[1].clock, v);
    EXPECT_EQ(events[2].name, "kRIBaseBubbleView");
    EXPECT_EQ(events[2].clock, p);
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
    EXPECT_FALSE(list);
    ui::Application::shared().layoutIfNeeded();
    EXPECT_TRUE(weak.expired());
}

TEST_F(RingListTest, AvatarTapsReachTheOwnerWithTheRowsMessage)
{
    auto mine = text("me", true), theirs = picture(10, 10, false);
    show({ mine, theirs });
    tap(onScreen(*cellAt(1)->headView()));
    tap(onScreen(*cellAt(0)->headView()));
    ASSERT_EQ(avatarTaps.size(), 2u);
    EXPECT_EQ(avatarTaps[0], theirs);
    EXPECT_EQ(avatarTaps[1], mine);
    EXPECT_TRUE(events.empty());
}

TEST_F(RingListTest, ResendAndVideoPlaysReachTheOwnerOnlyWhenImplemented)
{
    auto m = voice(2, true);
    show({ m, text("x", false) });
    cellAt(0)->repeatAction(); // not implemented: nothing happens
    std::optional<ui::IndexPath> resent;
    owner->repeatSendClock = [&](const std::shared_ptr<QYChatModel>& clock, const ui::IndexPath& indexPath, std::function<void(bool)> finished) {
        EXPECT_EQ(clock, m);
        resent = indexPath;
        finished(true);
    };
    cellAt(0)->repeatAction();
    EXPECT_EQ(resent, ui::IndexPath::forRow(0));

    list->videoCellPlayVideoPressed(m); // not implemented
    std::shared_ptr<QYChatModel> played;
    owner->playVideoWithClock = [&](const std::shared_ptr<QYChatModel>& clock, std::function<void(const std::shared_ptr<QYChatModel>&)> finished) {
        played = clock;
        finished(clock);
    };
    list->videoCellPlayVideoPressed(m);
    EXPECT_EQ(played, m);
    ui::Application::shared().layoutIfNeeded();
    EXPECT_EQ(cellAt(0)->clock(), m);
}

TEST_F(RingListTest, HeightQueryNeedsNoCell)
{
    EXPECT_EQ(RIRingTabelViewCell::heightForRowAtIndexPath(*list, ui::IndexPath::forRow(0), *text("x", true, true)), 97);
    EXPECT_EQ(RIRingTabelViewCell::rowHeightForMessage(*voice(1, false)), 65);
    EXPECT_EQ(RIRingTabelViewCell::rowHeightForMessage(*picture(1, 1, true, true)), 192);
    EXPECT_EQ(RIBaseTableViewCell::heightForRowAtIndexPath(*list, ui::IndexPath::forRow(0), *text("x", true)), 40);
}

TEST_F(RingListTest, HoldingATextPastOneSecondKeepsTheRowsMenu)
{
    show({ text("长按这里", false) });
    // The text label has a one-second press of its own; the list's half-second
    // press has the gesture by then.
    press(onScreen(*cellAt(0)->bubbleView()), 1.5);
    EXPECT_EQ(menuTitles(), (std::vector<std::string> { "删除", "撤回" }));
    EXPECT_TRUE(cellAt(0)->isFirstResponder());
}

TEST_F(RingListTest, ReboundCellShowsEachRecordsOwnAvatar)
{
    auto first = text("a", true), second = text("b", true), third = text("c", true);
    first->setAvatar(jpeg(80, 80));
    second->setAvatar(jpeg(60, 60));
    auto cell = ui::View::make<RIRingTabelViewCell>(first, "MessageCellSenderText");
    cell->setFrame({ 0, 0, 375, 65 });
    cell->bindWithObject(first, ui::IndexPath::forRow(0));
    EXPECT_EQ(cell->headView()->image()->pixelWidth(), 80);
    cell->bindWithObject(second, ui::IndexPath::forRow(1));
    EXPECT_EQ(cell->headView()->image()->pixelWidth(), 60);
    cell->bindWithObject(third, ui::IndexPath::forRow(2));
    EXPECT_EQ(cell->headView()->image(), ui::Image::named("QYAvatar.png"));
    cell->bindWithObject(first, ui::IndexPath::forRow(0));
    EXPECT_EQ(cell->headView()->image()->pixelWidth(), 80);
}

namespace {

class ChainEnd : public ui::View {
public:
    void routerEventWithName(const std::string&, const ui::UserInfo&) override { ++received; }
    int received = 0;
};

} // namespace

TEST_F(RingListTest, EventsGoNoFurtherThanTheList)
{
    auto container = ui::View::make<ChainEnd>();
    container->setFrame(window->bounds());
    window->addSubview(container);
    container->addSubview(list);
    show({ text("hi", false), voice(2, true) });
    tap(onScreen(*cellAt(0)->bubbleView()));
    tap(onScreen(*cellAt(1)->bubbleView()));
    EXPECT_EQ(events.size(), 2u);
    EXPECT_EQ(container->received, 0);
    // Without an owner the event is dropped at the list all the same.
    list->setRingTableDelegate({});
    tap(onScreen(*cellAt(0)->bubbleView()));
    EXPECT_EQ(container->received, 0);
}
