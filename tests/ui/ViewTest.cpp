#include "support/PhoneTest.h"

#include <functional>

#include "ui/View.h"
#include "ui/Window.h"

using namespace ui;

class ViewTest : public PhoneTest { };

TEST_F(ViewTest, HitTestFindsFrontmostVisibleInteractiveView)
{
    auto root = std::make_shared<View>(Rect { 0, 0, 300, 300 });
    auto back = std::make_shared<View>(Rect { 10, 10, 100, 100 });
    auto front = std::make_shared<View>(Rect { 50, 50, 100, 100 });
    root->addSubview(back);
    root->addSubview(front);

    EXPECT_EQ(root->hitTest({ 60, 60 }), front);
    EXPECT_EQ(root->hitTest({ 20, 20 }), back);
    EXPECT_EQ(root->hitTest({ 250, 250 }), root);
    EXPECT_EQ(root->hitTest({ 350, 20 }), nullptr);

    front->setHidden(true);
    EXPECT_EQ(root->hitTest({ 60, 60 }), back);
    front->setHidden(false);
    front->setAlpha(0);
    EXPECT_EQ(root->hitTest({ 60, 60 }), back);
    front->setAlpha(1);
    front->setUserInteractionEnabled(false);
    EXPECT_EQ(root->hitTest({ 60, 60 }), back);

    // A view outside its superview's bounds is not hit through the superview.
    auto outside = std::make_shared<View>(Rect { 90, 90, 50, 50 });
    back->addSubview(outside);
    EXPECT_EQ(root->hitTest({ 140, 140 }), root);
}

TEST_F(ViewTest, CoordinatesFollowBoundsOriginAndTransform)
{
    auto root = std::make_shared<View>(Rect { 0, 0, 400, 400 });
    auto scrolled = std::make_shared<View>(Rect { 100, 100, 200, 200 });
    root->addSubview(scrolled);
    scrolled->setBounds({ 0, 50, 200, 200 }); // content moved up by 50
    auto child = std::make_shared<View>(Rect { 10, 60, 20, 20 });
    scrolled->addSubview(child);

    EXPECT_EQ(child->convertPointTo({ 0, 0 }, root.get()), (Point { 110, 110 }));
    EXPECT_EQ(root->hitTest({ 115, 115 }), child);

    scrolled->setTransform(AffineTransform::scale(2, 2));
    // Scaling about the centre: the frame doubles around (200, 200).
    EXPECT_EQ(scrolled->frame(), (Rect { 0, 0, 400, 400 }));
    Point p = child->convertPointTo({ 0, 0 }, root.get());
    EXPECT_NEAR(p.x, 20, 1e-9);
    EXPECT_NEAR(p.y, 20, 1e-9);
    Point back = child->convertPointFrom(p, root.get());
    EXPECT_NEAR(back.x, 0, 1e-9);
    EXPECT_NEAR(back.y, 0, 1e-9);
}

TEST_F(ViewTest, AutoresizingSpreadsSizeChangeOverFlexibleParts)
{
    auto root = std::make_shared<View>(Rect { 0, 0, 320, 480 });
    auto fill = std::make_shared<View>(Rect { 0, 0, 320, 480 });
    fill->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    auto bottomBar = std::make_shared<View>(Rect { 0, 430, 320, 50 });
    bottomBar->setAutoresizingMask(FlexibleTopMargin | FlexibleWidth);
    auto centred = std::make_shared<View>(Rect { 110, 0, 100, 10 });
    centred->setAutoresizingMask(FlexibleLeftMargin | FlexibleRightMargin);
    for (auto& v : { fill, bottomBar, centred })
        root->addSubview(v);

    root->setFrame({ 0, 0, 375, 667 });
    EXPECT_EQ(fill->frame(), (Rect { 0, 0, 375, 667 }));
    EXPECT_EQ(bottomBar->frame(), (Rect { 0, 617, 375, 50 }));
    EXPECT_DOUBLE_EQ(centred->frame().midX(), 187.5);
}

