#include "support/PhoneTest.h"

#include "DrawnPixels.h"

#include "ui/Label.h"
#include "ui/Renderer.h"
#include "ui/TableView.h"
#include "ui/Window.h"

using namespace ui;
using drawn::colorAt;

namespace {

// A cell that remembers the row it was bound to, to catch stale reuse.
class RowCell : public TableViewCell {
public:
    using TableViewCell::TableViewCell;
    void prepareForReuse() override
    {
        TableViewCell::prepareForReuse();
        ++reuses;
        boundRow = -1;
    }
    int boundRow = -1;
    int reuses = 0;
};

} // namespace

class TableViewTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        window = std::make_shared<Window>(Rect { 0, 0, 375, 667 });
        window->makeKeyAndVisible();
        table = View::make<TableView>(Rect { 0, 0, 375, 600 });
        window->addSubview(table);
        for (int i = 0; i < 20; ++i)
            rows.push_back("row " + std::to_string(i));
        table->numberOfRowsInSection = [this](TableView&, int) { return int(rows.size()); };
        table->cellForRowAtIndexPath = [this](TableView& t, const IndexPath& indexPath) {
            auto cell = std::static_pointer_cast<RowCell>(t.dequeueReusableCell("Row"));
            if (!cell) {
                cell = View::make<RowCell>("Row");
                ++made;
            }
            cell->textLabel()->setText(rows[size_t(indexPath.row)]);
            cell->boundRow = indexPath.row;
            return cell;
        };
    }

    std::string textOf(const TableViewCellPtr& cell) { return cell ? cell->textLabel()->text().value_or("") : "<none>"; }

    // Every cell on screen shows the row it sits at, and sits where that row is.
    // Without updates in between, each was also bound last for that very row.
    void expectCellsShowTheirRows(bool boundHere = false)
    {
        for (auto& cell : table->visibleCells()) {
            auto indexPath = table->indexPathForCell(*cell);
            ASSERT_TRUE(indexPath);
            EXPECT_EQ(textOf(cell), rows[size_t(indexPath->row)]);
            if (boundHere) {
                EXPECT_EQ(std::static_pointer_cast<RowCell>(cell)->boundRow, indexPath->row);
            }
            EXPECT_EQ(cell->frame(), table->rectForRow(*indexPath));
        }
    }

    size_t liveCells() const
    {
        size_t count = 0;
        for (auto& view : table->subviews())
            count += dynamic_cast<TableViewCell*>(view.get()) != nullptr;
        return count;
    }

    std::shared_ptr<Window> window;
    TableViewPtr table;
    std::vector<std::string> rows;
    int made = 0;
};

TEST_F(TableViewTest, TenThousandRowsScrollWithBoundedReusedCellsEachShowingItsRow)
{
    rows.clear();
    for (int i = 0; i < 10000; ++i)
        rows.push_back("row " + std::to_string(i));
    table->heightForRowAtIndexPath = [](TableView&, const IndexPath& indexPath) { return 30.0 + indexPath.row % 4 * 10; };
    table->reloadData();
    double total = 0;
    for (int i = 0; i < 10000; ++i)
        total += 30.0 + i % 4 * 10;
    EXPECT_DOUBLE_EQ(table->contentSize().height, total);

    // Down the whole table in uneven steps, then a few long jumps back up.
    size_t mostLive = 0;
    for (double y = 0; y < total - 600; y += 97) {
        table->setContentOffset({ 0, y });
        expectCellsShowTheirRows(true);
        mostLive = std::max(mostLive, liveCells());
    }
    for (double y : { 1000.0, 250000.0, 0.0, total - 600 }) {
        table->setContentOffset({ 0, y });
        expectCellsShowTheirRows(true);
        mostLive = std::max(mostLive, liveCells());
    }
    // 600 points of 30-point rows, the margin and one spare set for reuse.
    EXPECT_LE(made, 30);
    EXPECT_LE(mostLive, 60u);
    EXPECT_FALSE(table->visibleCells().empty());
    EXPECT_EQ(table->indexPathsForVisibleRows().back().row, 9999);
}

