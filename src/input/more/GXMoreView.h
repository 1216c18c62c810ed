#pragma once
#include <memory>
#include <vector>

#include "input/more/GXMoreItem.h"
#include "input/more/GXMoreItemView.h"
#include "ui/PageControl.h"
#include "ui/ScrollView.h"

class GXMoreView;

// Hears which item of the more panel was tapped.
class GXMoreViewDelegate {
public:
    virtual ~GXMoreViewDelegate() = default;
    virtual void didSelectItemWithIndex(int index, const GXMoreItemPtr& menuItem) = 0;
};

// The 210-point panel under the input toolbar: a paged grid of items, two rows
// of four per page, of which the first two are the "我"/"对方" radio pair.
class GXMoreView : public ui::View {
public:
    explicit GXMoreView(const ui::Rect& frame);
    std::string className() const override { return "GXMoreView"; }

    const std::vector<GXMoreItemPtr>& shareMenuItems() const { return m_shareMenuItems; }
    void setShareMenuItems(std::vector<GXMoreItemPtr> items) { m_shareMenuItems = std::move(items); }
    void setDelegate(std::weak_ptr<GXMoreViewDelegate> delegate) { m_delegate = std::move(delegate); }

    // Rebuilds the grid from the item list (an empty list leaves it as it is).
    void reloadData();

    const std::shared_ptr<ui::ScrollView>& menuScrollView() const { return m_menuScrollView; }
    const std::shared_ptr<ui::PageControl>& menuPageControl() const { return m_menuPageControl; }
    // The cell of item i (tag 100 + i), or nullptr.
    std::shared_ptr<GXMoreItemView> cellAtIndex(int index) const;

    void shareMenuItemButtonClicked(ui::Button& sender);

    // Where item i goes on a panel `width` wide.
    static ui::Rect cellFrame(int index, double width);

private:
    void scrollViewDidEndDecelerating(ui::ScrollView& scrollView);

    std::vector<GXMoreItemPtr> m_shareMenuItems;
    std::weak_ptr<GXMoreViewDelegate> m_delegate;
    std::shared_ptr<ui::ScrollView> m_menuScrollView;
    std::shared_ptr<ui::PageControl> m_menuPageControl;
};