TEST_F(ViewTest, ReparentingAndRemovalKeepTheTreeConsistent)
{
    auto a = std::make_shared<View>();
    auto b = std::make_shared<View>();
    auto child = std::make_shared<View>();
    a->addSubview(child);
    b->addSubview(child);
    EXPECT_TRUE(a->subviews().empty());
    EXPECT_EQ(child->superview(), b.get());

    // A view cannot become its own ancestor.
    child->addSubview(b);
    EXPECT_EQ(b->superview(), nullptr);

    std::weak_ptr<View> weakChild = child;
    child.reset();
    EXPECT_FALSE(weakChild.expired());
    weakChild.lock()->removeFromSuperview();
    EXPECT_TRUE(weakChild.expired());
}

TEST_F(ViewTest, ViewWithTagSearchesDepthFirstFromItself)
{
    auto root = std::make_shared<View>();
    auto first = std::make_shared<View>();
    auto deep = std::make_shared<View>();
    deep->setTag(7);
    first->addSubview(deep);
    auto second = std::make_shared<View>();
    second->setTag(7);
    root->addSubview(first);
    root->addSubview(second);
    EXPECT_EQ(root->viewWithTag(7), deep);
    EXPECT_EQ(root->viewWithTag(8), nullptr);
}

namespace {

// Counts its layouts and may mark other views from inside one.
class CountingView : public View {
public:
    using View::View;
    void layoutSubviews() override
    {
        ++layouts;
        if (onLayout)
            onLayout();
    }
    int layouts = 0;
    std::function<void()> onLayout;
};

std::shared_ptr<CountingView> countingView() { return std::make_shared<CountingView>(Rect { 0, 0, 10, 10 }); }

} // namespace

TEST_F(ViewTest, LayoutVisitsMarkedViewsAndThoseMarkedAheadOfTheWalk)
{
    auto root = countingView(), left = countingView(), deep = countingView(), right = countingView(), leaf = countingView();
    root->addSubview(left);
    left->addSubview(deep);
    root->addSubview(right);
    right->addSubview(leaf);
    root->layoutIfNeeded();
    for (auto* view : { root.get(), left.get(), deep.get(), right.get(), leaf.get() })
        EXPECT_EQ(view->layouts, 1);
    EXPECT_FALSE(root->needsLayoutInTree());

    // Only the marked view is laid out again, however deep.
    deep->setNeedsLayout();
    EXPECT_TRUE(root->needsLayoutInTree());
    root->layoutIfNeeded();
    EXPECT_EQ(deep->layouts, 2);
    EXPECT_EQ(left->layouts + right->layouts + leaf->layouts + root->layouts, 4);

    // Marked by an earlier sibling's layout: laid out in the same pass.
    left->onLayout = [&] { leaf->setNeedsLayout(); };
    left->setNeedsLayout();
    root->layoutIfNeeded();
    EXPECT_EQ(leaf->layouts, 2);
    EXPECT_FALSE(root->needsLayoutInTree());

    // Marked behind the walk: waits for the next pass, which still finds it.
    left->onLayout = nullptr;
    right->onLayout = [&] { deep->setNeedsLayout(); };
    right->setNeedsLayout();
    root->layoutIfNeeded();
    EXPECT_EQ(deep->layouts, 2);
    EXPECT_TRUE(root->needsLayoutInTree());
    right->onLayout = nullptr;
    root->layoutIfNeeded();
    EXPECT_EQ(deep->layouts, 3);

    // A subtree built elsewhere brings its pending layout along.
    auto added = countingView(), inner = countingView();
    added->addSubview(inner);
    leaf->addSubview(added);
    root->layoutIfNeeded();
    EXPECT_EQ(added->layouts, 1);
    EXPECT_EQ(inner->layouts, 1);
    EXPECT_FALSE(root->needsLayoutInTree());
}