TEST_F(TableViewTest, RowGeometryFollowsHeightsHeaderAndFooter)
{
    table->heightForRowAtIndexPath = [](TableView&, const IndexPath& indexPath) { return indexPath.row == 3 ? 0.0 : 40.0 + indexPath.row; };
    table->setTableHeaderView(View::make<View>(Rect { 0, 0, 10, 50 }));
    table->setTableFooterView(View::make<View>(Rect { 0, 0, 10, 30 }));
    table->reloadData();
    double y = 50;
    for (int row = 0; row < 20; ++row) {
        Rect r = table->rectForRow(IndexPath::forRow(row));
        EXPECT_DOUBLE_EQ(r.y(), y);
        EXPECT_DOUBLE_EQ(r.width(), 375);
        if (r.height() > 0) {
            EXPECT_EQ(table->indexPathForRow({ 100, r.midY() }), IndexPath::forRow(row));
            EXPECT_EQ(table->indexPathForRow({ 100, r.y() }), IndexPath::forRow(row));
        }
        y += r.height();
    }
    EXPECT_DOUBLE_EQ(table->contentSize().height, y + 30);
    EXPECT_EQ(table->tableFooterView()->frame().y(), y);
    EXPECT_FALSE(table->indexPathForRow({ 100, 20 })); // the header
    EXPECT_FALSE(table->indexPathForRow({ 100, y + 5 })); // the footer
    EXPECT_FALSE(table->cellForRow(IndexPath::forRow(19))); // off screen
    EXPECT_TRUE(table->cellForRow(IndexPath::forRow(2)));
    EXPECT_FALSE(table->cellForRow(IndexPath::forRow(20)));
}

TEST_F(TableViewTest, InsertFadesTheNewRowInWhileRowsBelowSlideDown)
{
    table->layoutIfNeeded();
    auto below = table->cellForRow(IndexPath::forRow(2));
    rows.insert(rows.begin() + 2, "new");
    table->insertRows({ IndexPath::forRow(2) }, TableViewRowAnimation::Fade);

    auto inserted = table->cellForRow(IndexPath::forRow(2));
    ASSERT_TRUE(inserted);
    EXPECT_EQ(textOf(inserted), "new");
    EXPECT_EQ(table->cellForRow(IndexPath::forRow(3)), below); // the same cell, renumbered
    EXPECT_NEAR(inserted->presentationAlpha(), 0, 0.01);
    EXPECT_NEAR(below->presentationCenter().y, 2 * 44 + 22, 0.01); // still at its old place

    advance(0.15);
    EXPECT_GT(inserted->presentationAlpha(), 0.2);
    EXPECT_LT(inserted->presentationAlpha(), 0.8);
    EXPECT_GT(below->presentationCenter().y, 2 * 44 + 22 + 5);
    EXPECT_LT(below->presentationCenter().y, 3 * 44 + 22 - 5);

    advance(0.2);
    EXPECT_DOUBLE_EQ(inserted->presentationAlpha(), 1);
    EXPECT_DOUBLE_EQ(below->presentationCenter().y, 3 * 44 + 22);
    expectCellsShowTheirRows();
    EXPECT_DOUBLE_EQ(table->contentSize().height, 21 * 44);
}

