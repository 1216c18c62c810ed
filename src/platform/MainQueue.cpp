#include "platform/MainQueue.h"

#include <algorithm>

namespace platform {

MainQueue& MainQueue::shared()
{
    static MainQueue queue;
    return queue;
}

MainQueue::MainQueue()
    : m_clock(std::make_shared<SystemClock>())
{
}

void MainQueue::setClock(std::shared_ptr<Clock> clock)
{
    if (clock)
        m_clock = std::move(clock);
}

VirtualClock* MainQueue::virtualClock() const
{
    return dynamic_cast<VirtualClock*>(m_clock.get());
}

MainQueue::TaskId MainQueue::after(double seconds, std::function<void()> task)
{
    TaskId id = m_nextId++;
    double due = now() + std::max(0.0, seconds);
    m_tasks.emplace(Key { due, id }, std::move(task));
    m_dueById.emplace(id, due);
    return id;
}

void MainQueue::cancel(TaskId id)
{
    auto it = m_dueById.find(id);
    if (it == m_dueById.end())
        return;
    m_tasks.erase(Key { it->second, id });
    m_dueById.erase(it);
}

int MainQueue::runDue()
{
    int ran = 0;
    // Tasks added while running get later ids, so a task that keeps re-posting
    // itself with `async` runs once per pass instead of looping forever.
    TaskId lastIdOfPass = m_nextId - 1;
    while (!m_tasks.empty()) {
        auto first = m_tasks.begin();
        if (first->first.due > now())
            break;
        if (first->first.id > lastIdOfPass) {
            auto eligible = std::find_if(m_tasks.begin(), m_tasks.end(), [&](const auto& entry) {
                return entry.first.due <= now() && entry.first.id <= lastIdOfPass;
            });
            if (eligible == m_tasks.end())
                break;
            first = eligible;
        }
        auto task = std::move(first->second);
        m_dueById.erase(first->first.id);
        m_tasks.erase(first);
        task();
        ++ran;
    }
    return ran;
}

void MainQueue::advance(double seconds)
{
    VirtualClock* clock = virtualClock();
    if (!clock) {
        runDue();
        return;
    }
    double target = clock->now() + std::max(0.0, seconds);
    for (;;) {
        runDue();
        double next = nextDueTime();
        if (next < 0 || next > target)
            break;
        clock->setNow(std::max(clock->now(), next));
    }
    clock->setNow(target);
    runDue();
}

double MainQueue::nextDueTime() const
{
    return m_tasks.empty() ? -1.0 : m_tasks.begin()->first.due;
}

void MainQueue::clear()
{
    m_tasks.clear();
    m_dueById.clear();
}

std::shared_ptr<Timer> Timer::scheduled(double interval, bool repeats, std::function<void(Timer&)> action)
{
    std::shared_ptr<Timer> timer(new Timer(interval, repeats, std::move(action)));
    timer->schedule();
    return timer;
}

Timer::Timer(double interval, bool repeats, std::function<void(Timer&)> action)
    : m_interval(std::max(interval, 0.0001))
    , m_repeats(repeats)
    , m_action(std::move(action))
{
}

Timer::~Timer()
{
    MainQueue::shared().cancel(m_task);
}

void Timer::invalidate()
{
    m_valid = false;
    MainQueue::shared().cancel(m_task);
    m_task = 0;
}

void Timer::schedule()
{
    auto& queue = MainQueue::shared();
    if (m_nextFire == 0)
        m_nextFire = queue.now() + m_interval;
    std::weak_ptr<Timer> weak = weak_from_this();
    // Fire times are kept on a fixed grid so a repeating timer does not drift.
    m_task = queue.after(m_nextFire - queue.now(), [weak] {
        auto self = weak.lock();
        if (!self || !self->m_valid)
            return;
        self->m_task = 0;
        if (self->m_repeats) {
            self->m_nextFire += self->m_interval;
            self->schedule();
        } else {
            self->m_valid = false;
        }
        self->m_action(*self);
    });
}

} // namespace platform
