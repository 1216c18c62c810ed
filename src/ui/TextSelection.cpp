#include "ui/TextSelection.h"

#include <algorithm>

namespace ui {

static bool isTrailSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

static bool isLeadSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

Range TextSelection::range() const
{
    std::size_t start = std::min(m_caret, m_anchor);
    return { start, std::max(m_caret, m_anchor) - start };
}

std::size_t TextSelection::boundaryAtOrBefore(const std::u16string& text, std::size_t index)
{
    index = std::min(index, text.size());
    if (index > 0 && index < text.size() && isTrailSurrogate(text[index]) && isLeadSurrogate(text[index - 1]))
        return index - 1;
    return index;
}

std::size_t TextSelection::nextCharacterBoundary(const std::u16string& text, std::size_t index)
{
    index = boundaryAtOrBefore(text, index);
    if (index >= text.size())
        return text.size();
    if (isLeadSurrogate(text[index]) && index + 1 < text.size() && isTrailSurrogate(text[index + 1]))
        return index + 2;
    return index + 1;
}

void TextSelection::collapse(const std::u16string& text, std::size_t index)
{
    m_caret = m_anchor = boundaryAtOrBefore(text, index);
}

void TextSelection::moveTo(const std::u16string& text, std::size_t index, bool extending)
{
    m_caret = boundaryAtOrBefore(text, index);
    if (!extending)
        m_anchor = m_caret;
    m_anchor = boundaryAtOrBefore(text, m_anchor);
}

void TextSelection::select(const std::u16string& text, Range range)
{
    std::size_t start = std::min(range.location, text.size());
    m_anchor = boundaryAtOrBefore(text, start);
    m_caret = boundaryAtOrBefore(text, std::min(text.size(), start + range.length));
}

void TextSelection::step(const std::u16string& text, bool forward, bool extending)
{
    if (!extending && !isEmpty()) {
        Range r = range();
        collapse(text, forward ? r.location + r.length : r.location);
        return;
    }
    std::size_t next = m_caret;
    if (forward) {
        next = nextCharacterBoundary(text, m_caret);
    } else if (m_caret > 0) {
        next = m_caret - 1;
        if (next > 0 && isTrailSurrogate(text[next]) && isLeadSurrogate(text[next - 1]))
            --next;
    }
    moveTo(text, next, extending);
}

} // namespace ui
