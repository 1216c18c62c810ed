#include "ui/Label.h"

#include <algorithm>
#include <cmath>

#include "ui/graphics/GraphicsContext.h"
#include "ui/graphics/TextLayout.h"

namespace ui {

Label::Label()
{
    setUserInteractionEnabled(false);
}

Label::Label(const Rect& frame)
    : View(frame)
{
    setUserInteractionEnabled(false);
}

void Label::setText(std::optional<std::string> text)
{
    if (m_text == text && !m_attributedText)
        return;
    m_text = std::move(text);
    m_attributedText.reset();
    setNeedsDisplay();
}

void Label::setAttributedText(std::optional<AttributedString> text)
{
    m_attributedText = std::move(text);
    m_text = m_attributedText ? std::optional(m_attributedText->utf8()) : std::nullopt;
    setNeedsDisplay();
}

void Label::setFont(const Font& font)
{
    if (m_font == font)
        return;
    m_font = font;
    setNeedsDisplay();
}

void Label::setTextColor(const Color& color)
{
    if (m_textColor == color)
        return;
    m_textColor = color;
    setNeedsDisplay();
}

void Label::setTextAlignment(TextAlignment alignment)
{
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    setNeedsDisplay();
}

void Label::setNumberOfLines(int lines)
{
    if (m_numberOfLines == lines)
        return;
    m_numberOfLines = lines;
    setNeedsDisplay();
}

void Label::setLineBreakMode(LineBreakMode mode)
{
    if (m_lineBreakMode == mode)
        return;
    m_lineBreakMode = mode;
    setNeedsDisplay();
}

void Label::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    setNeedsDisplay();
}

void Label::setAdjustsFontSizeToFitWidth(bool adjusts)
{
    if (m_adjustsFontSizeToFitWidth == adjusts)
        return;
    m_adjustsFontSizeToFitWidth = adjusts;
    setNeedsDisplay();
}

void Label::setMinimumScaleFactor(double factor)
{
    factor = std::clamp(factor, 0.0, 1.0);
    if (m_minimumScaleFactor == factor)
        return;
    m_minimumScaleFactor = factor;
    setNeedsDisplay();
}

Font Label::fittedFont() const
{
    double width = bounds().width();
    if (!m_adjustsFontSizeToFitWidth || m_numberOfLines != 1 || m_attributedText || !m_text || width <= 0)
        return m_font;
    auto natural = [&](const Font& font) {
        TextAttributes attributes;
        attributes.font = font;
        return TextLayout::measure(AttributedString::fromUtf8(*m_text, attributes), 0, 1).width;
    };
    double measured = natural(m_font);
    if (measured <= width)
        return m_font;
    // Text width grows with the size nearly in proportion; a few half-point
    // steps take up what hinting and rounding leave over.
    double smallest = std::max(1.0, m_font.pointSize() * m_minimumScaleFactor);
    double size = std::max(smallest, std::floor(m_font.pointSize() * width / measured * 2) / 2);
    Font font = m_font.withSize(size);
    while (size > smallest && natural(font) > width) {
        size = std::max(smallest, size - 0.5);
        font = m_font.withSize(size);
    }
    return font;
}

AttributedString Label::effectiveText() const
{
    return m_attributedText ? *m_attributedText : plainText(fittedFont());
}

AttributedString Label::plainText(const Font& font) const
{
    TextAttributes attributes;
    attributes.font = font;
    attributes.foreground = m_enabled ? m_textColor : m_textColor.withAlpha(m_textColor.alpha * 0.44);
    ParagraphStyle paragraph;
    paragraph.alignment = m_alignment;
    paragraph.lineBreakMode = m_lineBreakMode;
    attributes.paragraph = paragraph;
    return AttributedString::fromUtf8(m_text.value_or(""), attributes);
}

static int linesFitting(const Font& font, double height, int numberOfLines)
{
    double lineHeight = std::max(1.0, font.lineHeight());
    int fitting = std::max(1, int(std::floor(height / lineHeight + 0.01)));
    return numberOfLines == 0 ? fitting : std::min(numberOfLines, fitting);
}

Rect Label::textRectForBounds(const Rect& bounds, int numberOfLines) const
{
    auto text = effectiveText();
    if (text.length() == 0)
        return { bounds.x(), bounds.y(), 0, 0 };
    TextLayout::Options options;
    options.width = bounds.width();
    options.maxLines = numberOfLines;
    options.lineBreakMode = m_attributedText ? std::nullopt : std::optional(m_lineBreakMode);
    TextLayout layout(text, options);
    Size size = layout.size();
    return { bounds.x(), bounds.y(), std::min(std::ceil(size.width), bounds.width()), std::min(std::ceil(size.height), bounds.height()) };
}

void Label::drawTextInRect(GraphicsContext& context, const Rect& rect)
{
    auto text = effectiveText();
    if (text.length() == 0)
        return;
    TextLayout::Options options;
    options.width = rect.width();
    options.maxLines = linesFitting(m_font, rect.height(), m_numberOfLines);
    if (!m_attributedText)
        options.lineBreakMode = m_lineBreakMode;
    TextLayout layout(text, options);
    double height = layout.size().height;
    double y = rect.y() + (rect.height() - height) / 2;
    context.save();
    context.clipToRect(bounds());
    context.drawText(layout, { rect.x(), y });
    context.restore();
}

void Label::draw(GraphicsContext& context, const Rect&)
{
    drawTextInRect(context, bounds());
}

Size Label::sizeThatFits(Size size) const
{
    auto text = m_attributedText ? *m_attributedText : plainText(m_font);
    if (text.length() == 0)
        return { 0, 0 };
    double width = m_numberOfLines == 1 ? 0 : size.width;
    Size measured = TextLayout::measure(text, width, m_numberOfLines);
    return { std::ceil(measured.width), std::ceil(measured.height) };
}

std::string Label::debugText() const
{
    return m_text.value_or("");
}

} // namespace ui
