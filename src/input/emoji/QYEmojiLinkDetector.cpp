#include "input/emoji/QYEmojiLinkDetector.h"

#include <array>
#include <iterator>
#include <map>

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include "input/emoji/QYEmojiRegexPlistManager.h"

namespace {

constexpr std::array<std::u16string_view, 5> kPrefixes = {
    u"url->", u"email->", u"phoneNumber->", u"at->", u"poundSign->",
};

constexpr std::array<std::u16string_view, 5> kPatterns = {
    u"((http[s]{0,1}|ftp)://[a-zA-Z0-9\\.\\-]+\\.([a-zA-Z]{2,4})(:\\d+)?(/[a-zA-Z0-9\\.\\-~!@#$%^&*+?:_/=<>]*)?)"
    u"|(www.[a-zA-Z0-9\\.\\-]+\\.([a-zA-Z]{2,4})(:\\d+)?(/[a-zA-Z0-9\\.\\-~!@#$%^&*+?:_/=<>]*)?)",
    u"[A-Z0-9a-z\\._%+-]+@([A-Za-z0-9-]+\\.)+[A-Za-z]{2,4}",
    u"\\d{3}-\\d{8}|\\d{3}-\\d{7}|\\d{4}-\\d{8}|\\d{4}-\\d{7}|1+[358]+\\d{9}|\\d{8}|\\d{7}",
    u"@[\\u4e00-\\u9fa5\\w\\-]+",
    u"#([\\u4e00-\\u9fa5\\w\\-]+)#",
};

// The five patterns, compiled once per process through the shared cache.
const QYRegularExpression* compiledPattern(QYEmojiLinkType type)
{
    static const std::array<const QYRegularExpression*, 5> compiled = [] {
        std::array<const QYRegularExpression*, 5> all{};
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = QYEmojiRegexPlistManager::sharedInstance().regularExpressionForRegex(kPatterns[i]);
        return all;
    }();
    return compiled[std::size_t(type)];
}

// What every match of a type must contain, found in one pass over the text:
// most messages have no link at all, and a pattern that cannot match needs no
// search.
class TextClues {
public:
    explicit TextClues(std::u16string_view text)
    {
        for (std::size_t i = 0; i < text.size();) {
            char16_t c = text[i];
            if (c == u'@') {
                m_atSign = true;
            } else if (c == u'#') {
                m_numberSign = true;
            } else if (c == u':' && text.substr(i, 3) == u"://") {
                m_schemeSeparator = true;
            } else if ((c == u'w' || c == u'W') && i + 2 < text.size() && (text[i + 1] | 0x20) == u'w'
                       && (text[i + 2] | 0x20) == u'w') {
                m_www = true;
            }
            if (c >= u'0' && c <= u'9') {
                ++m_decimalDigits;
                ++i;
            } else if (c < 0x80) {
                ++i;
            } else {
                // \d is any decimal digit, not only ASCII ones.
                UChar32 codePoint;
                std::int32_t next = std::int32_t(i);
                U16_NEXT(text.data(), next, std::int32_t(text.size()), codePoint);
                if (u_charType(codePoint) == U_DECIMAL_DIGIT_NUMBER)
                    ++m_decimalDigits;
                i = std::size_t(next);
            }
        }
    }

    bool mayMatch(QYEmojiLinkType type) const
    {
        switch (type) {
        case QYEmojiLinkType::Url:
            // "scheme://..." or "www" and more, in any case.
            return m_schemeSeparator || m_www;
        case QYEmojiLinkType::Email:
        case QYEmojiLinkType::At:
            return m_atSign;
        case QYEmojiLinkType::PhoneNumber:
            // The shortest number the pattern takes has seven digits.
            return m_decimalDigits >= 7;
        case QYEmojiLinkType::PoundSign:
            return m_numberSign;
        }
        return true;
    }

private:
    bool m_atSign = false;
    bool m_numberSign = false;
    bool m_schemeSeparator = false;
    bool m_www = false;
    std::size_t m_decimalDigits = 0;
};

// The links kept so far, which never overlap: start → end.
class TakenRanges {
public:
    bool overlaps(const ui::Range& range) const
    {
        // The last kept link starting before the candidate's end is the only one
        // that can reach into it.
        auto after = m_ranges.lower_bound(range.end());
        if (after == m_ranges.begin())
            return false;
        auto before = std::prev(after);
        return before->second > range.location;
    }
    void add(const ui::Range& range) { m_ranges.emplace(range.location, range.end()); }

private:
    std::map<std::size_t, std::size_t> m_ranges;
};

} // namespace

std::vector<QYEmojiLink> QYEmojiLinkDetector::detect(std::u16string_view text, Options options)
{
    std::vector<QYEmojiLinkType> types;
    if (!options.disableThreeCommon)
        types = {QYEmojiLinkType::Url, QYEmojiLinkType::Email, QYEmojiLinkType::PhoneNumber};
    if (options.isNeedAtAndPoundSign) {
        types.push_back(QYEmojiLinkType::At);
        types.push_back(QYEmojiLinkType::PoundSign);
    }

    std::vector<QYEmojiLink> links;
    if (types.empty())
        return links;
    const TextClues clues(text);
    TakenRanges taken;
    for (QYEmojiLinkType type : types) {
        if (!clues.mayMatch(type))
            continue;
        const QYRegularExpression* regex = compiledPattern(type);
        if (!regex)
            continue;
        for (const ui::Range& match : regex->matches(text).ranges) {
            // An empty match covers no character, so it can be no link.
            if (match.length == 0 || taken.overlaps(match))
                continue;
            taken.add(match);
            std::u16string replacement(prefix(type));
            replacement.append(text.substr(match.location, match.length));
            links.push_back({match, std::move(replacement)});
        }
    }
    return links;
}

std::optional<QYEmojiLinkDetector::Selection> QYEmojiLinkDetector::parse(std::u16string_view replacementString)
{
    for (std::size_t i = 0; i < kPrefixes.size(); ++i) {
        if (replacementString.starts_with(kPrefixes[i]))
            return Selection{QYEmojiLinkType(i), std::u16string(replacementString.substr(kPrefixes[i].size()))};
    }
    return std::nullopt;
}

std::u16string_view QYEmojiLinkDetector::prefix(QYEmojiLinkType type)
{
    return kPrefixes[std::size_t(type)];
}

std::u16string_view QYEmojiLinkDetector::pattern(QYEmojiLinkType type)
{
    return kPatterns[std::size_t(type)];
}
