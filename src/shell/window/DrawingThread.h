#pragma once
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace shell {

// One long-lived thread that draws frames while the window's own thread
// keeps taking in input. The two never work on the phone at the same time:
// the caller hands over a job and, until it is done, only runs `meanwhile`
// (which must not touch the phone's views). The thread lives as long as this
// object, so what the drawing caches per thread stays warm.
class DrawingThread {
public:
    // How often `meanwhile` runs while a job is under way.
    static constexpr int kMeanwhileMilliseconds = 1;

    DrawingThread();
    ~DrawingThread();
    DrawingThread(const DrawingThread&) = delete;
    DrawingThread& operator=(const DrawingThread&) = delete;

    // Runs `job` on the drawing thread and returns when it is done, running
    // `meanwhile` on the calling thread every few milliseconds until then.
    // An exception thrown by the job is thrown here.
    void run(const std::function<void()>& job, const std::function<void()>& meanwhile);

private:
    void loop();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    const std::function<void()>* m_job = nullptr;
    bool m_done = false;
    bool m_quit = false;
    std::exception_ptr m_failure;
    std::thread m_thread;
};

} // namespace shell
