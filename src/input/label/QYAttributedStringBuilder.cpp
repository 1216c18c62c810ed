#include "input/label/QYAttributedStringBuilder.h"

#include <algorithm>

void QYAttributedStringBuilder::append(std::u16string_view text, const ui::TextAttributes& attributes)
{
    if (text.empty())
        return;
    if (!m_runs.empty() && m_runs.back().attributes == attributes) {
        m_runs.back().range.length += text.size();
    } else {
        m_runs.push_back({{m_text.size(), text.size()}, attributes});
    }
    m_text.append(text);
}

template <typename Piece>
void QYAttributedStringBuilder::forEachPiece(const ui::AttributedString& source, ui::Range range, Piece&& piece)
{
    static const ui::TextAttributes kNone;
    const auto& runs = source.runs();
    const std::u16string_view text = source.text();
    std::size_t end = std::min(range.end(), text.size());
    // The first run that ends after the range's start.
    auto run = std::upper_bound(runs.begin(), runs.end(), range.location,
                                [](std::size_t index, const ui::AttributedString::Run& r) { return index < r.range.end(); });
    std::size_t cursor = range.location;
    for (; cursor < end && run != runs.end(); ++run) {
        if (run->range.location > cursor) {
            // Text without a run has no attributes.
            std::size_t gapEnd = std::min(run->range.location, end);
            piece(text.substr(cursor, gapEnd - cursor), kNone);
            cursor = gapEnd;
        }
        std::size_t pieceEnd = std::min(run->range.end(), end);
        if (pieceEnd > cursor) {
            piece(text.substr(cursor, pieceEnd - cursor), run->attributes);
            cursor = pieceEnd;
        }
    }
    if (cursor < end)
        piece(text.substr(cursor, end - cursor), kNone);
}

void QYAttributedStringBuilder::append(const ui::AttributedString& source, ui::Range range)
{
    forEachPiece(source, range,
                 [this](std::u16string_view text, const ui::TextAttributes& attributes) { append(text, attributes); });
}

void QYAttributedStringBuilder::append(const ui::AttributedString& source, const std::vector<Overlay>& overlays)
{
    std::size_t cursor = 0;
    for (const Overlay& overlay : overlays) {
        if (overlay.range.location < cursor || overlay.range.end() > source.length())
            continue;
        append(source, {cursor, overlay.range.location - cursor});
        forEachPiece(source, overlay.range, [&](std::u16string_view text, const ui::TextAttributes& attributes) {
            ui::TextAttributes covered = attributes;
            covered.merge(overlay.attributes);
            append(text, covered);
        });
        cursor = overlay.range.end();
    }
    append(source, {cursor, source.length() - std::min(cursor, source.length())});
}

ui::AttributedString QYAttributedStringBuilder::build()
{
    ui::AttributedString result = ui::AttributedString::fromRuns(std::move(m_text), std::move(m_runs));
    m_text.clear();
    m_runs.clear();
    return result;
}
