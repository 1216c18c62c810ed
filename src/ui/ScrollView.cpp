#include "ui/ScrollView.h"

#include <algorithm>
#include <cmath>

#include "platform/MainQueue.h"
#include "ui/graphics/GraphicsContext.h"

namespace ui {

static constexpr double kFrameInterval = 1.0 / 60;
// Velocity kept per millisecond of a flick, as the phone's normal deceleration.
static constexpr double kDecelerationRate = 0.998;
// A wheel step eases out over this long, like the end of a flick.
static constexpr double kWheelGlideDuration = 0.3;
// How long the indicators stay after the content last moved.
static constexpr double kIndicatorLinger = 0.5;

ScrollView::ScrollView()
    : ScrollView(Rect {})
{
}

ScrollView::ScrollView(const Rect& frame)
    : View(frame)
{
    setClipsToBounds(true);
    m_pan = std::make_shared<PanGestureRecognizer>([this](GestureRecognizer& r) { handlePan(r); });
    m_pan->setDelaysTouchesBegan(true);
    m_pan->shouldBegin = [this](GestureRecognizer& r) {
        if (!scrollEnabled)
            return false;
        auto touched = r.touch() ? r.touch()->view() : nullptr;
        return canCancelContentTouches || !touched || touched.get() == this;
    };
    addGestureRecognizer(m_pan);
}

ScrollView::~ScrollView()
{
    if (m_timer)
        m_timer->invalidate();
}

void ScrollView::setDelaysContentTouches(bool delays)
{
    m_pan->setDelaysTouchesBegan(delays);
}

void ScrollView::setContentSize(Size size)
{
    if (m_contentSize == size)
        return;
    m_contentSize = size;
    setNeedsDisplay();
}

void ScrollView::setContentInset(const EdgeInsets& insets)
{
    if (m_contentInset == insets)
        return;
    m_contentInset = insets;
    setNeedsDisplay();
}

Point ScrollView::minimumOffset() const
{
    return { -m_contentInset.left, -m_contentInset.top };
}

Point ScrollView::maximumOffset() const
{
    Point min = minimumOffset();
    Size size = bounds().size;
    return { std::max(min.x, m_contentSize.width + m_contentInset.right - size.width),
        std::max(min.y, m_contentSize.height + m_contentInset.bottom - size.height) };
}

Point ScrollView::clampedOffset(Point offset) const
{
    Point min = minimumOffset(), max = maximumOffset();
    return { std::clamp(offset.x, min.x, max.x), std::clamp(offset.y, min.y, max.y) };
}

bool ScrollView::canScrollHorizontally() const
{
    return maximumOffset().x > minimumOffset().x || alwaysBounceHorizontal;
}

bool ScrollView::canScrollVertically() const
{
    return maximumOffset().y > minimumOffset().y || alwaysBounceVertical;
}

void ScrollView::setOffsetNotifying(Point offset)
{
    Rect b = bounds();
    if (b.origin == offset)
        return;
    Animation::performWithoutAnimation([&] { setBounds({ offset, b.size }); });
    m_lastScrollTime = platform::MainQueue::shared().now();
    auto self = sharedView();
    // The indicators fade when the content rests; ask for the frame that hides them.
    std::weak_ptr<View> weak = self;
    platform::MainQueue::shared().after(kIndicatorLinger + 0.01, [weak] {
        if (auto view = weak.lock())
            view->setNeedsDisplay();
    });
    if (didScroll)
        didScroll(*this);
}

void ScrollView::setContentOffset(Point offset, bool animated)
{
    stopMotion();
    if (animated) {
        animateTo(offset, 0.3, false);
        return;
    }
    setOffsetNotifying(offset);
}

void ScrollView::shiftContentOffset(double dy)
{
    if (dy == 0)
        return;
    Rect b = bounds();
    Animation::performWithoutAnimation([&] { setBounds({ { b.x(), b.y() + dy }, b.size }); });
    m_dragStartOffset.y += dy;
    m_animationFrom.y += dy;
    m_animationTo.y += dy;
}

void ScrollView::retargetOffsetAnimation(Point to)
{
    if (m_animating)
        m_animationTo = to;
}

void ScrollView::scrollRectToVisible(const Rect& rect, bool animated)
{
    Rect visible = bounds();
    Point target = visible.origin;
    if (rect.maxY() > visible.maxY())
        target.y = rect.maxY() - visible.height();
    if (rect.y() < target.y)
        target.y = rect.y();
    if (rect.maxX() > visible.maxX())
        target.x = rect.maxX() - visible.width();
    if (rect.x() < target.x)
        target.x = rect.x();
    target = clampedOffset(target);
    if (target != visible.origin)
        setContentOffset(target, animated);
}

void ScrollView::scrollToTop(bool animated)
{
    setContentOffset({ contentOffset().x, minimumOffset().y }, animated);
}

void ScrollView::stopMotion()
{
    if (m_timer) {
        m_timer->invalidate();
        m_timer.reset();
    }
    m_animating = false;
    m_decelerating = false;
}

void ScrollView::handlePan(GestureRecognizer& recognizer)
{
    auto& pan = static_cast<PanGestureRecognizer&>(recognizer);
    auto self = sharedView();
    switch (recognizer.state()) {
    case GestureRecognizer::State::Began:
        if (!scrollEnabled)
            return;
        stopMotion();
        m_dragging = true;
        m_dragStartOffset = contentOffset();
        if (willBeginDragging)
            willBeginDragging(*this);
        [[fallthrough]];
    case GestureRecognizer::State::Changed: {
        if (!m_dragging)
            return;
        Point t = pan.translationIn(this);
        Point wanted { canScrollHorizontally() ? m_dragStartOffset.x - t.x : contentOffset().x,
            canScrollVertically() ? m_dragStartOffset.y - t.y : contentOffset().y };
        Point clamped = clampedOffset(wanted);
        // Past an edge the content follows the finger at half speed, or not at all without bouncing.
        Point offset = bounces ? Point { clamped.x + (wanted.x - clamped.x) / 2, clamped.y + (wanted.y - clamped.y) / 2 } : clamped;
        setOffsetNotifying(offset);
        break;
    }
    case GestureRecognizer::State::Ended:
    case GestureRecognizer::State::Cancelled: {
        if (!m_dragging)
            return;
        m_dragging = false;
        Point v = pan.velocityIn(this);
        Point velocity { canScrollHorizontally() ? -v.x : 0, canScrollVertically() ? -v.y : 0 };
        if (pagingEnabled) {
            Size page = bounds().size;
            Point current = contentOffset();
            auto pageTarget = [&](double offset, double start, double size, double speed) {
                if (size <= 0)
                    return offset;
                double index = std::round((offset) / size);
                if (speed > 300)
                    index = std::floor(start / size) + 1;
                else if (speed < -300)
                    index = std::ceil(start / size) - 1;
                return index * size;
            };
            Point target = clampedOffset({ pageTarget(current.x, m_dragStartOffset.x, page.width, velocity.x),
                pageTarget(current.y, m_dragStartOffset.y, page.height, velocity.y) });
            bool moves = target != current;
            if (didEndDragging)
                didEndDragging(*this, moves);
            if (moves)
                animateTo(target, 0.3, true);
            else if (didEndDecelerating)
                didEndDecelerating(*this);
            return;
        }
        bool moving = std::hypot(velocity.x, velocity.y) > 50 || clampedOffset(contentOffset()) != contentOffset();
        if (didEndDragging)
            didEndDragging(*this, moving);
        if (moving)
            startDeceleration(velocity);
        break;
    }
    default:
        break;
    }
}

bool ScrollView::scrollByWheel(Point delta)
{
    if (!scrollEnabled || m_dragging)
        return false;
    Point base = m_animating ? m_animationTo : contentOffset();
    if (!canScrollHorizontally())
        delta.x = 0;
    if (!canScrollVertically())
        delta.y = 0;
    Point wanted { base.x + delta.x, base.y + delta.y };
    if (pagingEnabled) {
        Size page = bounds().size;
        auto turn = [](double offset, double step, double size) {
            if (size <= 0 || step == 0)
                return offset;
            return (std::round(offset / size) + (step > 0 ? 1 : -1)) * size;
        };
        wanted = { turn(base.x, delta.x, page.width), turn(base.y, delta.y, page.height) };
    }
    Point target = clampedOffset(wanted);
    if (target == base && !m_animating)
        return false;
    if (target == base)
        return true;
    animateTo(target, kWheelGlideDuration, true);
    return true;
}

void ScrollView::startDeceleration(Point velocity)
{
    m_velocity = velocity;
    m_decelerating = true;
    std::weak_ptr<View> weak = sharedView();
    m_timer = platform::Timer::scheduled(kFrameInterval, true, [weak](platform::Timer&) {
        if (auto self = std::static_pointer_cast<ScrollView>(weak.lock()))
            self->step();
    });
}

void ScrollView::animateTo(Point target, double duration, bool decelerationEnd)
{
    if (m_timer)
        m_timer->invalidate();
    m_animating = true;
    m_decelerating = decelerationEnd;
    m_animationFrom = contentOffset();
    m_animationTo = target;
    m_animationStart = platform::MainQueue::shared().now();
    m_animationDuration = duration;
    m_animationEndsDeceleration = decelerationEnd;
    std::weak_ptr<View> weak = sharedView();
    m_timer = platform::Timer::scheduled(kFrameInterval, true, [weak](platform::Timer&) {
        if (auto self = std::static_pointer_cast<ScrollView>(weak.lock()))
            self->step();
    });
}

void ScrollView::step()
{
    auto self = sharedView();
    double now = platform::MainQueue::shared().now();
    if (m_animating) {
        AnimationTiming timing { m_animationStart, m_animationDuration, AnimationCurve::EaseOut };
        double p = timing.progressAt(now);
        setOffsetNotifying(Animation::interpolate(m_animationFrom, m_animationTo, p));
        if (p >= 1) {
            bool endsDeceleration = m_animationEndsDeceleration;
            stopMotion();
            if (endsDeceleration) {
                if (didEndDecelerating)
                    didEndDecelerating(*this);
            } else if (didEndScrollingAnimation) {
                didEndScrollingAnimation(*this);
            }
        }
        return;
    }
    if (!m_decelerating)
        return;
    Point offset = contentOffset();
    Point clamped = clampedOffset(offset);
    if (clamped != offset) {
        // Out of range: stop the flick and spring back to the edge.
        animateTo(bounces ? clamped : clamped, 0.3, true);
        return;
    }
    double decay = std::pow(kDecelerationRate, kFrameInterval * 1000);
    Point next { offset.x + m_velocity.x * kFrameInterval, offset.y + m_velocity.y * kFrameInterval };
    m_velocity = { m_velocity.x * decay, m_velocity.y * decay };
    if (!bounces)
        next = clampedOffset(next);
    setOffsetNotifying(next);
    if (std::hypot(m_velocity.x, m_velocity.y) < 10) {
        Point rest = clampedOffset(contentOffset());
        if (rest != contentOffset()) {
            animateTo(rest, 0.3, true);
            return;
        }
        stopMotion();
        if (didEndDecelerating)
            didEndDecelerating(*this);
    }
}

void ScrollView::drawAfterSubviews(GraphicsContext& context, const Rect&)
{
    // Indicators show while the content moves and for a moment after.
    double now = platform::MainQueue::shared().now();
    if (m_lastScrollTime < 0 || now - m_lastScrollTime > kIndicatorLinger)
        return;
    Rect b = bounds();
    Color ink = Color::blackColor().withAlpha(0.35);
    if (showsVerticalScrollIndicator && m_contentSize.height > b.height()) {
        double total = m_contentSize.height + m_contentInset.top + m_contentInset.bottom;
        double length = std::max(36.0, b.height() * b.height() / total);
        double range = maximumOffset().y - minimumOffset().y;
        double progress = range > 0 ? (b.y() - minimumOffset().y) / range : 0;
        double y = b.y() + m_contentInset.top + std::clamp(progress, 0.0, 1.0) * (b.height() - m_contentInset.top - m_contentInset.bottom - length);
        context.fillRoundedRect({ b.maxX() - 3.5 - 1, y, 2.5, length }, 1.25, ink);
    }
    if (showsHorizontalScrollIndicator && m_contentSize.width > b.width()) {
        double length = std::max(36.0, b.width() * b.width() / m_contentSize.width);
        double range = maximumOffset().x - minimumOffset().x;
        double progress = range > 0 ? (b.x() - minimumOffset().x) / range : 0;
        double x = b.x() + std::clamp(progress, 0.0, 1.0) * (b.width() - length);
        context.fillRoundedRect({ x, b.maxY() - 3.5, length, 2.5 }, 1.25, ink);
    }
}

} // namespace ui
