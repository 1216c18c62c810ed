#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>

#include "platform/Clock.h"

namespace platform {

// The main thread's queue of work. Everything the screens do runs on it:
// `async` work, delayed work (`after`), timers and animation completions.
// The shell calls `runDue()` once per frame; tests and scenes call `advance()`
// on a virtual clock, which runs each task at its own due time, in order.
class MainQueue {
public:
    using TaskId = std::uint64_t;

    static MainQueue& shared();

    // Replaces the clock; the app installs a SystemClock, tests a VirtualClock.
    void setClock(std::shared_ptr<Clock> clock);
    Clock& clock() const { return *m_clock; }
    double now() const { return m_clock->now(); }
    // The virtual clock, or nullptr when the queue runs on real time.
    VirtualClock* virtualClock() const;

    // Runs the task on a later pass of the queue, never synchronously.
    TaskId async(std::function<void()> task) { return after(0, std::move(task)); }
    // Runs the task once `seconds` have passed (negative counts as zero).
    TaskId after(double seconds, std::function<void()> task);
    void cancel(TaskId id);

    // Runs every task that is due now, including tasks those tasks add when they
    // are due too. Returns how many ran.
    int runDue();
    // Moves the virtual clock forward by `seconds`, stopping at each due time to
    // run what is due then. Does nothing to a real clock except run due work.
    void advance(double seconds);
    // Due time of the earliest waiting task, or a negative number when none waits.
    double nextDueTime() const;
    bool hasPendingTasks() const { return !m_tasks.empty(); }
    // Drops every waiting task (a fresh app start in tests).
    void clear();

private:
    MainQueue();
    struct Key {
        double due;
        TaskId id;
        bool operator<(const Key& other) const { return due != other.due ? due < other.due : id < other.id; }
    };
    std::shared_ptr<Clock> m_clock;
    std::map<Key, std::function<void()>> m_tasks;
    std::map<TaskId, double> m_dueById;
    TaskId m_nextId = 1;
};

// A repeating or one-shot timer on the main queue. It fires until invalidated
// or until its owner drops the last reference to it.
class Timer : public std::enable_shared_from_this<Timer> {
public:
    static std::shared_ptr<Timer> scheduled(double interval, bool repeats, std::function<void(Timer&)> action);
    ~Timer();
    void invalidate();
    bool isValid() const { return m_valid; }
    double interval() const { return m_interval; }

private:
    Timer(double interval, bool repeats, std::function<void(Timer&)> action);
    void schedule();
    double m_interval;
    bool m_repeats;
    bool m_valid = true;
    double m_nextFire = 0;
    MainQueue::TaskId m_task = 0;
    std::function<void(Timer&)> m_action;
};

} // namespace platform
