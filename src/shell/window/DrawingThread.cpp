#include "shell/window/DrawingThread.h"

#include <chrono>
#include <utility>

namespace shell {

DrawingThread::DrawingThread()
    : m_thread([this] { loop(); })
{
}

DrawingThread::~DrawingThread()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void DrawingThread::loop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_quit || m_job; });
        if (m_quit)
            return;
        const std::function<void()>* job = m_job;
        lock.unlock();
        std::exception_ptr failure;
        try {
            (*job)();
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        m_job = nullptr;
        m_failure = failure;
        m_done = true;
        m_changed.notify_all();
    }
}

void DrawingThread::run(const std::function<void()>& job, const std::function<void()>& meanwhile)
{
    std::unique_lock lock(m_mutex);
    m_job = &job;
    m_done = false;
    m_changed.notify_all();
    while (!m_changed.wait_for(lock, std::chrono::milliseconds(kMeanwhileMilliseconds), [this] { return m_done; })) {
        if (meanwhile) {
            lock.unlock();
            meanwhile();
            lock.lock();
        }
    }
    if (auto failure = std::exchange(m_failure, nullptr))
        std::rethrow_exception(failure);
}

} // namespace shell
