#pragma once
#include <string>

#include "input/emoji/QYEmojiDictionary.h"
#include "input/emoji/QYEmojiRegexPlistManager.h"
#include "input/emoji/QYEmojiSubstitution.h"

// The text bubble's code pattern.
inline constexpr std::u16string_view kBubbleEmojiRegex = u"\\[[a-zA-Z0-9\\u4e00-\\u9fa5]+\\]";
inline constexpr char16_t kObject = QYEmojiSubstitution::kObjectReplacementCharacter;

inline std::string xmlPlist(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body + "</plist>\n";
}

inline QYEmojiDictionary tableFromBytes(const std::string& bytes)
{
    return QYEmojiDictionary::fromData(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

inline QYEmojiDictionary tableFromXmlBody(const std::string& body) { return tableFromBytes(xmlPlist("<dict>" + body + "</dict>")); }

// The messenger table the bubbles use, from this build's resources.
inline const QYEmojiDictionary& messengerTable()
{
    const QYEmojiDictionary* table = QYEmojiRegexPlistManager::sharedInstance().emojiDictForKey("Emotion.plist");
    static const QYEmojiDictionary empty;
    return table ? *table : empty;
}
