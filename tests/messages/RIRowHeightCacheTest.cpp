#include "RenderFixtures.h"

#include <functional>
#include <map>

#include "messages/RIRowHeightCache.h"

using namespace fixtures;

namespace {

// A cache whose measuring is counted per record.
struct CountingCache {
    std::map<const QYChatModel*, int> measured;
    RIRowHeightCache cache { [this](const QYChatModel& clock) {
        ++measured[&clock];
        return RIRowHeightCache::measureRow(clock);
    } };
};

} // namespace

// Each input of the height, changed on a record already measured, measures
// that record again and only it; what does not change the height does not.
TEST(RIRowHeightCache, RecordsAreMeasuredAgainOnlyWhenTheirHeightInputsChange)
{
    struct Change {
        const char* what;
        std::function<void(QYChatModel&)> apply;
        bool measuresAgain;
    };
    const std::vector<Change> changes = {
        { "text replaced", [](QYChatModel& m) { m.setContext(coding::String::make("第二行\n第三行")); }, true },
        { "text edited in place", [](QYChatModel& m) { m.context()->setUtf8("a much longer text that wraps onto more lines than before"); }, true },
        { "time label shown", [](QYChatModel& m) { m.setIsShowDateTime(true); }, true },
        { "collected", [](QYChatModel& m) { m.setIsGet(true); }, true },
        { "recalled into a notice", [](QYChatModel& m) { m.setType(QYChatModel::RecallNotice); }, true },
        { "style changed", [](QYChatModel& m) { m.setStyleType(2); }, true },
        { "avatar changed", [](QYChatModel& m) { m.setAvatar(jpeg(8, 8)); }, false },
        { "date changed", [](QYChatModel& m) { m.setCreatDate(coding::Date::make(kMoment + 60)); }, false },
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.what);
        CountingCache counting;
        auto edited = text("一行", true), other = text("一行", false);
        other->setContext(coding::String::make("一行", true));
        edited->setContext(coding::String::make("一行", true));
        double before = counting.cache.heightFor(edited);
        counting.cache.heightFor(other);
        change.apply(*edited);
        double after = counting.cache.heightFor(edited);
        counting.cache.heightFor(other);
        EXPECT_EQ(counting.measured[edited.get()], change.measuresAgain ? 2 : 1);
        EXPECT_EQ(counting.measured[other.get()], 1);
        EXPECT_EQ(after, RIRowHeightCache::measureRow(*edited));
        if (!change.measuresAgain) {
            EXPECT_EQ(after, before);
        }
    }
}

// A record made where a gone one lived is measured as the stranger it is.
TEST(RIRowHeightCache, ANewRecordAtAGoneOnesAddressIsMeasured)
{
    CountingCache counting;
    // Each record dies before the next is made, so the allocator hands its
    // place on; alternate heights show a stale answer.
    for (int attempt = 0; attempt < 50; ++attempt) {
        auto record = attempt % 2 ? text("短", true) : text("一段长长的文字，一段长长的文字，一段长长的文字，一段长长的文字", true);
        EXPECT_EQ(counting.cache.heightFor(record), RIRowHeightCache::measureRow(*record));
    }
    EXPECT_EQ(counting.cache.measurements(), 50u);
    EXPECT_EQ(counting.cache.heightFor(nullptr), 0);
}

// On the list: an edit or a recall measures the one row it touches; an
// avatar change reloads the list without measuring anything.
TEST_F(RingListTest, EditsAndRecallsMeasureOnlyTheRowTheyTouch)
{
    std::vector<std::shared_ptr<QYChatModel>> records;
    for (int i = 0; i < 40; ++i)
        records.push_back(i % 4 == 1 ? redPacket("恭喜发财", i % 2 == 0, false) : text("第" + std::to_string(i) + "条", i % 2 == 0));
    show(records);
    list->scrollToRow(ui::IndexPath::forRow(39), ui::TableViewScrollPosition::Bottom, false);
    ui::Application::shared().layoutIfNeeded();
    size_t measured = list->rowHeights().measurements();

    // A red packet collected: its row grows, measured again.
    auto collected = records[37];
    ASSERT_EQ(collected->type(), QYChatModel::RedPacket);
    collected->setIsGet(true);
    list->reloadCellWithIndexPaths({ ui::IndexPath::forRow(37) });
    ui::Application::shared().layoutIfNeeded();
    EXPECT_EQ(list->rowHeights().measurements(), measured + 1);
    EXPECT_EQ(rowHeight(37), 150);

    // New avatars for every row: drawn again where they were, nothing measured.
    ui::Rect lastRow = list->convertRectTo(cellAt(39)->frame(), window.get());
    for (auto& record : records)
        record->setAvatar(jpeg(10, 10));
    list->reloadData();
    ui::Application::shared().layoutIfNeeded();
    EXPECT_EQ(list->rowHeights().measurements(), measured + 1);
    EXPECT_EQ(list->convertRectTo(cellAt(39)->frame(), window.get()), lastRow);

    // A recall: the owner appends the notice, the only new row measured.
    owner->backOutClockWithClock = [this](const std::shared_ptr<QYChatModel>&, std::function<void(bool)> finished) {
        finished(true);
        list->addRingWithClock(notice(true, "小明"), {});
    };
    press(onScreen(*cellAt(38)->bubbleView()));
    EXPECT_EQ(menuTitles(), (std::vector<std::string> { "删除", "撤回" }));
    tapMenuItem("撤回");
    ui::Application::shared().layoutIfNeeded();
    EXPECT_EQ(list->numberOfRows(), 40);
    EXPECT_EQ(list->clockAt(39)->type(), QYChatModel::RecallNotice);
    EXPECT_EQ(list->rowHeights().measurements(), measured + 2);
}
