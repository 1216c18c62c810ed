#include "render/RIBubbleMaskView.h"

#include "ui/graphics/GraphicsContext.h"

namespace {

constexpr double kOverlap = 0.5;

} // namespace

RIBubbleMaskView::RIBubbleMaskView()
{
    setUserInteractionEnabled(false);
}

void RIBubbleMaskView::setContents(ui::ImagePtr image, double contentsScale)
{
    if (m_contents == image && m_contentsScale == contentsScale)
        return;
    // The bitmap is drawn slice by slice, so drop any caps it came with.
    if (image && image->isStretchable())
        image = ui::Image::fromPixels(image->pixels(), image->scale());
    m_contents = std::move(image);
    m_contentsScale = contentsScale > 0 ? contentsScale : 1;
    setNeedsDisplay();
}

void RIBubbleMaskView::setContentsCenter(const ui::Rect& center)
{
    if (m_contentsCenter == center)
        return;
    m_contentsCenter = center;
    setNeedsDisplay();
}

RIBubbleMaskView::Slices RIBubbleMaskView::slices(double natural, double stretchStart, double stretchLength, double length)
{
    double s0 = natural * stretchStart;
    double s1 = natural * (stretchStart + stretchLength);
    double fixedBefore = s0, fixedAfter = natural - s1;
    double fixed = fixedBefore + fixedAfter;
    Slices result { { 0, s0, s1, natural }, { 0, 0, 0, length } };
    if (length >= fixed) {
        result.destination[1] = fixedBefore;
        result.destination[2] = length - fixedAfter;
    } else {
        // Too small for the fixed parts: they shrink in proportion and the
        // stretched middle vanishes.
        double k = fixed > 0 ? length / fixed : 0;
        result.destination[1] = result.destination[2] = fixedBefore * k;
    }
    return result;
}

void RIBubbleMaskView::draw(ui::GraphicsContext& context, const ui::Rect& rect)
{
    if (!m_contents || m_contents->pixelWidth() <= 0 || m_contents->pixelHeight() <= 0)
        return;
    double naturalWidth = m_contents->pixelWidth() / m_contentsScale;
    double naturalHeight = m_contents->pixelHeight() / m_contentsScale;
    Slices columns = slices(naturalWidth, m_contentsCenter.x(), m_contentsCenter.width(), rect.width());
    Slices rows = slices(naturalHeight, m_contentsCenter.y(), m_contentsCenter.height(), rect.height());
    ui::Rect whole { 0, 0, naturalWidth, naturalHeight };
    for (int row = 0; row < 3; ++row) {
        double sy0 = rows.source[row], sy1 = rows.source[row + 1];
        double dy0 = rows.destination[row], dy1 = rows.destination[row + 1];
        if (sy1 <= sy0 || dy1 <= dy0)
            continue;
        for (int column = 0; column < 3; ++column) {
            double sx0 = columns.source[column], sx1 = columns.source[column + 1];
            double dx0 = columns.destination[column], dx1 = columns.destination[column + 1];
            if (sx1 <= sx0 || dx1 <= dx0)
                continue;
            // The whole bitmap, scaled and moved so that this slice lands on
            // its destination, seen only through the destination.
            context.save();
            context.translate(rect.x(), rect.y());
            // Neighbouring slices overlap a little inside the picture, so that
            // antialiased clip edges leave no faint seam across the mask.
            double left = column > 0 ? dx0 - kOverlap : dx0, right = column < 2 ? dx1 + kOverlap : dx1;
            double top = row > 0 ? dy0 - kOverlap : dy0, bottom = row < 2 ? dy1 + kOverlap : dy1;
            context.clipToRect({ left, top, right - left, bottom - top });
            double sx = (dx1 - dx0) / (sx1 - sx0), sy = (dy1 - dy0) / (sy1 - sy0);
            context.translate(dx0 - sx0 * sx, dy0 - sy0 * sy);
            context.concat(ui::AffineTransform::scale(sx, sy));
            context.drawImage(*m_contents, whole);
            context.restore();
        }
    }
}
