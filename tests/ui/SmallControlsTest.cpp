#include "support/PhoneTest.h"

#include "DrawnPixels.h"

#include "ui/PageControl.h"
#include "ui/ProgressView.h"
#include "ui/Renderer.h"
#include "ui/Slider.h"
#include "ui/Window.h"

using namespace ui;
using drawn::colorAt;

class SmallControlsTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        window = std::make_shared<Window>(Rect { 0, 0, 375, 667 });
        window->setBackgroundColor(Color::blackColor());
        window->makeKeyAndVisible();
    }
    std::shared_ptr<Window> window;
};

TEST_F(SmallControlsTest, PageDotsAreSevenPointsWideNineApartAndCentred)
{
    EXPECT_EQ(PageControl::sizeForNumberOfPages(5), (Size { 5 * 7 + 4 * 9, 37 }));
    EXPECT_EQ(PageControl::sizeForNumberOfPages(1).width, 7);
    auto dots = View::make<PageControl>(Rect { 0, 100, 375, 10 });
    dots->setNumberOfPages(5);
    dots->setCurrentPage(9);
    EXPECT_EQ(dots->currentPage(), 4);
    dots->setCurrentPage(1);
    EXPECT_EQ(dots->dotRect(0), (Rect { (375 - 71) / 2.0, 1.5, 7, 7 }));
    EXPECT_DOUBLE_EQ(dots->dotRect(1).x() - dots->dotRect(0).x(), 16);

    dots->setPageIndicatorTintColor(Color::rgb(200, 200, 200));
    dots->setCurrentPageIndicatorTintColor(Color::rgb(128, 128, 128));
    window->addSubview(dots);
    auto image = Renderer::snapshotScreen();
    Rect current = dots->dotRect(1), other = dots->dotRect(3);
    EXPECT_EQ(colorAt(*image, current.midX(), 100 + current.midY()), Color::rgb(128, 128, 128));
    EXPECT_EQ(colorAt(*image, other.midX(), 100 + other.midY()), Color::rgb(200, 200, 200));
    EXPECT_EQ(colorAt(*image, other.midX() + 8, 100 + other.midY()), Color::blackColor()); // between dots

    // One page: no dots and no touches when asked to hide.
    dots->setNumberOfPages(1);
    dots->setHidesForSinglePage(true);
    image = Renderer::snapshotScreen();
    EXPECT_EQ(colorAt(*image, 375 / 2.0, 105), Color::blackColor());
    EXPECT_EQ(window->hitTest({ 187, 105 }).get(), window.get());
    dots->setNumberOfPages(2);
    EXPECT_EQ(window->hitTest({ 187, 105 }).get(), dots.get());
}

TEST_F(SmallControlsTest, TapBesideTheCurrentDotTurnsOnePageThatWay)
{
    auto dots = View::make<PageControl>(Rect { 0, 100, 375, 37 });
    dots->setNumberOfPages(3);
    window->addSubview(dots);
    std::vector<int> changes;
    dots->addAction(ValueChanged, [&](Control& c) { changes.push_back(static_cast<PageControl&>(c).currentPage()); });
    tap({ 300, 118 });
    tap({ 300, 118 });
    tap({ 300, 118 }); // already on the last page
    tap({ 20, 118 });
    EXPECT_EQ(changes, (std::vector<int> { 1, 2, 1 }));
    dots->setCurrentPage(0); // from code: no event
    EXPECT_EQ(changes.size(), 3u);

    // Deferred display: the dots move only when the owner says so.
    dots->setDefersCurrentPageDisplay(true);
    tap({ 300, 118 });
    EXPECT_EQ(dots->currentPage(), 1);
    EXPECT_EQ(dots->displayedPage(), 0);
    dots->updateCurrentPageDisplay();
    EXPECT_EQ(dots->displayedPage(), 1);

    // The action may release the control.
    std::weak_ptr<PageControl> weak = dots;
    dots->addAction(ValueChanged, [&](Control& c) {
        c.removeFromSuperview();
        dots.reset();
    });
    tap({ 300, 118 });
    EXPECT_TRUE(weak.expired());
}

TEST_F(SmallControlsTest, SliderFollowsTheDragFromTheThumbAndReportsEachChange)
{
    auto slider = View::make<Slider>(Rect { 20, 200, 228, 31 });
    slider->setMinimumValue(1);
    slider->setMaximumValue(5);
    slider->setValue(1);
    window->addSubview(slider);
    std::vector<float> values;
    slider->addAction(ValueChanged, [&](Control& c) { values.push_back(static_cast<Slider&>(c).value()); });

    // Thumb 28 wide on a 228-point track: 200 points of travel for 4 units.
    Rect thumb = slider->thumbRect();
    EXPECT_DOUBLE_EQ(thumb.midX(), 14);
    drag({ 20 + 14 + 3, 215 }, { 20 + 14 + 3 + 100, 215 }, 4);
    ASSERT_EQ(values.size(), 4u);
    EXPECT_FLOAT_EQ(values.back(), 3); // the thumb kept the finger's grip, no jump
    for (size_t i = 1; i < values.size(); ++i)
        EXPECT_GT(values[i], values[i - 1]);

    // Beyond the end the value stops at the maximum; a touch on the bare track does nothing.
    drag({ 20 + 114, 215 }, { 360, 215 }, 3);
    EXPECT_FLOAT_EQ(slider->value(), 5);
    size_t before = values.size();
    tap({ 40, 215 });
    EXPECT_EQ(values.size(), before);
    slider->setValue(2);
    EXPECT_EQ(values.size(), before);

    // Not continuous: one event when the finger lifts.
    slider->setContinuous(false);
    values.clear();
    double x = 20 + slider->thumbRect().midX();
    drag({ x, 215 }, { x + 50, 215 }, 5);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_FLOAT_EQ(values[0], 3);
}

TEST_F(SmallControlsTest, SliderAndProgressBarDrawTheirTintsAtTheValue)
{
    window->setBackgroundColor(Color::whiteColor());
    auto slider = View::make<Slider>(Rect { 0, 100, 228, 31 });
    slider->setValue(0.5f);
    slider->setMinimumTrackTintColor(Color::rgb(255, 0, 0));
    slider->setMaximumTrackTintColor(Color::rgb(0, 0, 255));
    window->addSubview(slider);
    auto bar = View::make<ProgressView>(Rect { 0, 300, 200, 2 });
    bar->setProgressTintColor(Color::rgb(0, 255, 0));
    bar->setTrackTintColor(Color::rgb(0, 0, 0));
    bar->setProgress(0.25f);
    window->addSubview(bar);

    auto image = Renderer::snapshotScreen();
    EXPECT_EQ(colorAt(*image, 5, 115.5), Color::rgb(255, 0, 0));
    EXPECT_EQ(colorAt(*image, 220, 115.5), Color::rgb(0, 0, 255));
    EXPECT_EQ(colorAt(*image, 114, 115.5), Color::whiteColor()); // the thumb in the middle
    EXPECT_EQ(colorAt(*image, 45, 301), Color::rgb(0, 255, 0));
    EXPECT_EQ(colorAt(*image, 55, 301), Color::blackColor());

    // Animated progress grows over a quarter of a second.
    bar->setProgress(1.5f, true);
    EXPECT_FLOAT_EQ(bar->progress(), 1);
    advance(0.12);
    double midway = bar->subviews().front()->presentationBounds().width();
    EXPECT_GT(midway, 60);
    EXPECT_LT(midway, 190);
    advance(0.2);
    image = Renderer::snapshotScreen();
    EXPECT_EQ(colorAt(*image, 195, 301), Color::rgb(0, 255, 0));
}
