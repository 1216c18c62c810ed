#include "input/emoji/QYEmojiSubstitution.h"

#include <algorithm>

#include "input/emoji/QYEmojiDictionary.h"
#include "input/emoji/QYRegularExpression.h"

namespace {
// The prefix rule tries prefixes from this length up to the whole code...
constexpr std::size_t kShortestPrefix = 3;
// ...but never longer than this.
constexpr std::size_t kLongestPrefix = 10;
} // namespace

QYEmojiSubstitution::QYEmojiSubstitution(const QYRegularExpression* regex, const QYEmojiDictionary* dictionary,
                                         bool prefixRule)
    : m_regex(regex)
    , m_dictionary(dictionary)
    , m_prefixRule(prefixRule)
{
}

std::vector<QYEmojiSubstitution::Piece> QYEmojiSubstitution::pieces(std::u16string_view text) const
{
    std::vector<Piece> out;
    std::size_t cursor = 0;
    if (m_regex && m_dictionary) {
        for (const ui::Range& match : m_regex->matches(text).ranges) {
            if (match.location > cursor)
                out.push_back({Piece::Kind::Source, {cursor, match.location - cursor}, {}, {}});
            appendCode(text.substr(match.location, match.length), out);
            cursor = match.end();
        }
    }
    if (cursor < text.size())
        out.push_back({Piece::Kind::Source, {cursor, text.size() - cursor}, {}, {}});
    return out;
}

void QYEmojiSubstitution::appendCode(std::u16string_view code, std::vector<Piece>& out) const
{
    if (const std::string* name = m_dictionary->imageNameForCode(code)) {
        out.push_back({Piece::Kind::Emoji, {}, *name, {}});
        return;
    }
    if (m_prefixRule && code.size() >= kShortestPrefix) {
        std::size_t longest = std::min(code.size(), kLongestPrefix);
        for (std::size_t length = kShortestPrefix; length <= longest; ++length) {
            if (const std::string* name = m_dictionary->imageNameForCode(code.substr(0, length))) {
                out.push_back({Piece::Kind::Emoji, {}, *name, {}});
                if (length < code.size())
                    out.push_back({Piece::Kind::Plain, {}, {}, std::u16string(code.substr(length))});
                return;
            }
        }
    }
    out.push_back({Piece::Kind::Plain, {}, {}, std::u16string(code)});
}

std::u16string QYEmojiSubstitution::displayedText(std::u16string_view text, const std::vector<Piece>& pieces)
{
    std::u16string shown;
    shown.reserve(text.size());
    for (const Piece& piece : pieces) {
        switch (piece.kind) {
        case Piece::Kind::Source:
            shown.append(text.substr(piece.range.location, piece.range.length));
            break;
        case Piece::Kind::Emoji:
            shown.push_back(kObjectReplacementCharacter);
            break;
        case Piece::Kind::Plain:
            shown.append(piece.text);
            break;
        }
    }
    return shown;
}
