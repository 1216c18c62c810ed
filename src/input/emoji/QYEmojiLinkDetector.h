#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/graphics/Range.h"

// The kinds of link an emoji label marks, in the order they are looked for.
enum class QYEmojiLinkType { Url = 0, Email = 1, PhoneNumber = 2, At = 3, PoundSign = 4 };

// A detected link: its range in the displayed text, and the replacement string
// that carries it to a tap handler, the type's prefix followed by the link text
// ("url->www.example.com").
struct QYEmojiLink {
    ui::Range range;
    std::u16string replacementString;
};

// Finds web addresses, e-mail addresses and phone numbers, and optionally
// mentions and tags, in the text an emoji label displays. Earlier types win over
// later ones and earlier matches over later ones: a match sharing a character
// with a link already found is dropped.
class QYEmojiLinkDetector {
public:
    struct Options {
        bool disableThreeCommon = false;   // no web, e-mail or phone links
        bool isNeedAtAndPoundSign = false; // mentions and tags too
    };

    static std::vector<QYEmojiLink> detect(std::u16string_view text, Options options);

    // The type and link text a replacement string carries, testing the prefixes
    // in type order; nullopt when it starts with none of them.
    struct Selection {
        QYEmojiLinkType type;
        std::u16string text;
    };
    static std::optional<Selection> parse(std::u16string_view replacementString);

    static std::u16string_view prefix(QYEmojiLinkType type);
    static std::u16string_view pattern(QYEmojiLinkType type);
};
