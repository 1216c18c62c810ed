#pragma once
#include <cstddef>
#include <vector>

namespace ui {

// The heights of a column of rows and where each row starts, for lists whose
// rows may be measured one at a time long after the list was filled: a new
// height, the top of a row and the row at a point each cost O(log n), so a
// conversation of 100,000 rows can be opened with guessed heights and made
// exact row by row as rows come into view. Heights below zero count as zero.
class RowOffsets {
public:
    // Forgets every row: `count` rows of `height` each, none of them measured.
    void assign(int count, double height);
    // Every row anew from exact heights.
    void assignMeasured(const std::vector<double>& heights);
    // Replaces the rows by these heights and measured marks (equal lengths).
    void assign(const std::vector<double>& heights, const std::vector<bool>& measured);

    int count() const { return int(m_heights.size()); }
    double height(int row) const { return m_heights[std::size_t(row)]; }
    bool isMeasured(int row) const { return m_measured[std::size_t(row)]; }
    const std::vector<double>& heights() const { return m_heights; }
    const std::vector<bool>& measuredRows() const { return m_measured; }

    // Gives the row its exact height; the rows below it move by the change.
    void setMeasuredHeight(int row, double height);

    // The top of `row` (0 for the first row); row == count() gives the total.
    double top(int row) const;
    double total() const { return top(count()); }
    // Searches over the count() + 1 row tops (the last one being the total),
    // as std::upper_bound and std::lower_bound would over a sorted array of
    // them: how many tops lie at or above y, and how many strictly above it.
    int upperBound(double y) const;
    int lowerBound(double y) const;

private:
    void rebuildTree();
    // Walks the tree for the most leading rows whose sum stays below (or, when
    // `inclusive`, at) y.
    int leadingRowsSummingTo(double y, bool inclusive) const;

    std::vector<double> m_heights;
    std::vector<bool> m_measured;
    // A Fenwick tree over m_heights, 1-based: m_tree[i] sums the rows
    // (i - lowbit(i), i].
    std::vector<double> m_tree;
};

} // namespace ui
