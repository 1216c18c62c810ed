#include <gtest/gtest.h>

#include <algorithm>

#include "EmojiTestSupport.h"

namespace {

struct Shown {
    std::u16string text;
    std::vector<std::string> images;
};

Shown substitute(std::u16string_view text, std::u16string_view pattern, const QYEmojiDictionary* table, bool prefixRule)
{
    const QYRegularExpression* regex = QYEmojiRegexPlistManager::sharedInstance().regularExpressionForRegex(pattern);
    auto pieces = QYEmojiSubstitution(regex, table, prefixRule).pieces(text);
    Shown shown{QYEmojiSubstitution::displayedText(text, pieces), {}};
    for (const auto& piece : pieces) {
        if (piece.kind == QYEmojiSubstitution::Piece::Kind::Emoji)
            shown.images.push_back(piece.imageName);
    }
    return shown;
}

std::u16string withObjects(std::u16string text)
{
    std::replace(text.begin(), text.end(), u'@', kObject);
    return text;
}

} // namespace

// In the expected texts "@" stands for the one character a picture takes.
TEST(EmojiSubstitution, KnownBubbleCodesBecomeOneCharacterAndOthersStayAsTyped)
{
    const std::vector<std::string> smile{"Emotion_1@2x.png"};
    const std::tuple<std::u16string_view, std::u16string, std::vector<std::string>> cases[] = {
        {u"ab[微笑]c[无此]", u"ab@c[无此]", smile},
        {u"[微笑][爱心]", u"@@", {"Emotion_1@2x.png", "Emotion_92@2x.png"}},
        {u"[[微笑]]", u"[@]", smile},
        {u"[没有这个]", u"[没有这个]", {}},
        {u"好[]的", u"好[]的", {}},
        {u"[微笑", u"[微笑", {}},
        {u"[微 笑]", u"[微 笑]", {}},
    };
    for (const auto& [typed, shown, images] : cases) {
        Shown got = substitute(typed, kBubbleEmojiRegex, &messengerTable(), false);
        EXPECT_EQ(got.text, withObjects(shown));
        EXPECT_EQ(got.images, images);
    }

    // The pattern finds a code in any case; the table is asked as typed.
    auto upper = tableFromXmlBody("<key>[OK]</key><string>ok.png</string>");
    EXPECT_EQ(substitute(u"[ok]", kBubbleEmojiRegex, &upper, false).text, u"[ok]");
    EXPECT_EQ(substitute(u"[OK]", kBubbleEmojiRegex, &upper, false).text, std::u16string{kObject});
    EXPECT_EQ(substitute(u"a[微笑]", kBubbleEmojiRegex, nullptr, false).text, u"a[微笑]");
}

TEST(EmojiSubstitution, PrefixRuleTakesTheShortestKnownPrefixOfAtMostTenCharacters)
{
    static const QYEmojiDictionary table = tableFromXmlBody("<key>/:)</key><string>smile.png</string>"
                                                            "<key>/:ab</key><string>ab.png</string>"
                                                            "<key>/:xyzxyzxy</key><string>ten.png</string>"
                                                            "<key>/:qwertyuio</key><string>eleven.png</string>");
    const std::u16string_view defaultPattern = QYEmojiSubstitution::kDefaultEmojiRegex, anyLength = u"/:\\S+";
    const std::tuple<std::u16string_view, bool, std::u16string_view, std::u16string, std::vector<std::string>> cases[] = {
        {defaultPattern, true, u"hi/:)xy", u"hi@xy", {"smile.png"}},
        {defaultPattern, true, u"/:abcd", u"@cd", {"ab.png"}},
        {anyLength, true, u"/:xyzxyzxyZZ", u"@ZZ", {"ten.png"}},
        {anyLength, true, u"/:qwertyuiop", u"/:qwertyuiop", {}},
        {anyLength, true, u"/:qwertyuio", u"@", {"eleven.png"}},
        {anyLength, false, u"/:)xy", u"/:)xy", {}},
    };
    for (const auto& [pattern, rule, typed, shown, images] : cases) {
        Shown got = substitute(typed, pattern, &table, rule);
        EXPECT_EQ(got.text, withObjects(shown));
        EXPECT_EQ(got.images, images);
    }
}
