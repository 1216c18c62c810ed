#include "support/PhoneTest.h"

#include "ui/CollectionView.h"
#include "ui/Label.h"
#include "ui/Window.h"

using namespace ui;

namespace {

class NumberCell : public CollectionViewCell {
public:
    NumberCell()
    {
        label = View::make<Label>();
        contentView()->addSubview(label);
    }
    void prepareForReuse() override
    {
        CollectionViewCell::prepareForReuse();
        label->setText(std::nullopt);
    }
    std::shared_ptr<Label> label;
};

} // namespace

TEST(CollectionViewFlowLayoutTest, LinesAreFilledSpreadAndWrapped)
{
    CollectionViewFlowLayout layout;
    layout.itemSize = { 60, 40 };
    layout.minimumInteritemSpacing = 10;
    layout.minimumLineSpacing = 5;
    layout.sectionInset = { 8, 10, 12, 10 };
    layout.prepare(9, { 320, 400 });
    // 300 points across take four 60-point items; the spare 30 points widen the gaps.
    EXPECT_EQ(layout.frameForItem(0), (Rect { 10, 8, 60, 40 }));
    EXPECT_EQ(layout.frameForItem(1), (Rect { 90, 8, 60, 40 }));
    EXPECT_EQ(layout.frameForItem(3), (Rect { 250, 8, 60, 40 }));
    EXPECT_EQ(layout.frameForItem(4), (Rect { 10, 53, 60, 40 }));
    EXPECT_EQ(layout.frameForItem(8), (Rect { 130, 98, 60, 40 })); // a lone item is centred
    EXPECT_EQ(layout.contentSize(), (Size { 320, 8 + 3 * 40 + 2 * 5 + 12 }));
    EXPECT_EQ(layout.itemAtPoint({ 95, 60 }), 5);
    EXPECT_EQ(layout.itemAtPoint({ 75, 60 }), -1); // in a gap
    auto [first, last] = layout.itemsInRect({ 0, 50, 320, 10 });
    EXPECT_EQ(first, 4);
    EXPECT_EQ(last, 8);

    // Sideways: columns fill top to bottom, then move right.
    layout.scrollDirection = ScrollDirection::Horizontal;
    layout.sectionInset = {};
    layout.prepare(5, { 300, 100 });
    EXPECT_EQ(layout.frameForItem(0), (Rect { 0, 0, 60, 40 }));
    EXPECT_EQ(layout.frameForItem(1), (Rect { 0, 60, 60, 40 }));
    EXPECT_EQ(layout.frameForItem(2), (Rect { 65, 0, 60, 40 }));
    EXPECT_EQ(layout.contentSize(), (Size { 3 * 60 + 2 * 5, 100 }));
}

class CollectionViewTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        window = std::make_shared<Window>(Rect { 0, 0, 375, 667 });
        window->makeKeyAndVisible();
        auto layout = std::make_shared<CollectionViewFlowLayout>();
        layout->itemSize = { 90, 90 };
        layout->minimumInteritemSpacing = 3;
        layout->minimumLineSpacing = 3;
        grid = View::make<CollectionView>(Rect { 0, 0, 375, 600 }, layout);
        window->addSubview(grid);
        grid->registerCell("Number", [this] {
            ++made;
            return View::make<NumberCell>();
        });
        grid->numberOfItemsInSection = [this](CollectionView&, int) { return count; };
        grid->cellForItemAtIndexPath = [](CollectionView& g, const IndexPath& indexPath) {
            auto cell = std::static_pointer_cast<NumberCell>(g.dequeueReusableCell("Number", indexPath));
            cell->label->setText(std::to_string(indexPath.item()));
            return cell;
        };
    }

    void expectCellsShowTheirItems()
    {
        for (auto& cell : grid->visibleCells()) {
            auto indexPath = grid->indexPathForCell(*cell);
            ASSERT_TRUE(indexPath);
            EXPECT_EQ(std::static_pointer_cast<NumberCell>(cell)->label->text(), std::to_string(indexPath->item()));
            EXPECT_EQ(cell->frame(), grid->frameForItem(*indexPath));
        }
    }

    std::shared_ptr<Window> window;
    CollectionViewPtr grid;
    int count = 3000;
    int made = 0;
};

