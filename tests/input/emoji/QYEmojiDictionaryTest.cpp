#include <gtest/gtest.h>
#include <plist/plist.h>

#include <filesystem>
#include <set>
#include <string>

#include "input/emoji/QYEmojiDictionary.h"
#include "input/emoji/QYEmojiRegexPlistManager.h"

namespace {

QYEmojiDictionary fromText(const std::string& text)
{
    return QYEmojiDictionary::fromData(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

std::string xmlPlist(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n" + body + "\n</plist>\n";
}

std::size_t utf16Length(const std::u16string& text) { return text.size(); }

// The two shipped tables: for each, how emoji number n's value is written and
// which file the value names.
struct ShippedTable {
    const char* file;
    std::string (*valueOf)(int n);
    std::string (*pictureOf)(const std::string& value);
};

const ShippedTable kShipped[] = {
    {"Emotion.plist", [](int n) { return "Emotion_" + std::to_string(n) + "@2x.png"; },
     [](const std::string& value) { return value; }},
    {"BaseEmotion.plist", [](int n) { return std::to_string(n); },
     [](const std::string& value) { return value + ".png"; }},
};

} // namespace

TEST(QYEmojiDictionary, ShippedTablesHold115CodesThatTheBubblePatternAndDeleteKeyAccept)
{
    const std::string folder = QYEmojiRegexPlistManager::resourceFolder();
    for (const ShippedTable& shipped : kShipped) {
        SCOPED_TRACE(shipped.file);
        auto table = QYEmojiDictionary::fromFile(folder + "/" + shipped.file);
        ASSERT_TRUE(table.has_value());
        ASSERT_EQ(table->size(), 115u);

        auto bubble = QYRegularExpression::compile(u"\\[[a-zA-Z0-9\\u4e00-\\u9fa5]+\\]");
        std::set<std::string> values;
        for (const auto& entry : table->entries()) {
            EXPECT_GE(utf16Length(entry.code), 3u);
            EXPECT_LE(utf16Length(entry.code), 5u);
            auto found = bubble->matches(entry.code).ranges;
            ASSERT_EQ(found.size(), 1u);
            EXPECT_EQ(found[0], (ui::Range{0, entry.code.size()})) << "the bubble must find the whole code";
            values.insert(entry.imageName);
            EXPECT_TRUE(std::filesystem::exists(folder + "/" + shipped.pictureOf(entry.imageName)))
                << shipped.pictureOf(entry.imageName) << " was not rendered";
        }
        // Every emoji 1–115 is named exactly once, as the keyboard looks it up.
        for (int n = 1; n <= 115; ++n)
            EXPECT_TRUE(values.count(shipped.valueOf(n))) << "no code for emoji " << n;
    }
}

TEST(QYEmojiDictionary, BinaryAndXmlPlistsReadAlike)
{
    plist_t dict = plist_new_dict();
    plist_dict_set_item(dict, "[微笑]", plist_new_string("Emotion_1@2x.png"));
    plist_dict_set_item(dict, "[大哭]", plist_new_string("Emotion_60@2x.png"));
    char* bin = nullptr;
    uint32_t binLength = 0;
    plist_to_bin(dict, &bin, &binLength);
    char* xml = nullptr;
    uint32_t xmlLength = 0;
    plist_to_xml(dict, &xml, &xmlLength);
    plist_free(dict);

    for (auto [bytes, length] : {std::pair{bin, binLength}, std::pair{xml, xmlLength}}) {
        auto table = QYEmojiDictionary::fromData(reinterpret_cast<const std::uint8_t*>(bytes), length);
        ASSERT_EQ(table.size(), 2u);
        ASSERT_NE(table.imageNameForCode(u"[大哭]"), nullptr);
        EXPECT_EQ(*table.imageNameForCode(u"[大哭]"), "Emotion_60@2x.png");
        EXPECT_EQ(table.imageNameForCode(u"[大笑]"), nullptr);
    }
    free(bin);
    free(xml);
}

TEST(QYEmojiDictionary, MalformedPlistsGiveEmptyTables)
{
    const std::string cases[] = {
        "",
        "not a plist at all",
        "bplist00\xff\xff\xff\xff\x01\x02",
        xmlPlist("<dict><key>[微笑]</key><string>Emotion_1@2x.png</string>"), // unterminated
        xmlPlist("<array><string>[微笑]</string></array>"),                    // not a dictionary
        xmlPlist("<string>[微笑]</string>"),
        std::string("bplist00") + std::string(40, '\0'),
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes);
        EXPECT_TRUE(fromText(bytes).empty());
    }
}

TEST(QYEmojiDictionary, EntriesThatAreNotStringsAreLeftOut)
{
    auto table = fromText(xmlPlist("<dict>"
                                   "<key>[微笑]</key><string>Emotion_1@2x.png</string>"
                                   "<key>[数字]</key><integer>7</integer>"
                                   "<key>[表]</key><dict><key>a</key><string>b</string></dict>"
                                   "</dict>"));
    EXPECT_EQ(table.size(), 1u);
    EXPECT_NE(table.imageNameForCode(u"[微笑]"), nullptr);
    EXPECT_EQ(table.imageNameForCode(u"[数字]"), nullptr);
}

TEST(QYEmojiDictionary, MissingFileIsNoTable)
{
    EXPECT_FALSE(QYEmojiDictionary::fromFile("/nonexistent/Emotion.plist").has_value());
}

TEST(QYEmojiDictionary, ValuesHoldingNulCharactersAreLeftOut)
{
    // Found by fuzzing: the plist library aborts when asked for such a string.
    std::string body = "<dict><key>[猫]</key><string>Emotion_1";
    body += '\0';
    body += "14@2x.png</string><key>[狗]</key><string>Emotion_113@2x.png</string></dict>";
    auto table = fromText(xmlPlist(body));
    EXPECT_EQ(table.size(), 1u);
    EXPECT_EQ(table.imageNameForCode(u"[猫]"), nullptr);
    EXPECT_NE(table.imageNameForCode(u"[狗]"), nullptr);
}
