#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "ui/RowOffsets.h"

using ui::RowOffsets;

namespace {

// The tops a plain running sum gives, one more for the end.
std::vector<double> runningTops(const std::vector<double>& heights)
{
    std::vector<double> tops(heights.size() + 1, 0);
    for (size_t i = 0; i < heights.size(); ++i)
        tops[i + 1] = tops[i] + std::max(0.0, heights[i]);
    return tops;
}

// Every top and both searches agree with a sorted array of the running sums,
// at each top, just beside it and between rows.
void expectSameAsRunningSums(const RowOffsets& rows, const std::vector<double>& heights)
{
    auto tops = runningTops(heights);
    ASSERT_EQ(rows.count(), int(heights.size()));
    for (int row = 0; row <= rows.count(); ++row)
        ASSERT_EQ(rows.top(row), tops[size_t(row)]) << "top of row " << row;
    std::vector<double> probes { -1, 0, tops.back(), tops.back() + 5 };
    for (double top : tops) {
        probes.push_back(top - 0.25);
        probes.push_back(top);
        probes.push_back(top + 0.25);
    }
    for (double y : probes) {
        ASSERT_EQ(rows.upperBound(y), int(std::upper_bound(tops.begin(), tops.end(), y) - tops.begin())) << "at " << y;
        ASSERT_EQ(rows.lowerBound(y), int(std::lower_bound(tops.begin(), tops.end(), y) - tops.begin())) << "at " << y;
    }
}

} // namespace

// Sizes around powers of two walk every shape of the tree; zero-high rows
// make runs of equal tops, negative ones count as zero.
TEST(RowOffsets, TopsAndSearchesMatchRunningSumsAsRowsAreMeasured)
{
    std::mt19937 random(7);
    for (int count : { 0, 1, 2, 3, 7, 8, 9, 31, 64, 100 }) {
        SCOPED_TRACE(count);
        RowOffsets rows;
        rows.assign(count, 44);
        std::vector<double> heights(size_t(count), 44);
        expectSameAsRunningSums(rows, heights);
        for (int step = 0; step < 3 * count; ++step) {
            int row = int(random() % unsigned(count));
            // Quarter points, as laid-out text gives; some rows collapse to nothing.
            double height = random() % 5 == 0 ? (random() % 2 ? 0 : -3) : double(random() % 800) / 4;
            rows.setMeasuredHeight(row, height);
            heights[size_t(row)] = std::max(0.0, height);
            EXPECT_TRUE(rows.isMeasured(row));
        }
        expectSameAsRunningSums(rows, heights);
        // A rebuild from the mixed state keeps what was measured.
        RowOffsets copy;
        copy.assign(rows.heights(), rows.measuredRows());
        expectSameAsRunningSums(copy, heights);
        EXPECT_EQ(copy.measuredRows(), rows.measuredRows());
    }
}

TEST(RowOffsets, OnlyMeasuredRowsCountAsMeasured)
{
    RowOffsets rows;
    rows.assign(4, 60);
    rows.setMeasuredHeight(2, 60); // the guess was right: still a measurement
    EXPECT_EQ(rows.measuredRows(), (std::vector<bool> { false, false, true, false }));
    rows.assignMeasured({ 1, 2 });
    EXPECT_EQ(rows.measuredRows(), (std::vector<bool> { true, true }));
    EXPECT_EQ(rows.total(), 3);
}
