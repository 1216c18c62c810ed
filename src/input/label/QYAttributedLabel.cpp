#include "input/label/QYAttributedLabel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "input/label/QYAttributedStringBuilder.h"
#include "ui/GestureRecognizer.h"
#include "ui/MenuController.h"
#include "ui/graphics/GraphicsContext.h"
#include "ui/graphics/TextLayout.h"

namespace {

// How long a press must last to offer the edit menu.
constexpr double kLongPressDuration = 1.0;

double finiteOr(double value, double fallback)
{
    return std::isfinite(value) ? value : fallback;
}

} // namespace

QYAttributedLabel::QYAttributedLabel()
{
    initialize();
}

QYAttributedLabel::QYAttributedLabel(const ui::Rect& frame)
    : View(frame)
{
    initialize();
}

QYAttributedLabel::~QYAttributedLabel() = default;

void QYAttributedLabel::initialize()
{
    // The recognizer lives as long as the label; its action may not outlive it.
    auto press = std::make_shared<ui::LongPressGestureRecognizer>([this](ui::GestureRecognizer& recognizer) {
        if (recognizer.state() == ui::GestureRecognizer::State::Began)
            handleTap();
    });
    press->setMinimumPressDuration(kLongPressDuration);
    addGestureRecognizer(press);
}

void QYAttributedLabel::setText(std::optional<std::u16string> text)
{
    if (!text) {
        storeText(std::nullopt);
        return;
    }
    storeText(ui::AttributedString(std::move(*text), labelAttributes()));
}

void QYAttributedLabel::setAttributedText(std::optional<ui::AttributedString> text)
{
    storeText(std::move(text));
}

void QYAttributedLabel::setTextInheritingLabelAttributes(ui::AttributedString text)
{
    text.addAttributes(labelAttributes(), {0, text.length()});
    storeText(std::move(text));
}

void QYAttributedLabel::storeText(std::optional<ui::AttributedString> text)
{
    // New text has none of the old text's links.
    m_attributedText = std::move(text);
    m_links.clear();
    m_linkDrawAttributes.clear();
    m_activeLink.reset();
    invalidateDisplayedString();
}

std::u16string QYAttributedLabel::text() const
{
    return m_attributedText ? m_attributedText->text() : std::u16string();
}

ui::TextAttributes QYAttributedLabel::labelAttributes() const
{
    ui::TextAttributes attributes;
    attributes.font = m_font;
    attributes.foreground = m_textColor;
    ui::ParagraphStyle paragraph;
    paragraph.alignment = m_textAlignment;
    paragraph.lineBreakMode = m_lineBreakMode;
    paragraph.lineHeightMultiple = m_lineHeightMultiple;
    paragraph.lineSpacing = m_lineSpacing;
    attributes.paragraph = paragraph;
    return attributes;
}

void QYAttributedLabel::setFont(const ui::Font& font)
{
    if (m_font == font)
        return;
    m_font = font;
    setNeedsDisplay();
}

void QYAttributedLabel::setTextColor(const ui::Color& color)
{
    if (m_textColor == color)
        return;
    m_textColor = color;
    setNeedsDisplay();
}

void QYAttributedLabel::setLineBreakMode(ui::LineBreakMode mode)
{
    if (m_lineBreakMode == mode)
        return;
    m_lineBreakMode = mode;
    setNeedsDisplay();
}

void QYAttributedLabel::setNumberOfLines(int lines)
{
    lines = std::max(0, lines);
    if (m_numberOfLines == lines)
        return;
    m_numberOfLines = lines;
    setNeedsDisplay();
}

void QYAttributedLabel::setTextAlignment(ui::TextAlignment alignment)
{
    if (m_textAlignment == alignment)
        return;
    m_textAlignment = alignment;
    setNeedsDisplay();
}

void QYAttributedLabel::setTextInsets(const ui::EdgeInsets& insets)
{
    if (m_textInsets == insets)
        return;
    m_textInsets = insets;
    setNeedsDisplay();
}

void QYAttributedLabel::setLineHeightMultiple(double multiple)
{
    if (m_lineHeightMultiple == multiple)
        return;
    m_lineHeightMultiple = multiple;
    setNeedsDisplay();
}

void QYAttributedLabel::setLineSpacing(double spacing)
{
    if (m_lineSpacing == spacing)
        return;
    m_lineSpacing = spacing;
    setNeedsDisplay();
}

void QYAttributedLabel::setPreferredMaxLayoutWidth(double width)
{
    if (m_preferredMaxLayoutWidth == width)
        return;
    m_preferredMaxLayoutWidth = width;
    setNeedsLayout();
}

