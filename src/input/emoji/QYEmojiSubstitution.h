#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "ui/graphics/Range.h"

class QYEmojiDictionary;
class QYRegularExpression;

// Finds the emoji codes in a text and decides what replaces each one, without
// touching attributes: the label turns the pieces into its attributed string.
class QYEmojiSubstitution {
public:
    // Each emoji is shown as this one character carrying its picture.
    static constexpr char16_t kObjectReplacementCharacter = u'\uFFFC';
    // Finds codes when a label sets no pattern of its own ("/:" and up to eight
    // printable ASCII characters other than "/").
    static constexpr std::u16string_view kDefaultEmojiRegex = u"/:[\\x21-\\x2E\\x30-\\x7E]{1,8}";

    struct Piece {
        enum class Kind {
            Source, // `range` of the input, kept with its attributes
            Emoji,  // one replacement character showing `imageName`
            Plain,  // `text` without attributes: an unknown code, or a code's tail
        };
        Kind kind = Kind::Source;
        ui::Range range;
        std::string imageName;
        std::u16string text;
    };

    // With `prefixRule`, a code missing from the table may still start with one
    // that is in it (the default pattern's codes run on into the following text).
    // A null pattern or table replaces nothing.
    QYEmojiSubstitution(const QYRegularExpression* regex, const QYEmojiDictionary* dictionary, bool prefixRule);

    // The pieces that make up the displayed text, in order.
    std::vector<Piece> pieces(std::u16string_view text) const;
    // The displayed plain text the pieces give.
    static std::u16string displayedText(std::u16string_view text, const std::vector<Piece>& pieces);

private:
    void appendCode(std::u16string_view code, std::vector<Piece>& out) const;
    const QYRegularExpression* m_regex = nullptr;
    const QYEmojiDictionary* m_dictionary = nullptr;
    bool m_prefixRule = false;
};
