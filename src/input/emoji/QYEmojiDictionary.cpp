#include "input/emoji/QYEmojiDictionary.h"

#include <plist/plist.h>
#include <unicode/unistr.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>

#include "platform/Log.h"

namespace {

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};

// The library's own string getter aborts on a string holding a NUL character,
// which a damaged file can contain; such a value names no picture anyway.
std::optional<std::string> stringValue(plist_t node)
{
    if (plist_get_node_type(node) != PLIST_STRING)
        return std::nullopt;
    std::uint64_t length = 0;
    const char* value = plist_get_string_ptr(node, &length);
    if (!value || std::memchr(value, '\0', std::size_t(length)) != nullptr)
        return std::nullopt;
    return std::string(value, std::size_t(length));
}

std::u16string utf16(const std::string& utf8)
{
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(utf8);
    return std::u16string(text.getBuffer(), std::size_t(text.length()));
}

} // namespace

QYEmojiDictionary QYEmojiDictionary::fromData(const std::uint8_t* bytes, std::size_t size)
{
    QYEmojiDictionary table;
    if (!bytes || size == 0 || size > std::numeric_limits<std::uint32_t>::max())
        return table;
    plist_t parsed = nullptr;
    plist_from_memory(reinterpret_cast<const char*>(bytes), std::uint32_t(size), &parsed);
    std::unique_ptr<void, PlistDeleter> root(parsed);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT) {
        platform::log::line("emoji", "emoji table is not a property-list dictionary");
        return table;
    }
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(root.get(), &iter);
    if (!iter)
        return table;
    while (true) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(root.get(), iter, &key, &value);
        if (!key)
            break;
        std::string code(key);
        free(key);
        if (auto name = value ? stringValue(value) : std::nullopt)
            table.add(utf16(code), std::move(*name));
    }
    free(iter);
    return table;
}

std::optional<QYEmojiDictionary> QYEmojiDictionary::fromFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return fromData(bytes.data(), bytes.size());
}

const std::string* QYEmojiDictionary::imageNameForCode(std::u16string_view code) const
{
    auto found = m_index.find(code);
    return found == m_index.end() ? nullptr : &m_entries[found->second].imageName;
}

void QYEmojiDictionary::add(std::u16string code, std::string imageName)
{
    // A dictionary holds one value per key; should a file repeat a key, the
    // later entry replaces the earlier one as the platform's reader does.
    if (auto found = m_index.find(code); found != m_index.end()) {
        m_entries[found->second].imageName = std::move(imageName);
        return;
    }
    m_index.emplace(code, m_entries.size());
    m_entries.push_back({std::move(code), std::move(imageName)});
}