TEST_F(TableViewTest, DeleteFadesTheRowOutAndPoolsItsCell)
{
    table->layoutIfNeeded();
    auto doomed = table->cellForRow(IndexPath::forRow(1));
    auto below = table->cellForRow(IndexPath::forRow(2));
    size_t pooled = table->reusableCellCount();
    rows.erase(rows.begin() + 1);
    table->deleteRows({ IndexPath::forRow(1) }, TableViewRowAnimation::Fade);

    EXPECT_EQ(table->cellForRow(IndexPath::forRow(1)), below);
    EXPECT_FALSE(doomed->isHidden()); // still fading where it was
    advance(0.15);
    EXPECT_GT(doomed->presentationAlpha(), 0.2);
    EXPECT_LT(doomed->presentationAlpha(), 0.8);
    EXPECT_LT(below->presentationCenter().y, 2 * 44 + 22 - 5);
    EXPECT_GT(below->presentationCenter().y, 44 + 22 + 5);

    advance(0.3);
    EXPECT_TRUE(doomed->isHidden());
    EXPECT_DOUBLE_EQ(below->presentationCenter().y, 44 + 22);
    EXPECT_GE(table->reusableCellCount(), pooled + 1);
    expectCellsShowTheirRows();
    // The pooled cell comes back bound to its new row, not showing "row 1".
    table->setContentOffset({ 0, 300 });
    expectCellsShowTheirRows();
}

TEST_F(TableViewTest, BatchOfDeletesInsertsAndReloadsEndsInTheRightPlaces)
{
    table->setContentOffset({ 0, 44 * 3 });
    table->layoutIfNeeded();
    // Old numbering for deletes and reloads, new numbering for inserts.
    table->performBatchUpdates([&] {
        rows.erase(rows.begin() + 4);
        rows.erase(rows.begin() + 5); // old row 6
        rows[6] = "reloaded"; // old row 8
        rows.insert(rows.begin() + 3, "a");
        rows.insert(rows.begin() + 9, "b");
        table->deleteRows({ IndexPath::forRow(6), IndexPath::forRow(4) }, TableViewRowAnimation::Fade);
        table->reloadRows({ IndexPath::forRow(8) }, TableViewRowAnimation::Fade);
        table->insertRows({ IndexPath::forRow(3), IndexPath::forRow(9) }, TableViewRowAnimation::Fade);
    });
    advance(0.5);
    EXPECT_EQ(table->numberOfRows(), 20);
    expectCellsShowTheirRows();
    EXPECT_EQ(textOf(table->cellForRow(IndexPath::forRow(7))), "reloaded");

    // A count that does not add up is answered with a full reload, not a crash.
    rows.push_back("extra");
    rows.push_back("extra 2");
    table->insertRows({ IndexPath::forRow(20) }, TableViewRowAnimation::Fade);
    EXPECT_EQ(table->numberOfRows(), 22);
    expectCellsShowTheirRows();
}

TEST_F(TableViewTest, ReloadWithoutAnimationRebindsAtOnceWithAReusedCell)
{
    table->layoutIfNeeded();
    auto cell = std::static_pointer_cast<RowCell>(table->cellForRow(IndexPath::forRow(0)));
    rows[0] = "changed";
    table->reloadRows({ IndexPath::forRow(0) }, TableViewRowAnimation::None);
    auto now = std::static_pointer_cast<RowCell>(table->cellForRow(IndexPath::forRow(0)));
    EXPECT_EQ(textOf(now), "changed");
    EXPECT_EQ(now, cell);
    EXPECT_EQ(now->reuses, 1);
    EXPECT_DOUBLE_EQ(now->presentationAlpha(), 1);

    rows.assign(3, "short");
    table->setContentOffset({ 0, 400 });
    table->reloadData();
    EXPECT_EQ(table->contentOffset().y, table->minimumOffset().y);
    EXPECT_EQ(table->visibleCells().size(), 3u);
}

