#include "ui/graphics/AttributedString.h"

#include <unicode/unistr.h>

#include <algorithm>

namespace ui {

std::u16string toUtf16(std::string_view utf8)
{
    // Malformed bytes become U+FFFD rather than failing the whole text.
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), utf8.size()));
    return std::u16string(text.getBuffer(), text.getBuffer() + text.length());
}

std::string toUtf8(std::u16string_view utf16)
{
    icu::UnicodeString text(false, utf16.data(), static_cast<int32_t>(utf16.size()));
    std::string out;
    text.toUTF8String(out);
    return out;
}

void TextAttributes::merge(const TextAttributes& other)
{
    if (other.font)
        font = other.font;
    if (other.foreground)
        foreground = other.foreground;
    if (other.background)
        background = other.background;
    if (other.kern)
        kern = other.kern;
    if (other.paragraph)
        paragraph = other.paragraph;
    if (other.inlineBox)
        inlineBox = other.inlineBox;
    if (other.link)
        link = other.link;
    if (other.underline)
        underline = true;
}

AttributedString::AttributedString(std::u16string text, const TextAttributes& attributes)
    : m_text(std::move(text))
{
    if (!m_text.empty())
        m_runs.push_back({ { 0, m_text.size() }, attributes });
}

AttributedString AttributedString::fromUtf8(std::string_view text, const TextAttributes& attributes)
{
    return AttributedString(toUtf16(text), attributes);
}

AttributedString AttributedString::fromRuns(std::u16string text, std::vector<Run> runs)
{
    AttributedString out;
    out.m_text = std::move(text);
    const std::size_t length = out.m_text.size();
    std::size_t cursor = 0;
    out.m_runs.reserve(runs.size());
    for (Run& run : runs) {
        std::size_t start = std::max(run.range.location, cursor);
        std::size_t end = std::min(run.range.end(), length);
        if (end <= start)
            continue;
        // A gap between runs gets a run without attributes, as every other
        // operation leaves the text covered.
        if (start > cursor)
            out.m_runs.push_back({ { cursor, start - cursor }, {} });
        out.m_runs.push_back({ { start, end - start }, std::move(run.attributes) });
        cursor = end;
    }
    if (cursor < length)
        out.m_runs.push_back({ { cursor, length - cursor }, {} });
    out.normalize();
    return out;
}

std::string AttributedString::utf8() const { return toUtf8(m_text); }

namespace {

Range clamp(Range range, std::size_t length)
{
    std::size_t location = std::min(range.location, length);
    return { location, std::min(range.length, length - location) };
}

// Splits the runs so that one begins at `index` (when inside the text).
void splitAt(std::vector<AttributedString::Run>& runs, std::size_t index)
{
    for (std::size_t i = 0; i < runs.size(); ++i) {
        Range r = runs[i].range;
        if (index > r.location && index < r.end()) {
            AttributedString::Run tail { { index, r.end() - index }, runs[i].attributes };
            runs[i].range.length = index - r.location;
            runs.insert(runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, tail);
            return;
        }
    }
}

} // namespace

void AttributedString::normalize()
{
    std::vector<Run> merged;
    for (auto& run : m_runs) {
        if (run.range.length == 0)
            continue;
        if (!merged.empty() && merged.back().attributes == run.attributes
            && merged.back().range.end() == run.range.location)
            merged.back().range.length += run.range.length;
        else
            merged.push_back(std::move(run));
    }
    m_runs = std::move(merged);
}

void AttributedString::addAttributes(const TextAttributes& attributes, Range range)
{
    range = clamp(range, m_text.size());
    if (range.length == 0)
        return;
    splitAt(m_runs, range.location);
    splitAt(m_runs, range.end());
    for (auto& run : m_runs) {
        if (run.range.location >= range.location && run.range.end() <= range.end())
            run.attributes.merge(attributes);
    }
    normalize();
}

void AttributedString::setAttributes(const TextAttributes& attributes, Range range)
{
    range = clamp(range, m_text.size());
    if (range.length == 0)
        return;
    splitAt(m_runs, range.location);
    splitAt(m_runs, range.end());
    for (auto& run : m_runs) {
        if (run.range.location >= range.location && run.range.end() <= range.end())
            run.attributes = attributes;
    }
    normalize();
}

void AttributedString::append(const AttributedString& other)
{
    replace({ m_text.size(), 0 }, other);
}

void AttributedString::replace(Range range, const AttributedString& replacement)
{
    range = clamp(range, m_text.size());
    std::vector<Run> runs;
    for (const auto& run : m_runs) {
        if (run.range.location < range.location) {
            std::size_t end = std::min(run.range.end(), range.location);
            runs.push_back({ { run.range.location, end - run.range.location }, run.attributes });
        }
    }
    for (const auto& run : replacement.m_runs)
        runs.push_back({ { run.range.location + range.location, run.range.length }, run.attributes });
    std::size_t shift = replacement.length();
    for (const auto& run : m_runs) {
        if (run.range.end() > range.end()) {
            std::size_t start = std::max(run.range.location, range.end());
            runs.push_back({ { start - range.length + shift, run.range.end() - start }, run.attributes });
        }
    }
    m_text.replace(range.location, range.length, replacement.m_text);
    m_runs = std::move(runs);
    normalize();
}

AttributedString AttributedString::substring(Range range) const
{
    range = clamp(range, m_text.size());
    AttributedString out;
    out.m_text = m_text.substr(range.location, range.length);
    for (const auto& run : m_runs) {
        std::size_t start = std::max(run.range.location, range.location);
        std::size_t end = std::min(run.range.end(), range.end());
        if (end > start)
            out.m_runs.push_back({ { start - range.location, end - start }, run.attributes });
    }
    return out;
}

TextAttributes AttributedString::attributesAt(std::size_t index, Range* effectiveRange) const
{
    auto found = std::upper_bound(m_runs.begin(), m_runs.end(), index,
        [](std::size_t i, const Run& run) { return i < run.range.end(); });
    if (found == m_runs.end() || !found->range.contains(index)) {
        if (effectiveRange)
            *effectiveRange = { std::min(index, m_text.size()), 0 };
        return {};
    }
    if (effectiveRange)
        *effectiveRange = found->range;
    return found->attributes;
}

} // namespace ui
