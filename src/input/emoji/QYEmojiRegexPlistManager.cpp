#include "input/emoji/QYEmojiRegexPlistManager.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/Folders.h"

QYEmojiRegexPlistManager& QYEmojiRegexPlistManager::sharedInstance()
{
    static QYEmojiRegexPlistManager* instance = new QYEmojiRegexPlistManager;
    return *instance;
}

const QYEmojiDictionary* QYEmojiRegexPlistManager::emojiDictForKey(const std::string& fileName)
{
    std::lock_guard lock(m_mutex);
    if (auto found = m_emojiDictRecords.find(fileName); found != m_emojiDictRecords.end())
        return found->second.get();
    auto table = QYEmojiDictionary::fromFile(platform::folders::join(resourceFolder(), fileName));
    if (!table)
        return nullptr;
    auto& slot = m_emojiDictRecords[fileName];
    slot = std::make_unique<QYEmojiDictionary>(std::move(*table));
    return slot.get();
}

const QYRegularExpression* QYEmojiRegexPlistManager::regularExpressionForRegex(std::u16string_view pattern)
{
    std::lock_guard lock(m_mutex);
    if (auto found = m_emojiRegularExpressions.find(pattern); found != m_emojiRegularExpressions.end())
        return found->second.get();
    // A pattern that does not compile is remembered as nothing, not retried.
    auto& slot = m_emojiRegularExpressions[std::u16string(pattern)];
    slot = QYRegularExpression::compile(pattern);
    return slot.get();
}

std::string QYEmojiRegexPlistManager::plistFileName(std::string_view name)
{
    constexpr std::string_view extension = ".plist";
    bool hasExtension = name.size() >= extension.size()
        && std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
                      [](char a, char b) { return std::tolower((unsigned char)a) == std::tolower((unsigned char)b); });
    return hasExtension ? std::string(name) : std::string(name) + std::string(extension);
}

std::string QYEmojiRegexPlistManager::resourceFolder()
{
    if (const char* folder = std::getenv("QYSHOT_RESOURCES"); folder && *folder)
        return folder;
    return QY_RESOURCE_DIR;
}
