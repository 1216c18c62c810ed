#include <gtest/gtest.h>

#include "EmojiTestSupport.h"

namespace {

constexpr char16_t kObject = QYEmojiSubstitution::kObjectReplacementCharacter;

struct Shown {
    std::u16string text;
    std::vector<std::string> images;
};

// Substitutes `text` with a label's two set-ups: the bubble's own pattern and
// table (no prefix rule), or the default pattern with a table.
Shown substitute(std::u16string_view text, std::u16string_view pattern, const QYEmojiDictionary* table,
                 bool prefixRule)
{
    const QYRegularExpression* regex = QYEmojiRegexPlistManager::sharedInstance().regularExpressionForRegex(pattern);
    QYEmojiSubstitution substitution(regex, table, prefixRule);
    auto pieces = substitution.pieces(text);
    Shown shown{QYEmojiSubstitution::displayedText(text, pieces), {}};
    for (const auto& piece : pieces) {
        if (piece.kind == QYEmojiSubstitution::Piece::Kind::Emoji)
            shown.images.push_back(piece.imageName);
    }
    return shown;
}

Shown bubble(std::u16string_view text)
{
    return substitute(text, kBubbleEmojiRegex, &messengerTable(), false);
}

// A table for the default pattern, whose codes start with "/:".
const QYEmojiDictionary& defaultStyleTable()
{
    static const QYEmojiDictionary table = tableFromXmlBody("<key>/:)</key><string>smile.png</string>"
                                                            "<key>/:ab</key><string>ab.png</string>"
                                                            "<key>/:abcdefghi</key><string>long.png</string>");
    return table;
}

Shown defaultStyle(std::u16string_view text)
{
    return substitute(text, QYEmojiSubstitution::kDefaultEmojiRegex, &defaultStyleTable(), true);
}

} // namespace

TEST(QYEmojiSubstitution, UnknownCodesStayAsTyped)
{
    for (std::u16string_view text : {u"[没有这个]", u"好[]的", u"[微笑", u"[微 笑]", u"[[微笑]]"}) {
        Shown shown = bubble(text);
        bool wholeCodeInside = std::u16string_view(text).find(u"[微笑]") != std::u16string_view::npos;
        if (wholeCodeInside) {
            // "[[微笑]]": only the inner code is one, the outer brackets stay.
            EXPECT_EQ(shown.text, std::u16string(u"[") + kObject + u"]");
        } else {
            EXPECT_EQ(shown.text, text);
            EXPECT_TRUE(shown.images.empty());
        }
    }
}

TEST(QYEmojiSubstitution, CodesDoNotDependOnLetterCase)
{
    auto table = tableFromXmlBody("<key>[OK]</key><string>ok.png</string>");
    Shown shown = substitute(u"[ok]", kBubbleEmojiRegex, &table, false);
    // The pattern finds the code in any case; the table is looked up as typed.
    EXPECT_EQ(shown.text, u"[ok]");
    EXPECT_EQ(substitute(u"[OK]", kBubbleEmojiRegex, &table, false).text, std::u16string{kObject});
}

TEST(QYEmojiSubstitution, DefaultPatternFallsBackToTheShortestKnownPrefix)
{
    // "/:)xy" is no key but starts with "/:)", which is.
    Shown shown = defaultStyle(u"hi/:)xy");
    EXPECT_EQ(shown.text, std::u16string(u"hi") + kObject + u"xy");
    EXPECT_EQ(shown.images, std::vector<std::string>{"smile.png"});

    // Prefixes are tried shortest first: "/:a" is no key, "/:ab" is.
    EXPECT_EQ(defaultStyle(u"/:abcd").text, std::u16string{kObject} + u"cd");
    EXPECT_EQ(defaultStyle(u"/:abcd").images, std::vector<std::string>{"ab.png"});
}

TEST(QYEmojiSubstitution, PrefixRuleNeedsTheDefaultPatternAndStopsAtTenCharacters)
{
    const QYRegularExpression* longCodes =
        QYEmojiRegexPlistManager::sharedInstance().regularExpressionForRegex(u"/:\\S+");
    // A custom pattern takes codes whole.
    QYEmojiSubstitution custom(longCodes, &defaultStyleTable(), false);
    EXPECT_EQ(QYEmojiSubstitution::displayedText(u"/:)xy", custom.pieces(u"/:)xy")), u"/:)xy");

    // The only key starting "/:abcdefghi" is 11 characters long, past the limit.
    QYEmojiSubstitution withRule(longCodes, &defaultStyleTable(), true);
    std::u16string text = u"/:abcdefghijk";
    auto pieces = withRule.pieces(text);
    EXPECT_EQ(QYEmojiSubstitution::displayedText(text, pieces), std::u16string{kObject} + u"cdefghijk")
        << "the 4-character prefix \"/:ab\" is the first key found";
}

TEST(QYEmojiSubstitution, NoPatternOrNoTableReplacesNothing)
{
    QYEmojiSubstitution noPattern(nullptr, &messengerTable(), false);
    EXPECT_EQ(QYEmojiSubstitution::displayedText(u"a[微笑]", noPattern.pieces(u"a[微笑]")), u"a[微笑]");
    EXPECT_EQ(substitute(u"a[微笑]", kBubbleEmojiRegex, nullptr, false).text, u"a[微笑]");
}

TEST(QYEmojiSubstitution, SourcePiecesPointIntoTheTextBetweenCodes)
{
    const QYRegularExpression* regex =
        QYEmojiRegexPlistManager::sharedInstance().regularExpressionForRegex(kBubbleEmojiRegex);
    QYEmojiSubstitution substitution(regex, &messengerTable(), false);
    auto pieces = substitution.pieces(u"ab[微笑]c[无此]");
    using Kind = QYEmojiSubstitution::Piece::Kind;
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].kind, Kind::Source);
    EXPECT_EQ(pieces[0].range, (ui::Range{0, 2}));
    EXPECT_EQ(pieces[1].kind, Kind::Emoji);
    EXPECT_EQ(pieces[2].kind, Kind::Source);
    EXPECT_EQ(pieces[2].range, (ui::Range{6, 1}));
    EXPECT_EQ(pieces[3].kind, Kind::Plain);
    EXPECT_EQ(pieces[3].text, u"[无此]");
}

TEST(QYEmojiSubstitution, HundredThousandCharacterTextIsSubstitutedWhole)
{
    std::u16string text;
    std::size_t codes = 0;
    for (; text.size() < 100000; ++codes)
        text += u"今天天气不错[微笑]";
    Shown shown = bubble(text);
    EXPECT_EQ(shown.images.size(), codes);
    EXPECT_EQ(shown.text.size(), text.size() - codes * 3);
}
