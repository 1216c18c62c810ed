#include "ui/ProgressView.h"

#include <algorithm>

#include "ui/graphics/GraphicsContext.h"

namespace ui {

static constexpr double kHeight = 2;
static constexpr double kAnimationDuration = 0.25;

ProgressView::ProgressView()
    : ProgressView(Rect {})
{
}

ProgressView::ProgressView(const Rect& frame)
    : View(frame)
{
    setUserInteractionEnabled(false);
    m_bar = View::make<View>(progressRect());
    m_bar->setBackgroundColor(m_progressTintColor);
    addSubview(m_bar);
}

Rect ProgressView::progressRect() const
{
    Rect b = bounds();
    return { 0, 0, b.width() * double(m_progress), b.height() };
}

void ProgressView::setProgress(float progress, bool animated)
{
    progress = std::clamp(progress, 0.0f, 1.0f);
    if (m_progress == progress)
        return;
    m_progress = progress;
    Rect target = progressRect();
    if (animated)
        Animation::animate(kAnimationDuration, [&] { m_bar->setFrame(target); });
    else
        Animation::performWithoutAnimation([&] { m_bar->setFrame(target); });
}

void ProgressView::setProgressTintColor(const Color& color)
{
    if (m_progressTintColor == color)
        return;
    m_progressTintColor = color;
    m_bar->setBackgroundColor(color);
}

void ProgressView::setTrackTintColor(const Color& color)
{
    if (m_trackTintColor == color)
        return;
    m_trackTintColor = color;
    setNeedsDisplay();
}

Size ProgressView::sizeThatFits(Size size) const
{
    return { size.width, kHeight };
}

void ProgressView::layoutSubviews()
{
    if (!m_bar->isAnimating())
        m_bar->setFrame(progressRect());
}

void ProgressView::draw(GraphicsContext& context, const Rect& rect)
{
    context.fillRect(rect, m_trackTintColor);
}

} // namespace ui