TEST_F(TableViewTest, ScrollToRowPlacesItAndStaysInsideTheContent)
{
    rows.resize(40, "more");
    table->scrollToRow(IndexPath::forRow(10), TableViewScrollPosition::Top, false);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, 440);
    table->scrollToRow(IndexPath::forRow(10), TableViewScrollPosition::Middle, false);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, 440 + 22 - 300);
    table->scrollToRow(IndexPath::forRow(19), TableViewScrollPosition::Top, false);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, 19 * 44);
    table->scrollToRow(IndexPath::forRow(39), TableViewScrollPosition::Top, false);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, 40 * 44 - 600); // no further than the end
    table->scrollToRow(IndexPath::forRow(0), TableViewScrollPosition::Bottom, true);
    EXPECT_GT(table->contentOffset().y, 0);
    advance(0.5);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, 0);

    // Insets shrink the area the row is placed in (a bar above, a toolbar below).
    table->setContentInset({ 64, 0, 50, 0 });
    table->scrollToRow(IndexPath::forRow(10), TableViewScrollPosition::Top, false);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, 440 - 64);
    table->scrollToRow(IndexPath::forRow(10), TableViewScrollPosition::Middle, false);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, 440 + 22 - 64 - (600 - 64 - 50) / 2.0);
    table->scrollToRow(IndexPath::forRow(12), TableViewScrollPosition::Bottom, false);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, 12 * 44 + 44 + 50 - 600);
    table->scrollToRow(IndexPath::forRow(2), TableViewScrollPosition::Bottom, false);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, -64); // not above the top
    table->setContentInset({});

    // A short list does not move at all.
    rows.resize(3);
    table->reloadData();
    table->scrollToRow(IndexPath::forRow(2), TableViewScrollPosition::Bottom, false);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, 0);
}

// The message list's way of adding a message: insert the last row with a fade
// inside a batch, then scroll it to the bottom, animated.
TEST_F(TableViewTest, AppendingAndScrollingToTheBottomShowsTheNewLastRow)
{
    table->layoutIfNeeded();
    for (int i = 0; i < 5; ++i) {
        rows.push_back("message " + std::to_string(i));
        IndexPath last = IndexPath::forRow(int(rows.size()) - 1);
        table->beginUpdates();
        table->insertRows({ last }, TableViewRowAnimation::Fade);
        table->endUpdates();
        table->scrollToRow(last, TableViewScrollPosition::Bottom, true);
        advance(0.1);
        Application::shared().layoutIfNeeded();
    }
    advance(1);
    Application::shared().layoutIfNeeded();
    auto cell = table->cellForRow(IndexPath::forRow(24));
    ASSERT_TRUE(cell);
    EXPECT_EQ(textOf(cell), "message 4");
    EXPECT_DOUBLE_EQ(cell->presentationAlpha(), 1);
    EXPECT_DOUBLE_EQ(cell->frame().maxY(), table->bounds().maxY());
    expectCellsShowTheirRows();
}

TEST_F(TableViewTest, TapHighlightsThenSelectsAndADragCancelsTheHighlight)
{
    std::vector<int> selected;
    table->didSelectRowAtIndexPath = [&](TableView&, const IndexPath& indexPath) { selected.push_back(indexPath.row); };
    table->layoutIfNeeded();
    auto cell = table->cellForRow(IndexPath::forRow(3));
    auto& app = Application::shared();
    app.touchDown({ 100, 3 * 44 + 10 });
    EXPECT_FALSE(cell->isHighlighted()); // not before the finger rests
    advance(0.2);
    EXPECT_TRUE(cell->isHighlighted());
    EXPECT_TRUE(selected.empty());
    app.touchUp({ 100, 3 * 44 + 10 });
    EXPECT_EQ(selected, std::vector<int> { 3 });
    EXPECT_FALSE(cell->isHighlighted());
    EXPECT_TRUE(cell->isSelected());
    EXPECT_EQ(table->indexPathForSelectedRow(), IndexPath::forRow(3));
    table->deselectRow(IndexPath::forRow(3), true);
    EXPECT_FALSE(cell->isSelected());

    auto other = table->cellForRow(IndexPath::forRow(6));
    app.touchDown({ 100, 6 * 44 + 10 });
    advance(0.2);
    EXPECT_TRUE(other->isHighlighted());
    for (int i = 1; i <= 5; ++i) {
        advance(0.02);
        app.touchMove({ 100, 6 * 44 + 10 - 10.0 * i });
    }
    EXPECT_FALSE(other->isHighlighted());
    app.touchUp({ 100, 6 * 44 - 40 });
    EXPECT_EQ(selected.size(), 1u);
    EXPECT_FALSE(table->indexPathForSelectedRow());

    // A scroll that starts at once never lights a row up.
    bool lit = false;
    auto look = [&] {
        for (auto& visible : table->visibleCells())
            lit = lit || visible->isHighlighted();
    };
    app.touchDown({ 100, 8 * 44 + 10 });
    look();
    for (int i = 1; i <= 10; ++i) {
        advance(0.02);
        app.touchMove({ 100, 8 * 44 + 10 - 10.0 * i });
        look();
    }
    app.touchUp({ 100, 8 * 44 - 90 });
    advance(1);
    look();
    EXPECT_FALSE(lit);
    EXPECT_EQ(selected.size(), 1u);
}

