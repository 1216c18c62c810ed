#pragma once
#include <cstddef>
#include <mutex>

namespace coding {

class Container;

// Frees cycles of containers that nothing outside the cycle refers to.
//
// The method is trial deletion: every container's reference count is compared
// with the references other containers hold to it. A container with more
// references than that is held from outside (a variable, a screen, a record in
// use); everything reachable from such containers stays, and the rest is garbage
// whose references are cleared so that reference counting can free it.
//
// Collection runs on the thread that uses the objects (the app keeps its records
// on the main thread); registration itself is thread-safe. The decoder collects
// when enough new containers were made since the last run, and once more at exit.
class CycleCollector {
public:
    static CycleCollector& shared();

    // Runs a full collection; returns how many containers were released.
    std::size_t collect();
    // Collects when the number of containers made since the last run exceeds the
    // number that survived it (with a floor), keeping the cost amortised.
    void collectIfDue();
    std::size_t trackedCount() const;

private:
    friend class Container;
    CycleCollector() = default;
    void add(Container* container);
    void remove(Container* container);

    // Recursive: a model getter called while collecting may make a container.
    mutable std::recursive_mutex m_mutex;
    Container* m_first = nullptr;
    std::size_t m_count = 0;
    std::size_t m_madeSinceLastRun = 0;
    std::size_t m_survivors = 0;
    bool m_collecting = false;
};

} // namespace coding
