#pragma once
#include <cstddef>
#include <cstdint>

namespace shell {

// The band of rows in which two pictures of the same size differ, so that a
// frame sends the window only what changed: typing redraws the text field and
// the caret, not the whole phone.
struct ChangedRows {
    int first = 0;
    int count = 0; // 0: the pictures are the same

    bool isEmpty() const { return count == 0; }

    // `rowBytes` bytes of each of `rows` rows are compared; each picture has
    // its own stride.
    static ChangedRows between(const std::uint8_t* before, std::size_t beforeStride,
        const std::uint8_t* after, std::size_t afterStride, std::size_t rowBytes, int rows);
};

} // namespace shell