TEST_F(TableViewTest, SelectionCallbacksMayDeleteReloadOrReleaseTheTable)
{
    table->layoutIfNeeded();
    table->didSelectRowAtIndexPath = [&](TableView& t, const IndexPath& indexPath) {
        rows.erase(rows.begin() + indexPath.row);
        t.deleteRows({ indexPath }, TableViewRowAnimation::Fade);
    };
    tap({ 100, 44 + 10 });
    advance(0.5);
    EXPECT_EQ(table->numberOfRows(), 19);
    EXPECT_EQ(textOf(table->cellForRow(IndexPath::forRow(1))), "row 2");
    EXPECT_FALSE(table->indexPathForSelectedRow());

    table->didSelectRowAtIndexPath = [&](TableView& t, const IndexPath&) {
        rows.assign(2, "again");
        t.reloadData();
    };
    tap({ 100, 5 * 44 + 10 });
    EXPECT_EQ(table->visibleCells().size(), 2u);

    // The owner lets go of the table from inside the callback.
    std::weak_ptr<TableView> weak = table;
    table->didSelectRowAtIndexPath = [&](TableView& t, const IndexPath&) {
        t.removeFromSuperview();
        table.reset();
    };
    tap({ 100, 10 });
    EXPECT_TRUE(weak.expired());
}

TEST_F(TableViewTest, WillDisplayMayReloadWhileRowsAreBeingTiled)
{
    int displayed = 0;
    bool reloaded = false;
    table->willDisplayCell = [&](TableView& t, TableViewCell&, const IndexPath& indexPath) {
        ++displayed;
        if (indexPath.row == 2 && !reloaded) {
            reloaded = true;
            rows.assign(5, "fresh");
            t.reloadData();
        }
    };
    table->layoutIfNeeded();
    table->layoutIfNeeded();
    EXPECT_TRUE(reloaded);
    EXPECT_EQ(table->visibleCells().size(), 5u);
    expectCellsShowTheirRows();
}

TEST_F(TableViewTest, SeparatorsHighlightAndClearBackgroundAreDrawn)
{
    window->setBackgroundColor(Color::rgb(0, 0, 255));
    table->layoutIfNeeded();
    auto image = Renderer::snapshotView(*table);
    // A one-pixel line at the bottom of each row, inset 15 points on the left.
    Color line = colorAt(*image, 100, 44 - 0.25);
    EXPECT_EQ(line, Color::rgb(200, 199, 204));
    EXPECT_EQ(colorAt(*image, 5, 44 - 0.25), Color::whiteColor());
    EXPECT_EQ(colorAt(*image, 100, 44 - 1), Color::whiteColor());

    table->setSeparatorStyle(TableViewSeparatorStyle::None);
    Application::shared().touchDown({ 100, 60 });
    advance(0.2);
    image = Renderer::snapshotView(*table);
    EXPECT_EQ(colorAt(*image, 100, 44 - 0.25), Color::whiteColor());
    EXPECT_EQ(colorAt(*image, 100, 60), Color::rgb(217, 217, 217)); // the pressed row
    Application::shared().touchCancel();

    // The message list: clear table, clear cells, no selection colour.
    table->setBackgroundColor(Color::clearColor());
    for (auto& cell : table->visibleCells()) {
        cell->setBackgroundColor(Color::clearColor());
        cell->setSelectionStyle(TableViewCellSelectionStyle::None);
    }
    Application::shared().touchDown({ 100, 60 });
    advance(0.2);
    image = Renderer::snapshotScreen();
    EXPECT_EQ(colorAt(*image, 350, 60), Color::rgb(0, 0, 255));
    Application::shared().touchCancel();
}

