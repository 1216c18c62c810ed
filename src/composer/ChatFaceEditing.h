#pragma once
#include <optional>
#include <string>

// What the emoji keyboard does to the composer's text (UTF-16 units). A key
// appends its emoji code; the delete key takes a whole trailing code (3 to 5
// units, brackets included) or else one character.
struct ChatFaceEditing {
    // The text after one key: `face` appended, or the delete rule when `isDelete`.
    static std::u16string apply(const std::u16string& text, const std::optional<std::u16string>& face, bool isDelete);
    // Text ending in "]": the last 3, 4 or 5 units when they start with "["
    // (shortest first), otherwise nothing. Any other text loses its last
    // character, both halves of a surrogate pair together.
    static std::u16string deleteBackward(const std::u16string& text);
};
