#include "ui/PageControl.h"

#include <algorithm>

#include "ui/graphics/GraphicsContext.h"

namespace ui {

static constexpr double kDotDiameter = 7;
static constexpr double kDotSpacing = 9;
static constexpr double kHeight = 37;

PageControl::PageControl()
    : PageControl(Rect {})
{
}

PageControl::PageControl(const Rect& frame)
    : Control(frame)
{
}

void PageControl::setNumberOfPages(int pages)
{
    pages = std::max(0, pages);
    if (m_numberOfPages == pages)
        return;
    m_numberOfPages = pages;
    m_currentPage = std::clamp(m_currentPage, 0, std::max(0, pages - 1));
    m_displayedPage = std::clamp(m_displayedPage, 0, std::max(0, pages - 1));
    setNeedsDisplay();
}

void PageControl::setCurrentPage(int page)
{
    page = std::clamp(page, 0, std::max(0, m_numberOfPages - 1));
    if (m_currentPage == page && m_displayedPage == page)
        return;
    m_currentPage = page;
    m_displayedPage = page;
    setNeedsDisplay();
}

void PageControl::setHidesForSinglePage(bool hides)
{
    if (m_hidesForSinglePage == hides)
        return;
    m_hidesForSinglePage = hides;
    setNeedsDisplay();
}

void PageControl::setDefersCurrentPageDisplay(bool defers)
{
    m_defersCurrentPageDisplay = defers;
}

void PageControl::updateCurrentPageDisplay()
{
    if (m_displayedPage == m_currentPage)
        return;
    m_displayedPage = m_currentPage;
    setNeedsDisplay();
}

void PageControl::setPageIndicatorTintColor(const Color& color)
{
    if (m_pageIndicatorTintColor == color)
        return;
    m_pageIndicatorTintColor = color;
    setNeedsDisplay();
}

void PageControl::setCurrentPageIndicatorTintColor(const Color& color)
{
    if (m_currentPageIndicatorTintColor == color)
        return;
    m_currentPageIndicatorTintColor = color;
    setNeedsDisplay();
}

Size PageControl::sizeForNumberOfPages(int pages)
{
    pages = std::max(0, pages);
    return { pages > 0 ? pages * kDotDiameter + (pages - 1) * kDotSpacing : 0, kHeight };
}

Size PageControl::sizeThatFits(Size) const
{
    return sizeForNumberOfPages(m_numberOfPages);
}

Rect PageControl::dotRect(int page) const
{
    Rect b = bounds();
    double width = sizeForNumberOfPages(m_numberOfPages).width;
    double x = b.x() + (b.width() - width) / 2 + page * (kDotDiameter + kDotSpacing);
    return { x, b.y() + (b.height() - kDotDiameter) / 2, kDotDiameter, kDotDiameter };
}

std::shared_ptr<View> PageControl::hitTest(Point point)
{
    return showsDots() ? Control::hitTest(point) : nullptr;
}

void PageControl::draw(GraphicsContext& context, const Rect&)
{
    if (!showsDots())
        return;
    for (int page = 0; page < m_numberOfPages; ++page)
        context.fillEllipse(dotRect(page), page == m_displayedPage ? m_currentPageIndicatorTintColor : m_pageIndicatorTintColor);
}

void PageControl::touchesEnded(const TouchList& touches)
{
    if (!isTracking() || touches.empty()) {
        Control::touchesEnded(touches);
        return;
    }
    auto self = sharedView();
    Point point = touches.front()->locationIn(this);
    bool inside = bounds().contains(point);
    Control::touchesEnded(touches);
    if (!inside || !isEnabled())
        return;
    int page = m_currentPage + (point.x < dotRect(m_displayedPage).midX() ? -1 : 1);
    page = std::clamp(page, 0, std::max(0, m_numberOfPages - 1));
    if (page == m_currentPage)
        return;
    m_currentPage = page;
    if (!m_defersCurrentPageDisplay)
        m_displayedPage = page;
    setNeedsDisplay();
    sendActions(ValueChanged);
}

} // namespace ui
