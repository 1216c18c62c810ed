#include "input/label/QYAttributedStringBuilder.h"

#include <algorithm>

void QYAttributedStringBuilder::append(std::u16string_view text, const ui::TextAttributes& attributes)
{
    if (!text.empty())
        m_parts.emplace_back(std::u16string(text), attributes);
}

void QYAttributedStringBuilder::append(const ui::AttributedString& source, ui::Range range)
{
    const auto& runs = source.runs();
    const std::u16string& text = source.text();
    std::size_t end = std::min(range.end(), text.size());
    // The first run that ends after the range's start.
    auto run = std::upper_bound(runs.begin(), runs.end(), range.location,
                                [](std::size_t index, const ui::AttributedString::Run& r) { return index < r.range.end(); });
    std::size_t cursor = range.location;
    for (; cursor < end && run != runs.end(); ++run) {
        if (run->range.location > cursor) {
            // Text without a run has no attributes.
            std::size_t gapEnd = std::min(run->range.location, end);
            append(std::u16string_view(text).substr(cursor, gapEnd - cursor), {});
            cursor = gapEnd;
        }
        std::size_t pieceEnd = std::min(run->range.end(), end);
        if (pieceEnd > cursor) {
            append(std::u16string_view(text).substr(cursor, pieceEnd - cursor), run->attributes);
            cursor = pieceEnd;
        }
    }
    if (cursor < end)
        append(std::u16string_view(text).substr(cursor, end - cursor), {});
}

void QYAttributedStringBuilder::append(const ui::AttributedString& source, const std::vector<Overlay>& overlays)
{
    std::size_t cursor = 0;
    for (const Overlay& overlay : overlays) {
        if (overlay.range.location < cursor || overlay.range.end() > source.length())
            continue;
        append(source, {cursor, overlay.range.location - cursor});
        QYAttributedStringBuilder covered;
        covered.append(source, overlay.range);
        for (ui::AttributedString& part : covered.m_parts) {
            part.addAttributes(overlay.attributes, {0, part.length()});
            m_parts.push_back(std::move(part));
        }
        cursor = overlay.range.end();
    }
    append(source, {cursor, source.length() - std::min(cursor, source.length())});
}

ui::AttributedString QYAttributedStringBuilder::build()
{
    if (m_parts.empty())
        return {};
    // Pairwise, so that each run is copied once per level.
    while (m_parts.size() > 1) {
        std::vector<ui::AttributedString> merged;
        merged.reserve((m_parts.size() + 1) / 2);
        for (std::size_t i = 0; i < m_parts.size(); i += 2) {
            if (i + 1 < m_parts.size())
                m_parts[i].append(m_parts[i + 1]);
            merged.push_back(std::move(m_parts[i]));
        }
        m_parts = std::move(merged);
    }
    ui::AttributedString result = std::move(m_parts.front());
    m_parts.clear();
    return result;
}
