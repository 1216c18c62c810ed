#pragma once
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/PngFileWriter.h"

namespace platform {

// A PngFileWriter working on its own thread, so the caller draws the next
// strip while the last one is compressed. Rows are copied on the way in; at
// most two strips wait, which bounds the memory held to a few screens.
class PngBackgroundWriter {
public:
    PngBackgroundWriter(const std::string& path, int width, int height, const PngMetadata& metadata = {}, bool opaque = false);
    // An unfinished picture is dropped: the target stays as it was.
    ~PngBackgroundWriter();
    PngBackgroundWriter(const PngBackgroundWriter&) = delete;
    PngBackgroundWriter& operator=(const PngBackgroundWriter&) = delete;

    // Queues the next rows; false once the writing has failed.
    bool writeRows(const PixelView& rows);
    // Waits for the queued rows, ends the picture and puts the file in place.
    bool finish();
    std::string error() const;

private:
    void work();

    PngFileWriter m_writer;
    int m_width;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<PixelBuffer> m_waiting;
    std::vector<PixelBuffer> m_spare;
    // The worker holds a strip it took off the queue.
    bool m_busy = false;
    bool m_closing = false;
    bool m_failed = false;
    bool m_finished = false;
    std::thread m_thread;
};

} // namespace platform
