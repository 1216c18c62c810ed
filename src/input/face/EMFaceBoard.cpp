#include "input/face/EMFaceBoard.h"

#include "platform/Log.h"

EMFaceBoard::EMFaceBoard(const ui::Rect& frame, int style)
    : ui::View(frame)
    , faceStyle(style)
{
}

std::shared_ptr<EMFaceBoard> EMFaceBoard::make(const ui::Rect& frame, int style)
{
    auto board = std::make_shared<EMFaceBoard>(frame, style);
    board->setup(style);
    return board;
}

void EMFaceBoard::setup(int style)
{
    setBackgroundColor(ui::Color::whiteColor());
    double w = bounds().width(), h = bounds().height();
    auto self = std::static_pointer_cast<EMFaceBoard>(sharedView());

    m_scrollView = std::make_shared<ui::ScrollView>(ui::Rect { 0, 0, w, h - 63 });
    m_scrollView->pagingEnabled = true;
    m_scrollView->showsHorizontalScrollIndicator = false;
    m_scrollView->setContentSize({ kPageCount * w, h - 63 });
    m_scrollView->didScroll = [this](ui::ScrollView& scrollView) { scrollViewDidScroll(scrollView); };
    addSubview(m_scrollView);

    for (int i = 0; i < kPageCount; ++i) {
        auto page = std::make_shared<EMFacePage>(ui::Rect { i * w, 0, w, h - 63 }, i, style);
        page->setDelegate(std::weak_ptr<EMFacePageDelegate>(std::static_pointer_cast<EMFacePageDelegate>(self)));
        m_scrollView->addSubview(page);
        m_pages.push_back(page);
    }

    m_pageControl = std::make_shared<ui::PageControl>(ui::Rect { 0, h - 63, w, 27 });
    m_pageControl->setNumberOfPages(kPageCount);
    m_pageControl->setCurrentPage(0);
    m_pageControl->setPageIndicatorTintColor(ui::Color::lightGrayColor());
    m_pageControl->setCurrentPageIndicatorTintColor(ui::Color::grayColor());
    addSubview(m_pageControl);

    m_sectionBar = std::make_shared<EMFaceSectionBar>(ui::Rect { 0, h - 35, w, 37 }, style);
    m_sectionBar->setDelegate(std::weak_ptr<EMFaceSectionBarDelegate>(std::static_pointer_cast<EMFaceSectionBarDelegate>(self)));
    addSubview(m_sectionBar);
}

void EMFaceBoard::scrollViewDidScroll(ui::ScrollView& scrollView)
{
    // The page is counted in 320-point steps whatever the panel's width.
    m_pageControl->setCurrentPage(int(scrollView.contentOffset().x / 320));
}

void EMFaceBoard::didSelecteFace(const std::optional<std::u16string>& face, bool isDelete)
{
    platform::log::line("emoji", "6789");
    auto keep = sharedView();
    if (auto delegate = m_delegate.lock())
        delegate->SendTheFaceStr(face, isDelete);
}

void EMFaceBoard::sendFaceDelegate()
{
    auto keep = sharedView();
    if (auto delegate = m_delegate.lock())
        delegate->sendFace();
}
