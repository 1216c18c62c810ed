#include "ui/CollectionViewFlowLayout.h"

#include <algorithm>

namespace ui {

void CollectionViewFlowLayout::prepare(int count, Size viewSize, const std::function<Size(const IndexPath&)>& sizeForItem)
{
    bool vertical = scrollDirection == ScrollDirection::Vertical;
    // Work in "across" (along a line) and "along" (the scroll direction) terms.
    auto across = [&](Size s) { return vertical ? s.width : s.height; };
    auto along = [&](Size s) { return vertical ? s.height : s.width; };
    double insetBefore = vertical ? sectionInset.left : sectionInset.top;
    double insetAfter = vertical ? sectionInset.right : sectionInset.bottom;
    double insetStart = vertical ? sectionInset.top : sectionInset.left;
    double insetEnd = vertical ? sectionInset.bottom : sectionInset.right;
    double available = std::max(0.0, across(viewSize) - insetBefore - insetAfter);

    std::vector<Size> sizes(size_t(std::max(0, count)));
    for (int i = 0; i < count; ++i)
        sizes[size_t(i)] = sizeForItem ? sizeForItem(IndexPath::forItem(i)) : itemSize;

    m_frames.assign(sizes.size(), Rect {});
    m_lines.clear();
    double position = insetStart;
    size_t i = 0;
    while (i < sizes.size()) {
        // Fill a line: at least one item, more while they fit with the minimum gap.
        size_t end = i + 1;
        double used = across(sizes[i]);
        double thickness = along(sizes[i]);
        while (end < sizes.size() && used + minimumInteritemSpacing + across(sizes[end]) <= available + 1e-9) {
            used += minimumInteritemSpacing + across(sizes[end]);
            thickness = std::max(thickness, along(sizes[end]));
            ++end;
        }
        size_t n = end - i;
        double itemsAcross = used - minimumInteritemSpacing * double(n - 1);
        double gap = n > 1 ? (available - itemsAcross) / double(n - 1) : 0;
        double offset = insetBefore + (n == 1 ? (available - itemsAcross) / 2 : 0);
        for (size_t k = i; k < end; ++k) {
            double a = across(sizes[k]), l = along(sizes[k]);
            double lineOffset = position + (thickness - l) / 2;
            m_frames[k] = vertical ? Rect { offset, lineOffset, a, l } : Rect { lineOffset, offset, l, a };
            offset += a + gap;
        }
        m_lines.push_back({ position, thickness, int(i) });
        position += thickness + minimumLineSpacing;
        i = end;
    }
    double length = m_lines.empty() ? insetStart + insetEnd : m_lines.back().start + m_lines.back().thickness + insetEnd;
    m_contentSize = vertical ? Size { viewSize.width, length } : Size { length, viewSize.height };
}

std::pair<int, int> CollectionViewFlowLayout::itemsInRect(const Rect& rect) const
{
    if (m_lines.empty())
        return { 0, 0 };
    bool vertical = scrollDirection == ScrollDirection::Vertical;
    double from = vertical ? rect.minY() : rect.minX();
    double to = vertical ? rect.maxY() : rect.maxX();
    // The first line that ends after `from`, up to the last line that starts before `to`.
    auto first = std::partition_point(m_lines.begin(), m_lines.end(), [&](const Line& line) { return line.start + line.thickness <= from; });
    auto last = std::partition_point(first, m_lines.end(), [&](const Line& line) { return line.start < to; });
    if (first == last)
        return { 0, 0 };
    int firstItem = first->firstItem;
    int lastItem = last == m_lines.end() ? itemCount() : last->firstItem;
    return { firstItem, lastItem };
}

int CollectionViewFlowLayout::itemAtPoint(Point point) const
{
    auto [first, last] = itemsInRect({ point.x, point.y, 1e-6, 1e-6 });
    for (int item = first; item < last; ++item) {
        if (m_frames[size_t(item)].contains(point))
            return item;
    }
    return -1;
}

} // namespace ui
