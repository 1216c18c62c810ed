#pragma once
#include <compare>

namespace ui {

// A position in a table or a grid: a section and a row (an item, in a grid).
// Screens speak of positions this way even where there is one section.
struct IndexPath {
    int section = 0;
    int row = 0;

    int item() const { return row; }
    static IndexPath forRow(int row, int section = 0) { return { section, row }; }
    static IndexPath forItem(int item, int section = 0) { return { section, item }; }

    auto operator<=>(const IndexPath&) const = default;
};

} // namespace ui
