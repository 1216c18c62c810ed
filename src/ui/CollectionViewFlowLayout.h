#pragma once
#include <functional>
#include <utility>
#include <vector>

#include "ui/IndexPath.h"
#include "ui/graphics/Geometry.h"

namespace ui {

enum class ScrollDirection { Vertical, Horizontal };

// Places the items of one section in lines: across the scroll direction until
// a line is full, then the next line. Items of a line are spread so the line
// fills the width between the insets (a lone item is centred) and are centred
// on the line's thickness. A plain calculation with no views, so screens and
// tests can ask it for frames directly.
class CollectionViewFlowLayout {
public:
    Size itemSize { 50, 50 };
    double minimumLineSpacing = 10;
    double minimumInteritemSpacing = 10;
    EdgeInsets sectionInset;
    ScrollDirection scrollDirection = ScrollDirection::Vertical;

    // Lays out `count` items in a view of `viewSize`; `sizeForItem`, when set,
    // gives each item its own size instead of `itemSize`.
    void prepare(int count, Size viewSize, const std::function<Size(const IndexPath&)>& sizeForItem = {});

    Size contentSize() const { return m_contentSize; }
    int itemCount() const { return int(m_frames.size()); }
    Rect frameForItem(int item) const { return m_frames.at(size_t(item)); }
    // The items whose frames may meet `rect`, as a half-open range [first, last).
    std::pair<int, int> itemsInRect(const Rect& rect) const;
    // The item whose frame contains the point, or -1.
    int itemAtPoint(Point point) const;

private:
    struct Line {
        double start = 0; // along the scroll direction
        double thickness = 0;
        int firstItem = 0;
    };

    std::vector<Rect> m_frames;
    std::vector<Line> m_lines;
    Size m_contentSize;
};

} // namespace ui
