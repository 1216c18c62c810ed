#pragma once
#include <functional>
#include <memory>

#include "ui/GestureRecognizer.h"
#include "ui/View.h"

namespace platform {
class Timer;
}

namespace ui {

// A view whose bounds origin is the content offset: content larger than the
// view is dragged, decelerates after a flick, bounces at the edges and can page.
// Delegate calls are std::function members, called synchronously on the main
// queue; a callback may change the offset or release the scroll view.
class ScrollView : public View {
public:
    ScrollView();
    explicit ScrollView(const Rect& frame);
    ~ScrollView() override;

    std::string className() const override { return "UIScrollView"; }

    Size contentSize() const { return m_contentSize; }
    void setContentSize(Size size);
    Point contentOffset() const { return bounds().origin; }
    void setContentOffset(Point offset, bool animated = false);
    EdgeInsets contentInset() const { return m_contentInset; }
    void setContentInset(const EdgeInsets& insets);

    bool bounces = true;
    bool alwaysBounceVertical = false;
    bool alwaysBounceHorizontal = false;
    bool pagingEnabled = false;
    bool scrollEnabled = true;
    bool showsVerticalScrollIndicator = true;
    bool showsHorizontalScrollIndicator = true;
    bool scrollsToTop = true;
    // Content touches begin only after a short pause, unless the finger lifts first.
    void setDelaysContentTouches(bool delays);
    bool delaysContentTouches() const { return m_pan->delaysTouchesBegan(); }
    // When false, a touch that began on the content never turns into a scroll.
    bool canCancelContentTouches = true;

    std::function<void(ScrollView&)> didScroll;
    std::function<void(ScrollView&)> willBeginDragging;
    std::function<void(ScrollView&, bool willDecelerate)> didEndDragging;
    std::function<void(ScrollView&)> didEndDecelerating;
    std::function<void(ScrollView&)> didEndScrollingAnimation;

    bool isDragging() const { return m_dragging; }
    bool isDecelerating() const { return m_decelerating; }
    bool isTracking() const { return m_dragging; }

    // A desktop mouse wheel or touchpad: moves the content by `delta` points
    // and glides to rest as after a flick (a paging view turns one page).
    // Deltas that come while it glides add to where it is going. Returns
    // false when the content cannot move that way, so an outer view may.
    bool scrollByWheel(Point delta);
    // Scrolls the least needed to show `rect` (in content coordinates).
    void scrollRectToVisible(const Rect& rect, bool animated);
    void scrollToTop(bool animated = true);
    // The offsets the content may rest at.
    Point minimumOffset() const;
    Point maximumOffset() const;

    const std::shared_ptr<PanGestureRecognizer>& panGestureRecognizer() const { return m_pan; }
    void drawAfterSubviews(GraphicsContext& context, const Rect& rect) override;

protected:
    // Moves the content offset by dy without telling anyone, together with
    // the drag or timed move in progress, for content that grew or shrank
    // above what is shown: the finger and the target stay on the same content.
    void shiftContentOffset(double dy);
    // Whether a timed move (an animated scroll, a bounce back) is running, and
    // a new end for it, reached at the time it was to end.
    bool isAnimatingOffset() const { return m_animating; }
    void retargetOffsetAnimation(Point to);

private:
    void handlePan(GestureRecognizer& recognizer);
    void setOffsetNotifying(Point offset);
    Point clampedOffset(Point offset) const;
    bool canScrollHorizontally() const;
    bool canScrollVertically() const;
    void startDeceleration(Point velocity);
    void animateTo(Point target, double duration, bool decelerationEnd);
    void stopMotion();
    void step();

    Size m_contentSize;
    EdgeInsets m_contentInset;
    std::shared_ptr<PanGestureRecognizer> m_pan;
    std::shared_ptr<platform::Timer> m_timer;
    bool m_dragging = false;
    bool m_decelerating = false;
    Point m_dragStartOffset;
    Point m_velocity;
    // A timed move from one offset to another (animated scrolls, bounce back, paging).
    bool m_animating = false;
    Point m_animationFrom;
    Point m_animationTo;
    double m_animationStart = 0;
    double m_animationDuration = 0;
    bool m_animationEndsDeceleration = false;
    double m_lastScrollTime = -1;
};

} // namespace ui
