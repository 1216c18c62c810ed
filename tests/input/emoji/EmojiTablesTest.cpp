#include <gtest/gtest.h>
#include <plist/plist.h>

#include <filesystem>
#include <set>

#include "EmojiTestSupport.h"

TEST(EmojiTables, ShippedTablesNameEachOf115PicturesByACodeTheBubbleFindsWhole)
{
    // The messenger table names its pictures' files, the payment table their numbers.
    const std::pair<const char*, bool> shipped[] = {{"Emotion.plist", true}, {"BaseEmotion.plist", false}};
    const std::string folder = QYEmojiRegexPlistManager::resourceFolder();
    auto bubble = QYRegularExpression::compile(kBubbleEmojiRegex);
    for (auto [file, messenger] : shipped) {
        SCOPED_TRACE(file);
        auto read = QYEmojiDictionary::fromFile(folder + "/" + file);
        ASSERT_TRUE(read.has_value());
        ASSERT_EQ(read->size(), 115u);
        std::set<std::string> names;
        for (const auto& entry : read->entries()) {
            EXPECT_EQ(bubble->matches(entry.code).ranges, (std::vector<ui::Range>{{0, entry.code.size()}}));
            EXPECT_TRUE(std::filesystem::exists(folder + "/" + entry.imageName + (messenger ? "" : ".png"))) << entry.imageName;
            names.insert(entry.imageName);
        }
        for (int n = 1; n <= 115; ++n)
            EXPECT_TRUE(names.count(messenger ? "Emotion_" + std::to_string(n) + "@2x.png" : std::to_string(n))) << n;
    }
}

TEST(EmojiTables, BinaryOrXmlPlistsReadAlikeMalformedOnesGiveEmptyTablesOddEntriesAreLeftOut)
{
    // A value holding NUL made the plist library abort (found by fuzzing).
    std::string nul = "<key>[猫]</key><string>Emotion_1";
    nul += '\0';
    nul += "14@2x.png</string>";
    plist_t dict = plist_new_dict();
    plist_dict_set_item(dict, "[微笑]", plist_new_string("Emotion_1@2x.png"));
    plist_dict_set_item(dict, "[大哭]", plist_new_string("Emotion_60@2x.png"));
    char* made[2] = {nullptr, nullptr};
    uint32_t lengths[2] = {0, 0};
    plist_to_bin(dict, &made[0], &lengths[0]);
    plist_to_xml(dict, &made[1], &lengths[1]);
    plist_free(dict);
    const std::pair<std::string, std::size_t> cases[] = {
        {std::string(made[0], lengths[0]), 2}, // binary and XML read alike
        {std::string(made[1], lengths[1]), 2},
        {"", 0},
        {"not a plist at all", 0},
        {"bplist00\xff\xff\xff\xff\x01\x02", 0},
        {std::string("bplist00") + std::string(40, '\0'), 0},
        {xmlPlist("<dict><key>[微笑]</key><string>Emotion_1@2x.png</string>"), 0}, // unterminated
        {xmlPlist("<array><string>[微笑]</string></array>"), 0},
        {xmlPlist("<string>[微笑]</string>"), 0},
        {xmlPlist("<dict><key>[微笑]</key><string>1.png</string><key>[数字]</key><integer>7</integer>"
                  "<key>[表]</key><dict><key>a</key><string>b</string></dict>" + nul + "</dict>"), 1},
    };
    for (const auto& [bytes, size] : cases) {
        SCOPED_TRACE(bytes);
        auto table = tableFromBytes(bytes);
        EXPECT_EQ(table.size(), size);
        EXPECT_EQ(table.imageNameForCode(u"[猫]"), nullptr);
        const std::string* cry = table.imageNameForCode(u"[大哭]");
        EXPECT_EQ(cry ? *cry : "", size == 2 ? "Emotion_60@2x.png" : "");
    }
    free(made[0]);
    free(made[1]);
    EXPECT_FALSE(QYEmojiDictionary::fromFile("/nonexistent/Emotion.plist").has_value());
    EXPECT_EQ(QYEmojiRegexPlistManager::sharedInstance().emojiDictForKey("NoSuchTable.plist"), nullptr);
}

TEST(EmojiTables, PlistExtensionIsAddedUnlessTheNameEndsWithItInAnyCase)
{
    for (auto [given, file] : {std::pair{"Emotion", "Emotion.plist"}, {"Emotion.PList", "Emotion.PList"},
                               {"plist", "plist.plist"}, {"a.plist.bak", "a.plist.bak.plist"}})
        EXPECT_EQ(QYEmojiRegexPlistManager::plistFileName(given), file);
}
