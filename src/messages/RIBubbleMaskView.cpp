#include "messages/RIBubbleMaskView.h"

#include <cmath>

#include "ui/Renderer.h"
#include "ui/Screen.h"
#include "ui/graphics/GraphicsContext.h"

namespace {

// Draws the slices of a bitmap at the origin of an offscreen picture, where
// the slice edges can be put on whole pixels: antialiased clip edges would
// otherwise leave faint seams (or doubled rim pixels) across the mask.
class SlicedBitmap : public ui::View {
public:
    SlicedBitmap(ui::ImagePtr contents, double contentsScale, ui::Rect center, double scale)
        : m_contents(std::move(contents))
        , m_contentsScale(contentsScale)
        , m_center(center)
        , m_scale(scale)
    {
    }

    void draw(ui::GraphicsContext& context, const ui::Rect& rect) override
    {
        double naturalWidth = m_contents->pixelWidth() / m_contentsScale;
        double naturalHeight = m_contents->pixelHeight() / m_contentsScale;
        auto columns = RIBubbleMaskView::slices(naturalWidth, m_center.x(), m_center.width(), rect.width());
        auto rows = RIBubbleMaskView::slices(naturalHeight, m_center.y(), m_center.height(), rect.height());
        for (int i = 1; i < 3; ++i) {
            columns.destination[i] = snap(columns.destination[i]);
            rows.destination[i] = snap(rows.destination[i]);
        }
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
                // The whole bitmap, scaled and moved so that this slice lands
                // on its destination, seen only through the destination.
                context.save();
                context.clipToRect({ dx0, dy0, dx1 - dx0, dy1 - dy0 });
                double sx = (dx1 - dx0) / (sx1 - sx0), sy = (dy1 - dy0) / (sy1 - sy0);
                context.translate(dx0 - sx0 * sx, dy0 - sy0 * sy);
                context.concat(ui::AffineTransform::scale(sx, sy));
                context.drawImage(*m_contents, whole);
                context.restore();
            }
        }
    }

private:
    double snap(double value) const { return std::round(value * m_scale) / m_scale; }

    ui::ImagePtr m_contents;
    double m_contentsScale;
    ui::Rect m_center;
    double m_scale;
};

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
    m_rendered.reset();
    setNeedsDisplay();
}

void RIBubbleMaskView::setContentsCenter(const ui::Rect& center)
{
    if (m_contentsCenter == center)
        return;
    m_contentsCenter = center;
    m_rendered.reset();
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
    if (!m_contents || m_contents->pixelWidth() <= 0 || m_contents->pixelHeight() <= 0 || rect.isEmpty())
        return;
    double scale = ui::Screen::main().scale();
    if (!m_rendered || m_renderedSize != rect.size || m_renderedScale != scale) {
        auto slicer = View::make<SlicedBitmap>(m_contents, m_contentsScale, m_contentsCenter, scale);
        slicer->setFrame({ 0, 0, rect.width(), rect.height() });
        m_rendered = ui::Renderer::snapshotView(*slicer, scale);
        m_renderedSize = rect.size;
        m_renderedScale = scale;
    }
    context.drawImage(*m_rendered, rect);
}
