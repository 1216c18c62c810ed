#pragma once
#include <cstdint>

namespace ui {

// A counter bumped whenever anything visible changes, so the window host
// redraws only when needed (or while animations run).
class DisplayState {
public:
    static void markDirty() { ++s_generation; }
    static std::uint64_t generation() { return s_generation; }

private:
    static inline std::uint64_t s_generation = 1;
};

} // namespace ui
