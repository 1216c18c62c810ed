#include "ui/ImageView.h"

#include <algorithm>
#include <cairo.h>

#include "ui/graphics/GraphicsContext.h"

namespace ui {

ImageView::ImageView()
{
    setUserInteractionEnabled(false);
}

ImageView::ImageView(const Rect& frame)
    : View(frame)
{
    setUserInteractionEnabled(false);
}

ImageView::ImageView(ImagePtr image)
    : View(Rect { 0, 0, image ? image->size().width : 0, image ? image->size().height : 0 })
    , m_image(std::move(image))
{
    setUserInteractionEnabled(false);
}

void ImageView::setImage(ImagePtr image)
{
    if (m_image == image)
        return;
    m_image = std::move(image);
    setNeedsDisplay();
}

void ImageView::setHighlightedImage(ImagePtr image)
{
    if (m_highlightedImage == image)
        return;
    m_highlightedImage = std::move(image);
    setNeedsDisplay();
}

void ImageView::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    setNeedsDisplay();
}

void ImageView::setDimmed(bool dimmed)
{
    if (m_dimmed == dimmed)
        return;
    m_dimmed = dimmed;
    setNeedsDisplay();
}

void ImageView::setTemplateColor(std::optional<Color> color)
{
    if (m_templateColor == color)
        return;
    m_templateColor = color;
    setNeedsDisplay();
}

Rect ImageView::imageRect(const Size& size, const Rect& b, ContentMode mode)
{
    switch (mode) {
    case ContentMode::ScaleToFill:
    case ContentMode::Redraw:
        return b;
    case ContentMode::ScaleAspectFit:
    case ContentMode::ScaleAspectFill: {
        if (size.width <= 0 || size.height <= 0)
            return b;
        double sx = b.width() / size.width, sy = b.height() / size.height;
        double s = mode == ContentMode::ScaleAspectFit ? std::min(sx, sy) : std::max(sx, sy);
        double w = size.width * s, h = size.height * s;
        return { b.x() + (b.width() - w) / 2, b.y() + (b.height() - h) / 2, w, h };
    }
    case ContentMode::Center:
        return { b.x() + (b.width() - size.width) / 2, b.y() + (b.height() - size.height) / 2, size.width, size.height };
    case ContentMode::Top:
        return { b.x() + (b.width() - size.width) / 2, b.y(), size.width, size.height };
    case ContentMode::Bottom:
        return { b.x() + (b.width() - size.width) / 2, b.maxY() - size.height, size.width, size.height };
    case ContentMode::Left:
        return { b.x(), b.y() + (b.height() - size.height) / 2, size.width, size.height };
    case ContentMode::Right:
        return { b.maxX() - size.width, b.y() + (b.height() - size.height) / 2, size.width, size.height };
    }
    return b;
}

void ImageView::draw(GraphicsContext& context, const Rect&)
{
    const ImagePtr& shown = m_highlighted && m_highlightedImage ? m_highlightedImage : m_image;
    if (!shown)
        return;
    Rect target = shown->isStretchable() ? bounds() : imageRect(shown->size(), bounds(), contentMode());
    if (!m_dimmed && !m_templateColor) {
        context.drawImage(*shown, target);
        return;
    }
    // A template image is its shape in one colour; a pressed image is the
    // picture with a dark veil over its opaque parts.
    cairo_t* cr = context.cairo();
    cairo_push_group(cr);
    context.drawImage(*shown, target);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    if (m_templateColor)
        cairo_set_source_rgba(cr, m_templateColor->red, m_templateColor->green, m_templateColor->blue, m_templateColor->alpha);
    else
        cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_rectangle(cr, target.x(), target.y(), target.width(), target.height());
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_paint(cr);
}

Size ImageView::sizeThatFits(Size) const
{
    return m_image ? m_image->size() : Size {};
}

std::string ImageView::debugImageName() const
{
    return m_image ? m_image->name() : std::string {};
}

} // namespace ui
