#include "shell/window/ChangedRows.h"

#include <cstring>

namespace shell {

ChangedRows ChangedRows::between(const std::uint8_t* before, std::size_t beforeStride,
    const std::uint8_t* after, std::size_t afterStride, std::size_t rowBytes, int rows)
{
    auto same = [&](int row) {
        return std::memcmp(before + std::size_t(row) * beforeStride, after + std::size_t(row) * afterStride, rowBytes) == 0;
    };
    int top = 0;
    while (top < rows && same(top))
        ++top;
    if (top == rows)
        return {};
    int bottom = rows - 1;
    while (bottom > top && same(bottom))
        --bottom;
    return { top, bottom - top + 1 };
}

} // namespace shell