// The message list: a long press on a row opens its menu, and a tap anywhere
// on the list closes the keyboard; neither selects the row.
TEST_F(TableViewTest, LongPressAndTapRecognizersOnTheTableFindTheirRows)
{
    std::vector<int> selected, pressed;
    int taps = 0;
    table->didSelectRowAtIndexPath = [&](TableView&, const IndexPath& indexPath) { selected.push_back(indexPath.row); };
    auto longPress = std::make_shared<LongPressGestureRecognizer>([&](GestureRecognizer& r) {
        if (r.state() != GestureRecognizer::State::Began)
            return;
        if (auto indexPath = table->indexPathForRow(r.locationIn(table.get())))
            pressed.push_back(indexPath->row);
    });
    longPress->setMinimumPressDuration(0.5);
    table->addGestureRecognizer(longPress);
    table->setContentOffset({ 0, 100 });
    table->layoutIfNeeded();

    auto& app = Application::shared();
    app.touchDown({ 100, 5 * 44 - 100 + 10 });
    advance(0.3);
    EXPECT_TRUE(pressed.empty());
    EXPECT_TRUE(table->cellForRow(IndexPath::forRow(5))->isHighlighted());
    advance(0.3);
    EXPECT_EQ(pressed, std::vector<int> { 5 });
    app.touchUp({ 100, 5 * 44 - 100 + 10 });
    EXPECT_TRUE(selected.empty()); // the press took the touch
    EXPECT_FALSE(table->cellForRow(IndexPath::forRow(5))->isHighlighted());

    auto tapRecognizer = std::make_shared<TapGestureRecognizer>([&](GestureRecognizer&) { ++taps; });
    table->addGestureRecognizer(tapRecognizer);
    tap({ 100, 50 });
    EXPECT_EQ(taps, 1);
    EXPECT_TRUE(selected.empty());

    // Deleting the last remaining rows leaves an empty list that a press ignores.
    rows.clear();
    std::vector<IndexPath> all;
    for (int row = 0; row < 20; ++row)
        all.push_back(IndexPath::forRow(row));
    table->deleteRows(all, TableViewRowAnimation::Fade);
    advance(0.5);
    EXPECT_EQ(table->numberOfRows(), 0);
    EXPECT_TRUE(table->visibleCells().empty());
    EXPECT_DOUBLE_EQ(table->contentOffset().y, 0);
    app.touchDown({ 100, 50 });
    advance(0.6);
    app.touchUp({ 100, 50 });
    EXPECT_EQ(pressed.size(), 1u);
}

