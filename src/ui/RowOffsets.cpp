#include "ui/RowOffsets.h"

#include <algorithm>
#include <cassert>

namespace ui {

static std::size_t lowbit(std::size_t i)
{
    return i & (~i + 1);
}

void RowOffsets::assign(int count, double height)
{
    std::size_t n = std::size_t(std::max(0, count));
    m_heights.assign(n, std::max(0.0, height));
    m_measured.assign(n, false);
    rebuildTree();
}

void RowOffsets::assignMeasured(const std::vector<double>& heights)
{
    assign(heights, std::vector<bool>(heights.size(), true));
}

void RowOffsets::assign(const std::vector<double>& heights, const std::vector<bool>& measured)
{
    assert(heights.size() == measured.size());
    m_heights.resize(heights.size());
    std::transform(heights.begin(), heights.end(), m_heights.begin(), [](double h) { return std::max(0.0, h); });
    m_measured = measured;
    rebuildTree();
}

void RowOffsets::rebuildTree()
{
    // Linear build: each node passes its sum on to its parent once.
    std::size_t n = m_heights.size();
    m_tree.assign(n + 1, 0);
    for (std::size_t i = 1; i <= n; ++i) {
        m_tree[i] += m_heights[i - 1];
        std::size_t parent = i + lowbit(i);
        if (parent <= n)
            m_tree[parent] += m_tree[i];
    }
}

void RowOffsets::setMeasuredHeight(int row, double height)
{
    std::size_t r = std::size_t(row);
    height = std::max(0.0, height);
    m_measured[r] = true;
    double change = height - m_heights[r];
    if (change == 0)
        return;
    m_heights[r] = height;
    for (std::size_t i = r + 1; i < m_tree.size(); i += lowbit(i))
        m_tree[i] += change;
}

double RowOffsets::top(int row) const
{
    double sum = 0;
    for (std::size_t i = std::size_t(std::clamp(row, 0, count())); i > 0; i -= lowbit(i))
        sum += m_tree[i];
    return sum;
}

int RowOffsets::leadingRowsSummingTo(double y, bool inclusive) const
{
    std::size_t n = m_heights.size(), position = 0;
    std::size_t step = 1;
    while (step * 2 <= n)
        step *= 2;
    double sum = 0;
    for (; step > 0; step /= 2) {
        std::size_t next = position + step;
        if (next > n)
            continue;
        double reached = sum + m_tree[next];
        if (inclusive ? reached <= y : reached < y) {
            position = next;
            sum = reached;
        }
    }
    return int(position);
}

int RowOffsets::upperBound(double y) const
{
    // Top k is the sum of the k rows before it; the first top is 0.
    return y < 0 ? 0 : leadingRowsSummingTo(y, true) + 1;
}

int RowOffsets::lowerBound(double y) const
{
    return y <= 0 ? 0 : leadingRowsSummingTo(y, false) + 1;
}

} // namespace ui