TEST_F(CollectionViewTest, ScrollingKeepsCellsToTheVisibleItemsEachShowingItsOwn)
{
    // Four 90-point columns in 375 points, lines 93 apart: 750 lines.
    grid->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(grid->contentSize().height, 750 * 90 + 749 * 3);
    for (double y = 0; y < grid->maximumOffset().y; y += 131) {
        grid->setContentOffset({ 0, y });
        expectCellsShowTheirItems();
    }
    grid->setContentOffset({ 0, 0 });
    expectCellsShowTheirItems();
    // At most eight lines of four show in 600 points, plus one spare set.
    EXPECT_LE(made, 64);
    EXPECT_EQ(grid->cellForItem(IndexPath::forItem(2999)), nullptr);
    EXPECT_TRUE(grid->cellForItem(IndexPath::forItem(5)));
}

TEST_F(CollectionViewTest, ReloadShrinksAndItemReloadRebinds)
{
    grid->setContentOffset({ 0, 5000 });
    count = 6;
    grid->reloadData();
    EXPECT_DOUBLE_EQ(grid->contentOffset().y, 0);
    EXPECT_EQ(grid->visibleCells().size(), 6u);
    expectCellsShowTheirItems();

    int calls = 0;
    grid->cellForItemAtIndexPath = [&](CollectionView& g, const IndexPath& indexPath) {
        ++calls;
        auto cell = std::static_pointer_cast<NumberCell>(g.dequeueReusableCell("Number", indexPath));
        cell->label->setText("new " + std::to_string(indexPath.item()));
        return cell;
    };
    grid->reloadItems({ IndexPath::forItem(4) });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(std::static_pointer_cast<NumberCell>(grid->cellForItem(IndexPath::forItem(4)))->label->text(), "new 4");
    EXPECT_EQ(std::static_pointer_cast<NumberCell>(grid->cellForItem(IndexPath::forItem(3)))->label->text(), "3");
}

TEST_F(CollectionViewTest, TapSelectsTheItemUnderTheFingerAndMayReleaseTheGrid)
{
    std::vector<int> taps;
    grid->didSelectItemAtIndexPath = [&](CollectionView&, const IndexPath& indexPath) { taps.push_back(indexPath.item()); };
    grid->layoutIfNeeded();
    tap({ 93 + 45, 93 + 45 }); // second line, second column
    ASSERT_EQ(taps, std::vector<int> { 5 });
    EXPECT_TRUE(grid->cellForItem(IndexPath::forItem(5))->isSelected());
    tap({ 45, 45 });
    EXPECT_FALSE(grid->cellForItem(IndexPath::forItem(5))->isSelected());
    EXPECT_EQ(grid->indexPathsForSelectedItems(), std::vector<IndexPath> { IndexPath::forItem(0) });

    drag({ 45, 300 }, { 45, 100 });
    EXPECT_EQ(taps.size(), 2u);

    std::weak_ptr<CollectionView> weak = grid;
    grid->didSelectItemAtIndexPath = [&](CollectionView& g, const IndexPath&) {
        g.removeFromSuperview();
        grid.reset();
    };
    advance(3);
    grid->setContentOffset({ 0, 0 });
    tap({ 45, 45 });
    EXPECT_TRUE(weak.expired());
}

TEST_F(CollectionViewTest, HorizontalPagesTurnThroughTheScrollView)
{
    auto& layout = *grid->layout();
    layout.scrollDirection = ScrollDirection::Horizontal;
    layout.itemSize = { 375, 600 };
    layout.minimumLineSpacing = 0;
    grid->pagingEnabled = true;
    count = 4;
    grid->reloadData();
    EXPECT_DOUBLE_EQ(grid->contentSize().width, 4 * 375);
    drag({ 300, 300 }, { 100, 300 }, 10, 1.0);
    advance(1);
    EXPECT_DOUBLE_EQ(grid->contentOffset().x, 375);
    expectCellsShowTheirItems();
    ASSERT_EQ(grid->visibleCells().size(), 1u);
    EXPECT_EQ(grid->indexPathForCell(*grid->visibleCells().front()), IndexPath::forItem(1));
}
