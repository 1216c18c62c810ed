#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "input/face/EMFacePage.h"
#include "input/face/EMFaceSectionBar.h"
#include "ui/PageControl.h"
#include "ui/ScrollView.h"

// Hears what the emoji keyboard sends: an emoji code or the delete key, and
// the send button.
class EMFaceBoardDelegate {
public:
    virtual ~EMFaceBoardDelegate() = default;
    virtual void SendTheFaceStr(const std::optional<std::u16string>& faceStr, bool isDelete) = 0;
    virtual void sendFace() = 0;
};

// The 210-point emoji keyboard: five swipeable pages of emoji, a page
// indicator and the bar with the send button.
class EMFaceBoard : public ui::View, public EMFacePageDelegate, public EMFaceSectionBarDelegate {
public:
    static constexpr int kPageCount = 5;

    // Made through make(): the pages and the bar hold the board as their delegate.
    EMFaceBoard(const ui::Rect& frame, int style);
    static std::shared_ptr<EMFaceBoard> make(const ui::Rect& frame, int style);
    std::string className() const override { return "EMFaceBoard"; }

    void setDelegate(std::weak_ptr<EMFaceBoardDelegate> delegate) { m_delegate = std::move(delegate); }
    int faceStyle = 0;

    const std::shared_ptr<ui::ScrollView>& scrollView() const { return m_scrollView; }
    const std::shared_ptr<ui::PageControl>& pageControl() const { return m_pageControl; }
    const std::vector<std::shared_ptr<EMFacePage>>& pages() const { return m_pages; }
    const std::shared_ptr<EMFaceSectionBar>& sectionBar() const { return m_sectionBar; }

    void didSelecteFace(const std::optional<std::u16string>& face, bool isDelete) override;
    void sendFaceDelegate() override;

private:
    void setup(int style);
    void scrollViewDidScroll(ui::ScrollView& scrollView);

    std::weak_ptr<EMFaceBoardDelegate> m_delegate;
    std::shared_ptr<ui::ScrollView> m_scrollView;
    std::shared_ptr<ui::PageControl> m_pageControl;
    std::vector<std::shared_ptr<EMFacePage>> m_pages;
    std::shared_ptr<EMFaceSectionBar> m_sectionBar;
};
