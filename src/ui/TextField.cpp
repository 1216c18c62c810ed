#include "ui/TextField.h"

#include "ui/Keyboard.h"
#include "ui/TextEditActions.h"

#include <algorithm>

#include "ui/graphics/GraphicsContext.h"
#include "ui/graphics/TextLayout.h"

namespace ui {

std::size_t previousCharacterBoundary(const std::u16string& text, std::size_t index)
{
    if (index == 0 || text.empty())
        return 0;
    index = std::min(index, text.size());
    char16_t last = text[index - 1];
    if (last >= 0xDC00 && last <= 0xDFFF && index >= 2) {
        char16_t lead = text[index - 2];
        if (lead >= 0xD800 && lead <= 0xDBFF)
            return index - 2;
    }
    return index - 1;
}

// Where the text starts in a rectangle `width` wide. A field's single line is
// laid out without a width (it runs on and is clipped), so the field places
// it by its alignment itself; a text wider than the rectangle starts at 0.
static double alignedStart(const TextLayout& layout, double width, TextAlignment alignment)
{
    double room = width - layout.size().width;
    if (room <= 0)
        return 0;
    double wanted = alignment == TextAlignment::Right ? room : alignment == TextAlignment::Center ? room / 2 : 0;
    // A layout that aligned the line itself already starts there.
    return std::max(0.0, wanted - layout.caretRect(0).x());
}

std::optional<Range> rangeDeletedBackward(const std::u16string& text, std::size_t caret)
{
    caret = std::min(caret, text.size());
    if (caret == 0)
        return std::nullopt;
    std::size_t start = previousCharacterBoundary(text, caret);
    return Range { start, caret - start };
}

TextField::TextField()
    : TextField(Rect {})
{
}

TextField::TextField(const Rect& frame)
    : Control(frame)
{
    setContentVerticalAlignment(ContentVerticalAlignment::Center);
}

void TextField::setText(const std::u16string& text)
{
    if (m_text == text)
        return;
    m_text = text;
    m_selection.collapse(m_text, m_text.size());
    setNeedsDisplay();
}

void TextField::setPlaceholder(std::optional<std::string> placeholder)
{
    if (m_placeholder == placeholder)
        return;
    m_placeholder = std::move(placeholder);
    setNeedsDisplay();
}

void TextField::setFont(const Font& font)
{
    if (m_font == font)
        return;
    m_font = font;
    setNeedsDisplay();
}

void TextField::setTextColor(const Color& color)
{
    if (m_textColor == color)
        return;
    m_textColor = color;
    setNeedsDisplay();
}

void TextField::setTextAlignment(TextAlignment alignment)
{
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    setNeedsDisplay();
}

void TextField::setBorderStyle(TextBorderStyle style)
{
    if (m_borderStyle == style)
        return;
    m_borderStyle = style;
    setNeedsDisplay();
}

void TextField::setLeftView(std::shared_ptr<View> view)
{
    if (m_leftView == view)
        return;
    if (m_leftView)
        m_leftView->removeFromSuperview();
    m_leftView = std::move(view);
    setNeedsLayout();
}

void TextField::setLeftViewMode(TextFieldViewMode mode)
{
    if (m_leftViewMode == mode)
        return;
    m_leftViewMode = mode;
    setNeedsLayout();
}

void TextField::setCaret(std::size_t index)
{
    m_selection.collapse(m_text, index);
    setNeedsDisplay();
}

void TextField::setSelectedRange(Range range)
{
    m_selection.select(m_text, range);
    setNeedsDisplay();
}

bool TextField::moveCaret(TextMovement movement, bool extendingSelection)
{
    switch (movement) {
    case TextMovement::Left:
    case TextMovement::Right:
        m_selection.step(m_text, movement == TextMovement::Right, extendingSelection);
        break;
    case TextMovement::Up:
    case TextMovement::LineStart:
    case TextMovement::DocumentStart:
        m_selection.moveTo(m_text, 0, extendingSelection);
        break;
    case TextMovement::Down:
    case TextMovement::LineEnd:
    case TextMovement::DocumentEnd:
        m_selection.moveTo(m_text, m_text.size(), extendingSelection);
        break;
    }
    m_marked.clear();
    setNeedsDisplay();
    return true;
}

bool TextField::canPerformAction(const std::string& action) const
{
    if (auto answer = textEditActionAvailable(action, m_text, m_selection.range()))
        return *answer;
    return Control::canPerformAction(action);
}

bool TextField::performAction(const std::string& action)
{
    if (!textEditActionAvailable(action, m_text, m_selection.range()))
        return Control::performAction(action);
    auto edit = textEditAction(action, m_text, m_selection.range());
    if (!edit)
        return false;
    if (edit->selectAll) {
        setSelectedRange({ 0, m_text.size() });
    } else if (edit->replacement) {
        // One line: pasted line breaks become spaces.
        std::u16string replacement = *edit->replacement;
        std::replace(replacement.begin(), replacement.end(), u'\n', u' ');
        std::replace(replacement.begin(), replacement.end(), u'\r', u' ');
        replaceCharacters(edit->range, replacement);
    }
    return true;
}

bool TextField::leftViewShown() const
{
    if (!m_leftView)
        return false;
    switch (m_leftViewMode) {
    case TextFieldViewMode::Never:
        return false;
    case TextFieldViewMode::Always:
        return true;
    case TextFieldViewMode::WhileEditing:
        return m_editing;
    case TextFieldViewMode::UnlessEditing:
        return !m_editing;
    }
    return false;
}

Rect TextField::leftViewRectForBounds(const Rect& bounds) const
{
    if (!m_leftView)
        return {};
    Size size = m_leftView->bounds().size;
    return { bounds.x(), bounds.y() + (bounds.height() - size.height) / 2, size.width, size.height };
}

Rect TextField::textRectForBounds(const Rect& bounds) const
{
    Rect rect = bounds;
    if (m_borderStyle == TextBorderStyle::RoundedRect)
        rect = rect.inset({ 0, 7, 0, 7 });
    else if (m_borderStyle != TextBorderStyle::None)
        rect = rect.inset({ 0, 2, 0, 2 });
    if (leftViewShown()) {
        double leftEdge = leftViewRectForBounds(bounds).maxX();
        double shift = std::max(0.0, leftEdge - rect.x());
        rect = { rect.x() + shift, rect.y(), std::max(0.0, rect.width() - shift), rect.height() };
    }
    return rect;
}

Rect TextField::editingRectForBounds(const Rect& bounds) const
{
    // The platform's own rectangle, not a subclass's moved text rectangle.
    return TextField::textRectForBounds(bounds);
}

bool TextField::replaceCharacters(Range range, const std::u16string& replacement)
{
    range.location = std::min(range.location, m_text.size());
    range.length = std::min(range.length, m_text.size() - range.location);
    if (shouldChangeCharacters && !shouldChangeCharacters(*this, range, replacement))
        return false;
    auto self = sharedView();
    m_text.replace(range.location, range.length, replacement);
    m_selection.collapse(m_text, range.location + replacement.size());
    setNeedsDisplay();
    if (isFirstResponder())
        Keyboard::shared().update(); // the return key may light up or dim
    sendActions(EditingChanged);
    return true;
}

bool TextField::becomeFirstResponder()
{
    if (isFirstResponder())
        return true;
    if (shouldBeginEditing && !shouldBeginEditing(*this))
        return false;
    return Control::becomeFirstResponder();
}

void TextField::didBecomeFirstResponder()
{
    auto self = sharedView();
    m_editing = true;
    if (clearsOnBeginEditing)
        m_text.clear();
    m_selection.collapse(m_text, m_text.size());
    setNeedsLayout();
    setNeedsDisplay();
    if (didBeginEditing)
        didBeginEditing(*this);
    sendActions(EditingDidBegin);
}

void TextField::didResignFirstResponder()
{
    auto self = sharedView();
    m_editing = false;
    m_marked.clear();
    setNeedsLayout();
    setNeedsDisplay();
    if (didEndEditing)
        didEndEditing(*this);
    sendActions(EditingDidEnd);
}

void TextField::insertText(const std::u16string& text)
{
    m_marked.clear();
    if (text == u"\n" || text == u"\r") {
        if (!returnKeyEnabled())
            return;
        auto self = sharedView();
        if (shouldReturn)
            shouldReturn(*this);
        sendActions(EditingDidEndOnExit);
        return;
    }
    replaceCharacters(m_selection.range(), text);
}

void TextField::deleteBackward()
{
    if (!m_marked.empty()) {
        m_marked.clear();
        setNeedsDisplay();
        return;
    }
    if (!m_selection.isEmpty())
        replaceCharacters(m_selection.range(), u"");
    else if (auto range = rangeDeletedBackward(m_text, m_selection.caret()))
        replaceCharacters(*range, u"");
}

void TextField::setMarkedText(const std::u16string& text)
{
    // Composing over a selection replaces it.
    if (!text.empty() && !m_selection.isEmpty())
        replaceCharacters(m_selection.range(), u"");
    m_marked = text;
    setNeedsDisplay();
}

void TextField::touchesEnded(const TouchList& touches)
{
    auto self = sharedView();
    bool wasTracking = isTracking();
    Control::touchesEnded(touches);
    if (!wasTracking || touches.empty() || !isEnabled())
        return;
    if (!isFirstResponder()) {
        becomeFirstResponder();
        return;
    }
    // A tap in the text moves the caret there.
    Rect rect = editingRectForBounds(bounds());
    Point p = touches.front()->locationIn(this);
    TextLayout layout(displayedText(), {});
    double height = layout.size().height;
    double start = alignedStart(layout, rect.width(), m_alignment);
    auto index = layout.indexAt({ p.x - rect.x() - start, std::clamp(p.y - rect.y() - (rect.height() - height) / 2, 0.0, height - 0.01) });
    setCaret(index ? *index : (p.x < rect.x() ? 0 : m_text.size()));
}

void TextField::layoutSubviews()
{
    if (!m_leftView)
        return;
    if (leftViewShown()) {
        m_leftView->setFrame(leftViewRectForBounds(bounds()));
        if (m_leftView->superview() != this)
            addSubview(m_leftView);
    } else if (m_leftView->superview() == this) {
        m_leftView->removeFromSuperview();
    }
}

AttributedString TextField::displayedText() const
{
    TextAttributes attributes;
    attributes.font = m_font;
    attributes.foreground = m_textColor;
    ParagraphStyle paragraph;
    paragraph.alignment = m_alignment;
    paragraph.lineBreakMode = LineBreakMode::Clip;
    attributes.paragraph = paragraph;
    std::u16string shown = m_text;
    AttributedString string(shown, attributes);
    if (!m_marked.empty()) {
        TextAttributes markedAttributes = attributes;
        markedAttributes.underline = true;
        string.replace({ m_selection.caret(), 0 }, AttributedString(m_marked, markedAttributes));
    } else if (m_editing && !m_selection.isEmpty()) {
        TextAttributes highlight;
        highlight.background = selectionHighlightColor();
        string.addAttributes(highlight, m_selection.range());
    }
    return string;
}

void TextField::draw(GraphicsContext& context, const Rect&)
{
    Rect b = borderRectForBounds(bounds());
    switch (m_borderStyle) {
    case TextBorderStyle::None:
        break;
    case TextBorderStyle::Line:
        context.strokeRect(b.insetBy(0.5, 0.5), 1, Color::blackColor());
        break;
    case TextBorderStyle::Bezel:
        context.strokeRect(b.insetBy(0.5, 0.5), 1, Color::grayColor());
        break;
    case TextBorderStyle::RoundedRect:
        context.fillRoundedRect(b, 5, Color::whiteColor());
        context.strokeRoundedRect(b.insetBy(0.25, 0.25), 5, 0.5, Color::rgb(0, 0, 0, 0.2));
        break;
    }
    Rect rect = m_editing ? editingRectForBounds(bounds()) : textRectForBounds(bounds());
    context.save();
    context.clipToRect(rect);
    TextLayout::Options options;
    options.width = rect.width();
    // One line, however long the text: it runs on past the edge and is clipped.
    options.maxLines = 1;
    if (m_text.empty() && m_marked.empty()) {
        if (m_placeholder && !m_placeholder->empty()) {
            Rect placeholderRect = m_editing ? rect : placeholderRectForBounds(bounds());
            TextAttributes attributes;
            attributes.font = m_font;
            attributes.foreground = Color::rgb(199, 199, 205);
            ParagraphStyle paragraph;
            paragraph.alignment = m_alignment;
            paragraph.lineBreakMode = LineBreakMode::TruncateTail;
            attributes.paragraph = paragraph;
            TextLayout::Options placeholderOptions;
            placeholderOptions.width = placeholderRect.width();
            placeholderOptions.maxLines = 1;
            TextLayout layout(AttributedString::fromUtf8(*m_placeholder, attributes), placeholderOptions);
            context.drawText(layout, { placeholderRect.x(), placeholderRect.y() + (placeholderRect.height() - layout.size().height) / 2 });
        }
    }
    TextLayout layout(displayedText(), options);
    double lineHeight = std::max(layout.size().height, m_font.lineHeight());
    double top = rect.y() + (rect.height() - lineHeight) / 2;
    // Text wider than the field scrolls so the caret stays in view.
    double shift = 0;
    double start = alignedStart(layout, rect.width(), m_alignment);
    Rect caret = layout.caretRect(m_selection.caret() + m_marked.size());
    double caretX = start + caret.x();
    if (m_editing && caretX > rect.width() - 2)
        shift = caretX - rect.width() + 2;
    if (!m_text.empty() || !m_marked.empty())
        context.drawText(layout, { rect.x() + start - shift, top });
    if (m_editing && m_selection.isEmpty()) {
        double h = std::max(caret.height(), m_font.lineHeight());
        double x = m_text.empty() && m_marked.empty() && m_alignment == TextAlignment::Center ? rect.midX() : rect.x() + caretX - shift;
        context.fillRect({ x, top + (lineHeight - h) / 2 + 1, 2, h - 2 }, Color::rgb(0, 122, 255));
    }
    context.restore();
}

std::string TextField::debugText() const
{
    return toUtf8(m_text);
}

} // namespace ui
