#pragma once
#include <string>

#include "input/emoji/QYEmojiDictionary.h"
#include "input/emoji/QYEmojiRegexPlistManager.h"
#include "input/emoji/QYEmojiSubstitution.h"

// The text bubble's code pattern.
inline constexpr std::u16string_view kBubbleEmojiRegex = u"\\[[a-zA-Z0-9\\u4e00-\\u9fa5]+\\]";

inline QYEmojiDictionary tableFromXmlBody(const std::string& body)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" + body
        + "</dict></plist>\n";
    return QYEmojiDictionary::fromData(reinterpret_cast<const std::uint8_t*>(xml.data()), xml.size());
}

// The messenger table the bubbles use, from this build's resources.
inline const QYEmojiDictionary& messengerTable()
{
    const QYEmojiDictionary* table = QYEmojiRegexPlistManager::sharedInstance().emojiDictForKey("Emotion.plist");
    static const QYEmojiDictionary empty;
    return table ? *table : empty;
}
