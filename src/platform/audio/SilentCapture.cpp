#include "platform/audio/SilentCapture.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/MainQueue.h"

namespace platform {

SilentCapture::~SilentCapture()
{
    if (m_timer)
        m_timer->invalidate();
}

bool SilentCapture::start(SamplesHandler onSamples, InterruptionHandler)
{
    if (m_capturing)
        return false;
    m_onSamples = std::move(onSamples);
    m_capturing = true;
    m_start = MainQueue::shared().now();
    m_delivered = 0;
    m_timer = Timer::scheduled(kInterval, true, [this](Timer&) { deliver(); });
    return true;
}

void SilentCapture::deliver()
{
    if (!m_capturing)
        return;
    auto due = std::int64_t(std::llround((MainQueue::shared().now() - m_start) * kSampleRate));
    if (due <= m_delivered)
        return;
    std::vector<std::int16_t> silence(std::size_t(due - m_delivered), 0);
    m_delivered = due;
    if (m_onSamples)
        m_onSamples(silence);
}

void SilentCapture::stop()
{
    if (!m_capturing)
        return;
    deliver();
    m_capturing = false;
    if (m_timer)
        m_timer->invalidate();
    m_timer.reset();
}

} // namespace platform
