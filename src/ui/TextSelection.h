#pragma once
#include <cstddef>
#include <string>

#include "ui/graphics/Range.h"

namespace ui {

// Where the caret moves on a desktop key. Up and down (and line start and
// end) are answered by the input that knows its lines.
enum class TextMovement { Left, Right, Up, Down, LineStart, LineEnd, DocumentStart, DocumentEnd };

// The caret and the selection of a text input, in UTF-16 units: the anchor
// stays where a selection began and the caret moves. Neither ever stands
// between the two halves of one character.
class TextSelection {
public:
    std::size_t caret() const { return m_caret; }
    std::size_t anchor() const { return m_anchor; }
    bool isEmpty() const { return m_caret == m_anchor; }
    Range range() const;

    // Both ends at `index` (no selection), kept on a character boundary.
    void collapse(const std::u16string& text, std::size_t index);
    // The caret to `index`; the anchor stays when extending, else follows.
    void moveTo(const std::u16string& text, std::size_t index, bool extending);
    void select(const std::u16string& text, Range range);
    // One character left or right; without extending, a selection collapses
    // to its own edge first, as desktop editors do.
    void step(const std::u16string& text, bool forward, bool extending);

    // The start of the character that begins at or contains `index`.
    static std::size_t boundaryAtOrBefore(const std::u16string& text, std::size_t index);
    // The end of the character that starts at `index`.
    static std::size_t nextCharacterBoundary(const std::u16string& text, std::size_t index);

private:
    std::size_t m_caret = 0;
    std::size_t m_anchor = 0;
};

} // namespace ui
