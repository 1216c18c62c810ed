#pragma once
#include "ui/Control.h"

namespace ui {

// A row of dots, one per page, the current one in its own colour. A tap left
// or right of the current dot moves one page that way and sends ValueChanged
// (synchronously, during the touch; the action may release the control).
// Setting currentPage from code sends nothing.
class PageControl : public Control {
public:
    PageControl();
    explicit PageControl(const Rect& frame);

    std::string className() const override { return "UIPageControl"; }

    int numberOfPages() const { return m_numberOfPages; }
    void setNumberOfPages(int pages);
    // Clamped to the pages there are.
    int currentPage() const { return m_currentPage; }
    void setCurrentPage(int page);
    bool hidesForSinglePage() const { return m_hidesForSinglePage; }
    void setHidesForSinglePage(bool hides);
    // When set, a tap changes currentPage but the dots keep showing the old
    // page until updateCurrentPageDisplay is called.
    bool defersCurrentPageDisplay() const { return m_defersCurrentPageDisplay; }
    void setDefersCurrentPageDisplay(bool defers);
    void updateCurrentPageDisplay();
    int displayedPage() const { return m_displayedPage; }

    Color pageIndicatorTintColor() const { return m_pageIndicatorTintColor; }
    void setPageIndicatorTintColor(const Color& color);
    Color currentPageIndicatorTintColor() const { return m_currentPageIndicatorTintColor; }
    void setCurrentPageIndicatorTintColor(const Color& color);

    // The size the dots of `pages` pages need.
    static Size sizeForNumberOfPages(int pages);
    // Where dot `page` is drawn, in the control's bounds.
    Rect dotRect(int page) const;

    Size sizeThatFits(Size size) const override;
    std::shared_ptr<View> hitTest(Point point) override;
    void draw(GraphicsContext& context, const Rect& rect) override;
    void touchesEnded(const TouchList& touches) override;

private:
    bool showsDots() const { return m_numberOfPages > 1 || (m_numberOfPages == 1 && !m_hidesForSinglePage); }

    int m_numberOfPages = 0;
    int m_currentPage = 0;
    int m_displayedPage = 0;
    bool m_hidesForSinglePage = false;
    bool m_defersCurrentPageDisplay = false;
    Color m_pageIndicatorTintColor = Color::whiteColor().withAlpha(0.2);
    Color m_currentPageIndicatorTintColor = Color::whiteColor();
};

} // namespace ui
