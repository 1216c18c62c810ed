#include "platform/audio/AudioFileRecorder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "platform/audio/AudioDevice.h"
#include "platform/audio/SilentCapture.h"

namespace platform {

std::shared_ptr<AudioFileRecorder> AudioFileRecorder::make(std::string path)
{
    return std::shared_ptr<AudioFileRecorder>(new AudioFileRecorder(std::move(path)));
}

AudioFileRecorder::AudioFileRecorder(std::string path)
    : m_path(std::move(path))
{
}

void AudioFileRecorder::setPath(std::string path)
{
    if (!m_recording)
        m_path = std::move(path);
}

bool AudioFileRecorder::record(const std::shared_ptr<AudioDevice>& microphone)
{
    if (m_recording)
        return false;
    // The old file goes first, so a recording that cannot write never leaves
    // the previous clip behind to be taken for the new one.
    std::remove(m_path.c_str());
    if (!m_writer.open(m_path, AudioCapture::kSampleRate))
        log::line("audio", "cannot create " + m_path);
    m_recording = true;
    m_pendingPeak = 0;
    m_peak = 0;
    m_heardSinceUpdate = false;

    std::weak_ptr<AudioFileRecorder> weak = weak_from_this();
    auto startCapture = [&] {
        return m_capture->start(
            [this](std::span<const std::int16_t> samples) { receive(samples); },
            [weak] {
                if (auto self = weak.lock(); self && self->onInterrupted)
                    self->onInterrupted();
            });
    };
    m_capture = microphone ? microphone->openCapture() : nullptr;
    m_silent = !m_capture || !startCapture();
    if (m_silent) {
        // No microphone: the clip still lasts as long as the recording runs.
        m_capture = std::make_unique<SilentCapture>();
        startCapture();
    }
    return !m_silent;
}

void AudioFileRecorder::receive(std::span<const std::int16_t> samples)
{
    if (!m_recording)
        return;
    m_writer.write(samples);
    for (std::int16_t sample : samples)
        m_pendingPeak = std::max(m_pendingPeak, std::abs(int(sample)));
    m_heardSinceUpdate = m_heardSinceUpdate || !samples.empty();
}

void AudioFileRecorder::stop()
{
    if (!m_recording)
        return;
    // The capture may be what called us (an interruption), so it is stopped
    // now and destroyed only with the finish report.
    std::shared_ptr<AudioCapture> capture = std::move(m_capture);
    if (capture)
        capture->stop();
    m_recording = false;
    bool written = m_writer.isOpen() && m_writer.finish();
    std::weak_ptr<AudioFileRecorder> weak = weak_from_this();
    MainQueue::shared().async([weak, capture, written] {
        if (auto self = weak.lock(); self && self->onFinished)
            self->onFinished(written);
    });
}

void AudioFileRecorder::updateMeters()
{
    // Devices deliver in blocks that may be longer than the meter's period;
    // between blocks the last peak holds instead of dropping to silence.
    if (!m_heardSinceUpdate)
        return;
    m_peak = m_pendingPeak;
    m_pendingPeak = 0;
    m_heardSinceUpdate = false;
}

float AudioFileRecorder::peakPower(int channel) const
{
    if (channel != 0 || m_peak == 0)
        return kSilenceDecibels;
    float decibels = 20.0f * std::log10(float(m_peak) / 32768.0f);
    return std::max(decibels, kSilenceDecibels);
}

} // namespace platform
