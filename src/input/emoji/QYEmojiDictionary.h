#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// An emoji table: a flat property-list dictionary from emoji code ("[微笑]") to
// the name of its picture. Entries that are not strings are left out, so a table
// read from a damaged or foreign file is at worst empty, never half-usable.
class QYEmojiDictionary {
public:
    struct Entry {
        std::u16string code;
        std::string imageName;
    };

    QYEmojiDictionary() = default;
    // Reads an XML or binary plist; anything but a dictionary gives an empty table.
    static QYEmojiDictionary fromData(const std::uint8_t* bytes, std::size_t size);
    // nullopt when the file cannot be read at all.
    static std::optional<QYEmojiDictionary> fromFile(const std::string& path);

    // The picture for a code, or nullptr when the table has none.
    const std::string* imageNameForCode(std::u16string_view code) const;
    // Every entry, in the order the file lists them.
    const std::vector<Entry>& entries() const { return m_entries; }
    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }

private:
    void add(std::u16string code, std::string imageName);
    std::vector<Entry> m_entries;
    std::map<std::u16string, std::size_t, std::less<>> m_index;
};
