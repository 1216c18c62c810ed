// Feeds arbitrary bytes to the emoji table reader (as an XML or binary plist),
// then substitutes and detects links in the same bytes read as UTF-16 text with
// the table that came out. Neither may crash, and every range must lie inside
// its text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "input/emoji/QYEmojiDictionary.h"
#include "input/emoji/QYEmojiLinkDetector.h"
#include "input/emoji/QYEmojiRegexPlistManager.h"
#include "input/emoji/QYEmojiSubstitution.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QYEmojiDictionary table = QYEmojiDictionary::fromData(data, size);
    for (const auto& entry : table.entries()) {
        if (table.imageNameForCode(entry.code) == nullptr)
            std::abort();
    }

    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, text.size() * 2);

    auto& manager = QYEmojiRegexPlistManager::sharedInstance();
    for (std::u16string_view pattern : {QYEmojiSubstitution::kDefaultEmojiRegex,
                                        std::u16string_view(u"\\[[a-zA-Z0-9\\u4e00-\\u9fa5]+\\]")}) {
        bool prefixRule = pattern == QYEmojiSubstitution::kDefaultEmojiRegex;
        QYEmojiSubstitution substitution(manager.regularExpressionForRegex(pattern), &table, prefixRule);
        auto pieces = substitution.pieces(text);
        for (const auto& piece : pieces) {
            if (piece.kind == QYEmojiSubstitution::Piece::Kind::Source && piece.range.end() > text.size())
                std::abort();
        }
        std::u16string shown = QYEmojiSubstitution::displayedText(text, pieces);
        for (const QYEmojiLink& link : QYEmojiLinkDetector::detect(shown, {false, true})) {
            if (link.range.end() > shown.size() || !QYEmojiLinkDetector::parse(link.replacementString))
                std::abort();
        }
    }
    return 0;
}
