#include "ui/TextView.h"

#include <algorithm>
#include <cmath>

#include "ui/Keyboard.h"
#include "ui/NotificationCenter.h"
#include "ui/TextEditActions.h"
#include "ui/TextField.h"
#include "ui/graphics/GraphicsContext.h"
#include "ui/graphics/TextLayout.h"

namespace ui {

TextView::TextView()
    : TextView(Rect {})
{
}

TextView::TextView(const Rect& frame)
    : ScrollView(frame)
{
    showsHorizontalScrollIndicator = false;
    updateContentSize();
}

void TextView::setText(const std::u16string& text)
{
    if (m_text == text)
        return;
    m_text = text;
    m_selection.collapse(m_text, m_text.size());
    textDidChange(false);
}

void TextView::setFont(const Font& font)
{
    if (m_font == font)
        return;
    m_font = font;
    updateContentSize();
    setNeedsDisplay();
}

void TextView::setTextColor(const Color& color)
{
    if (m_textColor == color)
        return;
    m_textColor = color;
    setNeedsDisplay();
}

void TextView::setTextAlignment(TextAlignment alignment)
{
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    setNeedsDisplay();
}

void TextView::setTextContainerInset(const EdgeInsets& insets)
{
    if (m_containerInset == insets)
        return;
    m_containerInset = insets;
    updateContentSize();
    setNeedsDisplay();
}

void TextView::setLineFragmentPadding(double padding)
{
    if (m_padding == padding)
        return;
    m_padding = padding;
    updateContentSize();
    setNeedsDisplay();
}

void TextView::setSelectedRange(Range range)
{
    m_selection.select(m_text, range);
    setNeedsDisplay();
}

std::size_t TextView::lineMoveTarget(TextMovement movement) const
{
    std::size_t caret = m_selection.caret();
    if (m_text.empty())
        return 0;
    TextLayout::Options options;
    options.width = textWidth();
    TextLayout layout(AttributedString(m_text, displayedText().attributesAt(0)), options);
    auto lines = layout.lines();
    std::size_t index = 0;
    while (index + 1 < lines.size() && caret >= lines[index + 1].range.location)
        ++index;
    if (lines.empty())
        return caret;
    const auto& line = lines[index];
    switch (movement) {
    case TextMovement::LineStart:
        return line.range.location;
    case TextMovement::LineEnd: {
        // Before the line's own break, not after it.
        std::size_t end = std::min(line.range.end(), m_text.size());
        if (end > line.range.location && m_text[end - 1] == u'\n')
            --end;
        return end;
    }
    case TextMovement::Up:
    case TextMovement::Down: {
        bool up = movement == TextMovement::Up;
        if (up && index == 0)
            return 0;
        if (!up && index + 1 >= lines.size())
            return m_text.size();
        Rect here = layout.caretRect(caret);
        const auto& target = lines[up ? index - 1 : index + 1];
        return std::min(layout.caretIndexAt({ here.x(), target.rect.midY() }), m_text.size());
    }
    default:
        return caret;
    }
}

bool TextView::moveCaret(TextMovement movement, bool extendingSelection)
{
    switch (movement) {
    case TextMovement::Left:
    case TextMovement::Right:
        m_selection.step(m_text, movement == TextMovement::Right, extendingSelection);
        break;
    case TextMovement::DocumentStart:
        m_selection.moveTo(m_text, 0, extendingSelection);
        break;
    case TextMovement::DocumentEnd:
        m_selection.moveTo(m_text, m_text.size(), extendingSelection);
        break;
    default:
        m_selection.moveTo(m_text, lineMoveTarget(movement), extendingSelection);
        break;
    }
    m_marked.clear();
    setNeedsDisplay();
    if (isFirstResponder())
        scrollRangeToVisible({ m_selection.caret(), 0 });
    return true;
}

bool TextView::canPerformAction(const std::string& action) const
{
    if (auto answer = textEditActionAvailable(action, m_text, m_selection.range(), m_editable))
        return *answer;
    return ScrollView::canPerformAction(action);
}

bool TextView::performAction(const std::string& action)
{
    if (!textEditActionAvailable(action, m_text, m_selection.range(), m_editable))
        return ScrollView::performAction(action);
    auto edit = textEditAction(action, m_text, m_selection.range(), m_editable);
    if (!edit)
        return false;
    if (edit->selectAll)
        setSelectedRange({ 0, m_text.size() });
    else if (edit->replacement)
        replaceText(edit->range, *edit->replacement);
    return true;
}

double TextView::textWidth() const
{
    return std::max(1.0, bounds().width() - m_containerInset.left - m_containerInset.right - 2 * m_padding);
}

AttributedString TextView::displayedText() const
{
    TextAttributes attributes;
    attributes.font = m_font;
    attributes.foreground = m_textColor;
    ParagraphStyle paragraph;
    paragraph.alignment = m_alignment;
    paragraph.lineBreakMode = LineBreakMode::WordWrap;
    attributes.paragraph = paragraph;
    AttributedString string(m_text, attributes);
    if (!m_marked.empty()) {
        TextAttributes marked = attributes;
        marked.underline = true;
        string.replace({ m_selection.caret(), 0 }, AttributedString(m_marked, marked));
    } else if (isFirstResponder() && !m_selection.isEmpty()) {
        TextAttributes highlight;
        highlight.background = selectionHighlightColor();
        string.addAttributes(highlight, m_selection.range());
    }
    return string;
}

double TextView::contentHeightForWidth(double width) const
{
    double wrap = std::max(1.0, width - m_containerInset.left - m_containerInset.right - 2 * m_padding);
    auto text = displayedText();
    double textHeight = m_font.lineHeight();
    if (text.length() > 0) {
        // A trailing line break starts a new, empty line below the text.
        if (text.text().back() == u'\n')
            text.append(AttributedString(u" ", text.attributesAt(text.length() - 1)));
        textHeight = TextLayout::measure(text, wrap).height;
    }
    return std::ceil(textHeight + m_containerInset.top + m_containerInset.bottom);
}

void TextView::updateContentSize()
{
    setContentSize({ bounds().width(), contentHeightForWidth(bounds().width()) });
}

void TextView::boundsSizeDidChange(Size)
{
    updateContentSize();
}

Rect TextView::caretRect(std::size_t index) const
{
    auto text = displayedText();
    TextLayout::Options options;
    options.width = textWidth();
    double left = m_containerInset.left + m_padding;
    if (text.length() == 0)
        return { left, m_containerInset.top, 2, m_font.lineHeight() };
    if (index == text.length() && text.text().back() == u'\n') {
        double height = contentHeightForWidth(bounds().width()) - m_containerInset.top - m_containerInset.bottom;
        return { left, m_containerInset.top + height - m_font.lineHeight(), 2, m_font.lineHeight() };
    }
    TextLayout layout(text, options);
    Rect caret = layout.caretRect(index);
    return caret.offsetBy(left, m_containerInset.top);
}

void TextView::scrollRangeToVisible(Range range)
{
    Rect caret = caretRect(range.location + range.length);
    scrollRectToVisible(caret.insetBy(0, -m_containerInset.bottom / 2), false);
}

void TextView::textDidChange(bool byUser)
{
    auto self = sharedView();
    updateContentSize();
    setNeedsDisplay();
    if (byUser && didChange)
        didChange(*this);
    NotificationCenter::shared().post(TextDidChangeNotification, {}, this);
}

bool TextView::replaceText(Range range, const std::u16string& replacement)
{
    range.location = std::min(range.location, m_text.size());
    range.length = std::min(range.length, m_text.size() - range.location);
    auto self = sharedView();
    if (shouldChangeText && !shouldChangeText(*this, range, replacement))
        return false;
    m_text.replace(range.location, range.length, replacement);
    m_selection.collapse(m_text, range.location + replacement.size());
    if (isFirstResponder())
        Keyboard::shared().update();
    textDidChange(true);
    if (isFirstResponder())
        scrollRangeToVisible({ m_selection.caret(), 0 });
    return true;
}

bool TextView::becomeFirstResponder()
{
    if (isFirstResponder())
        return true;
    if (shouldBeginEditing && !shouldBeginEditing(*this))
        return false;
    return ScrollView::becomeFirstResponder();
}

void TextView::didBecomeFirstResponder()
{
    auto self = sharedView();
    setNeedsDisplay();
    if (didBeginEditing)
        didBeginEditing(*this);
}

void TextView::didResignFirstResponder()
{
    auto self = sharedView();
    m_marked.clear();
    setNeedsDisplay();
    if (didEndEditing)
        didEndEditing(*this);
}

KeyboardTraits TextView::keyboardTraits() const
{
    return { keyboardType, returnKeyType, !enablesReturnKeyAutomatically || !m_text.empty() };
}

void TextView::insertText(const std::u16string& text)
{
    m_marked.clear();
    if ((text == u"\n" || text == u"\r") && !keyboardTraits().returnKeyEnabled)
        return;
    replaceText(m_selection.range(), text == u"\r" ? u"\n" : text);
}

void TextView::deleteBackward()
{
    if (!m_marked.empty()) {
        m_marked.clear();
        setNeedsDisplay();
        return;
    }
    if (!m_selection.isEmpty())
        replaceText(m_selection.range(), u"");
    else if (auto range = rangeDeletedBackward(m_text, m_selection.caret()))
        replaceText(*range, u"");
}

void TextView::setMarkedText(const std::u16string& text)
{
    // Composing over a selection replaces it.
    if (!text.empty() && !m_selection.isEmpty())
        replaceText(m_selection.range(), u"");
    m_marked = text;
    updateContentSize();
    setNeedsDisplay();
}

void TextView::touchesEnded(const TouchList& touches)
{
    if (touches.empty() || !m_editable)
        return;
    auto self = sharedView();
    if (!isFirstResponder()) {
        becomeFirstResponder();
        return;
    }
    // A tap in the text moves the caret there (content coordinates: the bounds
    // origin is the scroll offset).
    Point p = touches.front()->locationIn(this);
    auto text = displayedText();
    if (text.length() == 0)
        return;
    TextLayout::Options options;
    options.width = textWidth();
    TextLayout layout(text, options);
    Point inText { p.x - m_containerInset.left - m_padding, p.y - m_containerInset.top };
    if (inText.y >= layout.size().height) {
        setSelectedRange({ m_text.size(), 0 });
        return;
    }
    if (auto index = layout.indexAt({ std::max(0.0, inText.x), std::max(0.0, inText.y) }))
        setSelectedRange({ std::min(*index, m_text.size()), 0 });
}

void TextView::layoutSubviews()
{
    updateContentSize();
    // A new height (the composer growing with its text) leaves the offset
    // where the old height needed it: a view that now fits its text shows it
    // from the top, and the caret stays in sight.
    if (isDragging() || isDecelerating() || isAnimatingOffset())
        return;
    Point offset = contentOffset();
    if (offset.y > maximumOffset().y)
        setContentOffset({ offset.x, maximumOffset().y });
    if (isFirstResponder())
        scrollRangeToVisible({ m_selection.caret(), 0 });
}

void TextView::draw(GraphicsContext& context, const Rect&)
{
    auto text = displayedText();
    double left = m_containerInset.left + m_padding;
    if (text.length() > 0) {
        TextLayout::Options options;
        options.width = textWidth();
        TextLayout layout(text, options);
        context.drawText(layout, { left, m_containerInset.top });
    }
    if (isFirstResponder() && m_selection.isEmpty()) {
        Rect caret = caretRect(m_selection.caret() + m_marked.size());
        context.fillRect({ caret.x(), caret.y() + 1, 2, std::max(caret.height(), m_font.lineHeight()) - 2 }, Color::rgb(0, 122, 255));
    }
}

Size TextView::sizeThatFits(Size size) const
{
    return { size.width, contentHeightForWidth(size.width) };
}

std::string TextView::debugText() const
{
    return toUtf8(m_text);
}

} // namespace ui