// Long lists with an estimated row height: rows are measured as they come
// near the screen, and what is on screen never moves because of it.
class LazyTableViewTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        window = std::make_shared<Window>(Rect { 0, 0, 375, 667 });
        window->makeKeyAndVisible();
    }

    // A table of `count` rows between 20 and 139 points high, far from the
    // 50-point guess either way; estimate 0 measures every row on reload.
    TableViewPtr makeTable(int count, double estimate = 50)
    {
        heights.resize(size_t(count));
        for (int row = 0; row < count; ++row)
            heights[size_t(row)] = 20 + (row * 37) % 120;
        auto made = View::make<TableView>(Rect { 0, 0, 375, 600 });
        made->setEstimatedRowHeight(estimate);
        made->numberOfRowsInSection = [this](TableView&, int) { return int(heights.size()); };
        made->heightForRowAtIndexPath = [this](TableView&, const IndexPath& indexPath) {
            ++asked;
            return heights[size_t(indexPath.row)];
        };
        made->cellForRowAtIndexPath = [](TableView& t, const IndexPath&) {
            auto cell = t.dequeueReusableCell("Row");
            return cell ? cell : View::make<TableViewCell>("Row");
        };
        window->addSubview(made);
        made->reloadData();
        Application::shared().layoutIfNeeded();
        return made;
    }

    // Rows on screen as (row, top relative to the visible bounds), each cell
    // checked to be exactly as high as its row.
    std::vector<std::pair<int, double>> shownRows(TableView& t)
    {
        std::vector<std::pair<int, double>> shown;
        for (auto& cell : t.visibleCells()) {
            int row = t.indexPathForCell(*cell)->row;
            EXPECT_EQ(cell->frame().height(), heights[size_t(row)]) << "row " << row;
            shown.push_back({ row, cell->frame().y() - t.bounds().y() });
        }
        return shown;
    }

    // The row under a point of the table's frame, and how far into it.
    std::pair<int, double> contentUnder(TableView& t, double y)
    {
        double contentY = t.bounds().y() + y;
        auto indexPath = t.indexPathForRow({ 10, contentY });
        if (!indexPath)
            return { -1, 0 };
        return { indexPath->row, contentY - t.rectForRow(*indexPath).y() };
    }

    struct Target {
        int row;
        TableViewScrollPosition position;
    };

    std::shared_ptr<Window> window;
    std::vector<double> heights;
    int asked = 0;
};

TEST_F(LazyTableViewTest, OpeningAskOnlyTheRowsNearTheScreen)
{
    auto table = makeTable(20000);
    // 600 points of rows at least 20 high, and a margin either side.
    EXPECT_LE(asked, 40);
    EXPECT_EQ(shownRows(*table).front(), (std::pair<int, double> { 0, 0 }));

    asked = 0;
    table->scrollToRow(IndexPath::forRow(19999), TableViewScrollPosition::Bottom, false);
    Application::shared().layoutIfNeeded();
    EXPECT_LE(asked, 80);
    auto last = table->cellForRow(IndexPath::forRow(19999));
    ASSERT_TRUE(last);
    EXPECT_EQ(last->frame().maxY(), table->bounds().maxY());
    EXPECT_EQ(table->contentOffset().y, table->maximumOffset().y);
}

// Wherever a scroll lands, the screen shows what a table that measured every
// row shows there: the same rows at the same places. A reload keeps the screen
// where it was, measuring only the rows near it.
TEST_F(LazyTableViewTest, ShowsWhatMeasuringEveryRowShows)
{
    auto eager = makeTable(3000, 0);
    auto lazy = makeTable(3000);
    for (Target target : { Target { 2999, TableViewScrollPosition::Bottom }, Target { 1500, TableViewScrollPosition::Middle },
             Target { 10, TableViewScrollPosition::Top }, Target { 2000, TableViewScrollPosition::Top },
             Target { 1999, TableViewScrollPosition::None }, Target { 0, TableViewScrollPosition::Bottom },
             Target { 1700, TableViewScrollPosition::Middle } }) {
        SCOPED_TRACE(target.row);
        for (auto& t : { eager, lazy })
            t->scrollToRow(IndexPath::forRow(target.row), target.position, false);
        Application::shared().layoutIfNeeded();
        EXPECT_EQ(shownRows(*lazy), shownRows(*eager));
    }
    auto before = shownRows(*lazy);
    asked = 0;
    lazy->reloadData();
    Application::shared().layoutIfNeeded();
    EXPECT_EQ(shownRows(*lazy), before);
    EXPECT_LE(asked, 40);
    eager->reloadData();
    Application::shared().layoutIfNeeded();
    EXPECT_EQ(shownRows(*eager), before);
}

