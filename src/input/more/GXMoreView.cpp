#include "input/more/GXMoreView.h"

#include "input/more/MorePanelItem.h"

#include <cmath>

GXMoreView::GXMoreView(const ui::Rect& frame)
    : ui::View(frame)
{
    setBackgroundColor(ui::Color::whiteColor());
    double w = bounds().width(), h = bounds().height();

    m_menuScrollView = std::make_shared<ui::ScrollView>(ui::Rect { 0, 0, w, h - 10 });
    m_menuScrollView->pagingEnabled = true;
    m_menuScrollView->showsHorizontalScrollIndicator = false;
    m_menuScrollView->showsVerticalScrollIndicator = false;
    m_menuScrollView->scrollsToTop = false;
    m_menuScrollView->canCancelContentTouches = false;
    m_menuScrollView->setBackgroundColor(backgroundColor());
    m_menuScrollView->didEndDecelerating = [this](ui::ScrollView& scrollView) { scrollViewDidEndDecelerating(scrollView); };
    addSubview(m_menuScrollView);

    m_menuPageControl = std::make_shared<ui::PageControl>(ui::Rect { 0, h - 10, w, 10 });
    m_menuPageControl->setBackgroundColor(backgroundColor());
    m_menuPageControl->setHidesForSinglePage(true);
    m_menuPageControl->setDefersCurrentPageDisplay(true);
    addSubview(m_menuPageControl);

    reloadData();
}

ui::Rect GXMoreView::cellFrame(int index, double width)
{
    double gap = (width - 240) / 5;
    int page = index / 8;
    int column = index % 4;
    int row = (index / 4) % 2;
    return { gap + (gap + GXMoreItemView::kWidth) * column + page * width, 17.0 + 89 * row, GXMoreItemView::kWidth,
        GXMoreItemView::kHeight };
}

void GXMoreView::reloadData()
{
    if (m_shareMenuItems.empty())
        return;
    for (auto subview : std::vector(m_menuScrollView->subviews()))
        subview->removeFromSuperview();

    double width = bounds().width();
    std::weak_ptr<ui::Responder> weakSelf = shared_from_this();
    for (size_t i = 0; i < m_shareMenuItems.size(); ++i) {
        int index = int(i);
        auto cell = std::make_shared<GXMoreItemView>(cellFrame(index, width));
        cell->setTag(100 + index);
        auto button = cell->itemButton();
        button->setTag(index);
        button->setImage(m_shareMenuItems[i]->menuImage);
        button->addAction(ui::TouchUpInside, [weakSelf](ui::Control& sender) {
            if (auto self = std::static_pointer_cast<GXMoreView>(weakSelf.lock()))
                self->shareMenuItemButtonClicked(static_cast<ui::Button&>(sender));
        });
        if (index == 0)
            button->setImage(ui::Image::named("QYMyself_Selected.png"), ui::StateSelected);
        if (index == 1) {
            button->setImage(ui::Image::named("QYOther_Selected.png"), ui::StateSelected);
            // The other side speaks first.
            button->setSelected(true);
        }
        auto title = cell->itemTitleLabel();
        title->setText(m_shareMenuItems[i]->title);
        title->setTextColor(ui::Color::grayColor());
        m_menuScrollView->addSubview(cell);
    }
    int pages = int(std::ceil(double(m_shareMenuItems.size()) / 8));
    m_menuPageControl->setNumberOfPages(pages);
    m_menuScrollView->setContentSize({ pages * width, m_menuScrollView->bounds().height() });
}

std::shared_ptr<GXMoreItemView> GXMoreView::cellAtIndex(int index) const
{
    return std::dynamic_pointer_cast<GXMoreItemView>(m_menuScrollView->viewWithTag(100 + index));
}

void GXMoreView::shareMenuItemButtonClicked(ui::Button& sender)
{
    auto delegate = m_delegate.lock();
    if (!delegate)
        return;
    int index = sender.tag();
    if (index < 0 || size_t(index) >= m_shareMenuItems.size())
        return;
    sender.setSelected(true);
    // The two speakers are a radio pair: choosing one clears the other.
    constexpr int me = int(MorePanelItem::SpeakAsMe);
    constexpr int other = int(MorePanelItem::SpeakAsOther);
    if (index == me || index == other) {
        if (auto cell = cellAtIndex(index == me ? other : me))
            cell->itemButton()->setSelected(false);
    }
    delegate->didSelectItemWithIndex(index, m_shareMenuItems[size_t(index)]);
}

void GXMoreView::scrollViewDidEndDecelerating(ui::ScrollView& scrollView)
{
    double width = scrollView.frame().width();
    if (width <= 0)
        return;
    int page = int(std::floor((scrollView.contentOffset().x - width / 2) / width)) + 1;
    m_menuPageControl->setCurrentPage(page);
    m_menuPageControl->updateCurrentPageDisplay();
}
