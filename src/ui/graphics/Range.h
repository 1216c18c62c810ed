#pragma once
#include <cstddef>

namespace ui {

// Text positions count UTF-16 units, as the phone's strings do. A plain value
// with no drawing behind it, so text logic below the toolkit can use it too.
struct Range {
    std::size_t location = 0;
    std::size_t length = 0;
    bool operator==(const Range&) const = default;
    std::size_t end() const { return location + length; }
    bool contains(std::size_t index) const { return index >= location && index < end(); }
};

} // namespace ui