// A finger dragging the content down (towards older rows) keeps the row it
// holds under it while the rows coming in from above are measured.
TEST_F(LazyTableViewTest, RowsMeasuredAboveTheScreenDoNotMoveWhatIsShown)
{
    auto table = makeTable(5000);
    table->scrollToRow(IndexPath::forRow(4999), TableViewScrollPosition::Bottom, false);
    Application::shared().layoutIfNeeded();
    auto& app = Application::shared();
    const double fingerY = 300;
    for (int drag = 0; drag < 4; ++drag) {
        app.touchDown({ 187, fingerY });
        std::pair<int, double> held = contentUnder(*table, fingerY);
        double y = fingerY;
        for (int step = 1; step <= 20; ++step) {
            advance(0.016);
            app.touchMove({ 187, y += 13 });
            app.layoutIfNeeded();
            auto now = contentUnder(*table, y);
            if (step > 2) { // once the drag has taken the touch
                ASSERT_EQ(now, held) << "drag " << drag << " step " << step;
            }
            held = now;
        }
        app.touchUp({ 187, y });
        // Let the flick run out, rows measured on the way.
        for (int frame = 0; frame < 200; ++frame) {
            advance(1.0 / 60);
            app.layoutIfNeeded();
        }
        shownRows(*table);
    }
    EXPECT_LT(asked, 400);

    // Back at the bottom the last row is flush with it, exactly.
    table->scrollToRow(IndexPath::forRow(4999), TableViewScrollPosition::Bottom, true);
    for (int frame = 0; frame < 30; ++frame) {
        advance(1.0 / 60);
        app.layoutIfNeeded();
    }
    auto last = table->cellForRow(IndexPath::forRow(4999));
    ASSERT_TRUE(last);
    EXPECT_EQ(last->frame().maxY(), table->bounds().maxY());
}

// Rows an update names are measured again, the others keep their heights.
TEST_F(LazyTableViewTest, UpdatesMeasureOnlyTheRowsTheyName)
{
    auto table = makeTable(1000);
    table->scrollToRow(IndexPath::forRow(999), TableViewScrollPosition::Bottom, false);
    Application::shared().layoutIfNeeded();
    asked = 0;
    heights[995] = 200;
    table->reloadRows({ IndexPath::forRow(995) }, TableViewRowAnimation::None);
    heights.push_back(77);
    table->insertRows({ IndexPath::forRow(1000) }, TableViewRowAnimation::None);
    table->scrollToRow(IndexPath::forRow(1000), TableViewScrollPosition::Bottom, false);
    Application::shared().layoutIfNeeded();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(table->rectForRow(IndexPath::forRow(995)).height(), 200);
    EXPECT_EQ(table->cellForRow(IndexPath::forRow(1000))->frame().maxY(), table->bounds().maxY());
    shownRows(*table);
}

// An animated scroll across rows not measured yet measures them on the way
// and still ends with its row exactly where it was asked to be.
TEST_F(LazyTableViewTest, AnimatedScrollsAcrossUnmeasuredRowsLandExactly)
{
    auto table = makeTable(5000);
    for (Target target : { Target { 4999, TableViewScrollPosition::Bottom }, Target { 2500, TableViewScrollPosition::Top },
             Target { 10, TableViewScrollPosition::Middle }, Target { 3000, TableViewScrollPosition::None } }) {
        SCOPED_TRACE(target.row);
        table->scrollToRow(IndexPath::forRow(target.row), target.position, true);
        for (int frame = 0; frame < 40; ++frame) {
            advance(1.0 / 60);
            Application::shared().layoutIfNeeded();
        }
        Rect row = table->rectForRow(IndexPath::forRow(target.row)), shown = table->bounds();
        switch (target.position) {
        case TableViewScrollPosition::Top:
            EXPECT_EQ(row.y(), shown.y());
            break;
        case TableViewScrollPosition::Middle:
            EXPECT_EQ(row.midY(), shown.midY());
            break;
        default: // from above, None shows the row at the bottom
            EXPECT_EQ(row.maxY(), shown.maxY());
        }
        shownRows(*table);
    }
}