void QYAttributedLabel::setLinkAttributes(const ui::TextAttributes& attributes)
{
    if (m_linkAttributes == attributes)
        return;
    m_linkAttributes = attributes;
    setNeedsDisplay();
}

void QYAttributedLabel::setActiveLinkAttributes(const ui::TextAttributes& attributes)
{
    if (m_activeLinkAttributes == attributes)
        return;
    m_activeLinkAttributes = attributes;
    invalidateDisplayedString();
}

void QYAttributedLabel::setInactiveLinkAttributes(const ui::TextAttributes& attributes)
{
    if (m_inactiveLinkAttributes == attributes)
        return;
    m_inactiveLinkAttributes = attributes;
    setNeedsDisplay();
}

void QYAttributedLabel::addLinks(const std::vector<QYTextLink>& links, const ui::TextAttributes& attributes)
{
    std::size_t length = m_attributedText ? m_attributedText->length() : 0;
    for (const QYTextLink& link : links) {
        if (link.range.length == 0 || link.range.end() > length)
            continue;
        m_links.push_back(link);
        m_linkDrawAttributes.push_back(attributes);
    }
    invalidateDisplayedString();
}

const ui::AttributedString& QYAttributedLabel::displayedString() const
{
    // Without links the text is shown as it is.
    if (m_links.empty() && m_attributedText)
        return *m_attributedText;
    if (m_displayed)
        return *m_displayed;
    if (!m_attributedText) {
        m_displayed.emplace();
        return *m_displayed;
    }
    // Links never overlap each other; order them along the text.
    std::vector<std::size_t> order(m_links.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return m_links[a].range.location < m_links[b].range.location; });
    std::vector<QYAttributedStringBuilder::Overlay> overlays;
    overlays.reserve(order.size());
    for (std::size_t i : order) {
        ui::TextAttributes attributes = m_linkDrawAttributes[i];
        if (m_activeLink == i)
            attributes.merge(m_activeLinkAttributes);
        overlays.push_back({m_links[i].range, attributes});
    }
    QYAttributedStringBuilder builder;
    builder.append(*m_attributedText, overlays);
    m_displayed = builder.build();
    return *m_displayed;
}

void QYAttributedLabel::invalidateDisplayedString()
{
    m_displayed.reset();
    setNeedsDisplay();
}

std::unique_ptr<ui::TextLayout> QYAttributedLabel::makeLayout(const ui::Rect& rect, int numberOfLines) const
{
    ui::TextLayout::Options options;
    options.width = std::max(0.0, finiteOr(rect.width(), 0));
    options.maxLines = numberOfLines;
    options.alignment = m_textAlignment;
    options.lineBreakMode = m_lineBreakMode;
    return std::make_unique<ui::TextLayout>(displayedString(), options);
}

ui::Size QYAttributedLabel::sizeThatFitsAttributedString(const ui::AttributedString& text, ui::Size constraints,
                                                         int lines)
{
    if (text.length() == 0)
        return {0, 0};
    double width = std::max(0.0, finiteOr(constraints.width, 0));
    ui::Size measured = ui::TextLayout::measure(text, width, std::max(0, lines));
    double height = std::ceil(measured.height);
    if (std::isfinite(constraints.height) && constraints.height > 0)
        height = std::min(height, constraints.height);
    double fitted = std::ceil(measured.width);
    if (width > 0)
        fitted = std::min(fitted, width);
    return {fitted, height};
}

ui::Rect QYAttributedLabel::textRectForBounds(const ui::Rect& bounds, int numberOfLines) const
{
    ui::Rect inner = bounds.inset(m_textInsets);
    if (!m_attributedText || m_attributedText->length() == 0)
        return {inner.origin, {inner.width(), 0}};
    ui::Size size = makeLayout(inner, numberOfLines)->size();
    double height = std::min(std::ceil(size.height), std::max(0.0, inner.height()));
    double y = inner.y() + std::floor((inner.height() - height) / 2);
    return {{inner.x(), y}, {inner.width(), height}};
}

ui::Size QYAttributedLabel::sizeThatFits(ui::Size size) const
{
    if (!m_attributedText || m_attributedText->length() == 0)
        return {0, 0};
    double horizontal = m_textInsets.left + m_textInsets.right;
    double vertical = m_textInsets.top + m_textInsets.bottom;
    double width = finiteOr(size.width, 0) > 0 ? std::max(0.0, size.width - horizontal) : 0;
    ui::Size fitted = sizeThatFitsAttributedString(displayedString(), {width, std::numeric_limits<double>::infinity()},
                                                   m_numberOfLines);
    return {fitted.width + horizontal, fitted.height + vertical};
}

