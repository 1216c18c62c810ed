#pragma once
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "input/emoji/QYEmojiDictionary.h"
#include "input/emoji/QYRegularExpression.h"

// The process-wide cache of emoji tables and compiled patterns that all emoji
// labels share: each table file is read once, each pattern compiled once. The
// caches are never emptied, so the pointers handed out stay valid for the
// whole process.
class QYEmojiRegexPlistManager {
public:
    static QYEmojiRegexPlistManager& sharedInstance();

    // The table in the resource file `fileName` ("Emotion.plist"). A file that
    // cannot be read gives nullptr and is not cached, so it is tried again next
    // time; a file that is not a dictionary gives an empty table.
    const QYEmojiDictionary* emojiDictForKey(const std::string& fileName);
    // The compiled (case-insensitive) pattern, or nullptr when it does not compile.
    const QYRegularExpression* regularExpressionForRegex(std::u16string_view pattern);

    // A table's file name as the labels are given it: ".plist" is appended unless
    // the name already ends in it, in any case ("Emotion" → "Emotion.plist").
    static std::string plistFileName(std::string_view name);
    // $QYSHOT_RESOURCES, else the build's resource folder (the rule ui::Image uses).
    static std::string resourceFolder();

private:
    QYEmojiRegexPlistManager() = default;
    std::mutex m_mutex;
    std::map<std::string, std::unique_ptr<QYEmojiDictionary>, std::less<>> m_emojiDictRecords;
    std::map<std::u16string, std::unique_ptr<QYRegularExpression>, std::less<>> m_emojiRegularExpressions;
};
