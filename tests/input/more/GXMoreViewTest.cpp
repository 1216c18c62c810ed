#include "support/PhoneTest.h"

#include "input/more/GXMoreView.h"
#include "ui/Window.h"

using namespace ui;

namespace {

struct Recorder : GXMoreViewDelegate {
    std::vector<int> taps;
    void didSelectItemWithIndex(int index, const GXMoreItemPtr&) override { taps.push_back(index); }
};

std::shared_ptr<GXMoreView> panel(double width, int count)
{
    std::vector<GXMoreItemPtr> items;
    for (int i = 0; i < count; ++i)
        items.push_back(GXMoreItem::initWithNormalImage(Image::named("QYPicture.png"), "项" + std::to_string(i)));
    auto view = std::make_shared<GXMoreView>(Rect { 0, 0, width, 210 });
    view->setShareMenuItems(items);
    view->reloadData();
    return view;
}

} // namespace

class GXMoreViewTest : public PhoneTest { };

TEST_F(GXMoreViewTest, GridHasTwoRowsOfFourPerPage)
{
    auto narrow = panel(320, 9);
    EXPECT_EQ(narrow->cellAtIndex(0)->frame(), (Rect { 16, 17, 60, 72 }));
    EXPECT_EQ(narrow->cellAtIndex(3)->frame().x(), 244);
    EXPECT_EQ(narrow->cellAtIndex(4)->frame().y(), 106);
    EXPECT_EQ(narrow->cellAtIndex(8)->frame(), (Rect { 16 + 320, 17, 60, 72 }));
    EXPECT_EQ(narrow->menuScrollView()->contentSize(), (Size { 640, 200 }));
    EXPECT_EQ(narrow->menuPageControl()->numberOfPages(), 2);

    auto wide = panel(375, 7);
    double gap = (375 - 240) / 5.0;
    EXPECT_DOUBLE_EQ(wide->cellAtIndex(1)->frame().x(), gap + gap + 60);
    EXPECT_EQ(wide->menuScrollView()->contentSize().width, 375);
    EXPECT_EQ(wide->menuPageControl()->numberOfPages(), 1);

    auto empty = std::make_shared<GXMoreView>(Rect { 0, 0, 375, 210 });
    EXPECT_TRUE(empty->menuScrollView()->subviews().empty());
    EXPECT_EQ(empty->menuPageControl()->numberOfPages(), 0);
}

TEST_F(GXMoreViewTest, FirstTwoItemsAreARadioPairStartingWithTheOtherSide)
{
    auto view = panel(375, 7);
    auto me = view->cellAtIndex(0)->itemButton();
    auto other = view->cellAtIndex(1)->itemButton();
    view->shareMenuItemButtonClicked(*me);
    EXPECT_FALSE(me->isSelected()) << "no delegate: nothing happens";
    EXPECT_TRUE(other->isSelected());

    auto recorder = std::make_shared<Recorder>();
    view->setDelegate(recorder);
    view->shareMenuItemButtonClicked(*me);
    EXPECT_TRUE(me->isSelected());
    EXPECT_FALSE(other->isSelected());
    view->shareMenuItemButtonClicked(*me); // again: stays, still reported
    EXPECT_TRUE(me->isSelected());
    view->shareMenuItemButtonClicked(*other);
    EXPECT_FALSE(me->isSelected());
    EXPECT_TRUE(other->isSelected());
    auto stray = Button::make();
    stray->setTag(7);
    view->shareMenuItemButtonClicked(*stray);
    EXPECT_EQ(recorder->taps, (std::vector<int> { 0, 0, 1 }));
}
