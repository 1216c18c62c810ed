#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "shell/window/ChangedRows.h"

using shell::ChangedRows;

namespace {

// A picture of `rows` rows of 4 bytes, each row with its own stride padding.
struct Picture {
    static constexpr std::size_t kRowBytes = 4;
    std::size_t stride;
    std::vector<std::uint8_t> bytes;
    Picture(int rows, std::size_t strideBytes)
        : stride(strideBytes)
        , bytes(std::size_t(rows) * strideBytes, 0)
    {
    }
    std::uint8_t* row(int r) { return bytes.data() + std::size_t(r) * stride; }
};

ChangedRows between(Picture& before, Picture& after, int rows)
{
    return ChangedRows::between(before.bytes.data(), before.stride, after.bytes.data(), after.stride, Picture::kRowBytes, rows);
}

} // namespace

TEST(ChangedRowsTest, FindsTheBandFromTheFirstToTheLastChangedRow)
{
    Picture before(10, 4), after(10, 8); // the window's rows may be padded
    EXPECT_TRUE(between(before, after, 10).isEmpty());

    after.row(3)[0] = 1;
    ChangedRows one = between(before, after, 10);
    EXPECT_EQ(one.first, 3);
    EXPECT_EQ(one.count, 1);

    after.row(7)[3] = 9;
    ChangedRows band = between(before, after, 10);
    EXPECT_EQ(band.first, 3);
    EXPECT_EQ(band.count, 5) << "unchanged rows inside the band go along";

    after.row(0)[1] = 2;
    after.row(9)[2] = 2;
    band = between(before, after, 10);
    EXPECT_EQ(band.first, 0);
    EXPECT_EQ(band.count, 10);
}

TEST(ChangedRowsTest, PaddingPastTheRowIsNotCompared)
{
    Picture before(4, 8), after(4, 8);
    before.row(2)[5] = 7; // stride padding, never shown
    EXPECT_TRUE(between(before, after, 4).isEmpty());
    EXPECT_TRUE(ChangedRows::between(nullptr, 0, nullptr, 0, 4, 0).isEmpty()) << "no rows";
}