ui::Size QYAttributedLabel::intrinsicContentSize() const
{
    ui::Size fitted = sizeThatFits({m_preferredMaxLayoutWidth, std::numeric_limits<double>::infinity()});
    // A label that wraps at its preferred width takes that whole width, as
    // the phone's labels do, rather than the width of its longest line.
    if (m_preferredMaxLayoutWidth > 0 && fitted.width < m_preferredMaxLayoutWidth
        && sizeThatFits({0, std::numeric_limits<double>::infinity()}).width > m_preferredMaxLayoutWidth)
        fitted.width = m_preferredMaxLayoutWidth;
    return fitted;
}

void QYAttributedLabel::draw(ui::GraphicsContext& context, const ui::Rect&)
{
    drawTextInRect(context, bounds());
}

void QYAttributedLabel::drawTextInRect(ui::GraphicsContext& context, const ui::Rect& rect)
{
    if (!m_attributedText || m_attributedText->length() == 0)
        return;
    ui::Rect textRect = textRectForBounds(rect, m_numberOfLines);
    auto layout = makeLayout(textRect, m_numberOfLines);
    context.save();
    context.clipToRect(bounds());
    context.drawText(*layout, textRect.origin);
    drawInlineImages(*layout, textRect, context);
    context.restore();
}

void QYAttributedLabel::drawInlineImages(const ui::TextLayout&, const ui::Rect&, ui::GraphicsContext&)
{
}

std::optional<QYTextLink> QYAttributedLabel::linkAtPoint(ui::Point point) const
{
    if (m_links.empty())
        return std::nullopt;
    ui::Rect textRect = textRectForBounds(bounds(), m_numberOfLines);
    auto layout = makeLayout(textRect, m_numberOfLines);
    auto index = layout->indexAt({point.x - textRect.x(), point.y - textRect.y()});
    if (!index)
        return std::nullopt;
    for (const QYTextLink& link : m_links) {
        if (link.range.contains(*index))
            return link;
    }
    return std::nullopt;
}

void QYAttributedLabel::touchesBegan(const ui::TouchList& touches)
{
    std::optional<QYTextLink> link;
    if (touches.size() == 1)
        link = linkAtPoint(touches.front()->locationIn(this));
    if (!link) {
        View::touchesBegan(touches);
        return;
    }
    auto found = std::find(m_links.begin(), m_links.end(), *link);
    m_activeLink = std::size_t(found - m_links.begin());
    invalidateDisplayedString();
}

void QYAttributedLabel::touchesMoved(const ui::TouchList& touches)
{
    if (!m_activeLink) {
        View::touchesMoved(touches);
        return;
    }
    // Sliding off the link releases it, as the phone's labels do.
    auto link = touches.empty() ? std::nullopt : linkAtPoint(touches.front()->locationIn(this));
    if (!link || !(*link == m_links[*m_activeLink])) {
        m_activeLink.reset();
        invalidateDisplayedString();
    }
}

void QYAttributedLabel::touchesEnded(const ui::TouchList& touches)
{
    if (!m_activeLink) {
        View::touchesEnded(touches);
        return;
    }
    QYTextLink link = m_links[*m_activeLink];
    m_activeLink.reset();
    invalidateDisplayedString();
    // The receiver may release the label: nothing touches it after this call.
    auto keepAlive = weak_from_this().lock();
    didSelectLink(link);
}

void QYAttributedLabel::touchesCancelled(const ui::TouchList& touches)
{
    if (!m_activeLink) {
        View::touchesCancelled(touches);
        return;
    }
    m_activeLink.reset();
    invalidateDisplayedString();
}

void QYAttributedLabel::didSelectLink(const QYTextLink& link)
{
    if (auto delegate = m_delegate.lock())
        delegate->attributedLabel(*this, link);
}

void QYAttributedLabel::handleTap()
{
    // The edit menu offers what the first responder can perform: "copy".
    if (!becomeFirstResponder())
        return;
    auto& menu = ui::MenuController::shared();
    menu.setTargetRect(bounds(), this);
    menu.setMenuVisible(true, true);
}

bool QYAttributedLabel::canPerformAction(const std::string& action) const
{
    return action == "copy";
}

bool QYAttributedLabel::performAction(const std::string& action)
{
    if (action != "copy")
        return false;
    copy();
    return true;
}

std::string QYAttributedLabel::debugText() const
{
    return m_attributedText ? m_attributedText->utf8() : std::string();
}
