#include "voice/VOAmrRecorder.h"

#include <cmath>
#include <filesystem>

#include "platform/Folders.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "platform/audio/AudioDevice.h"
#include "platform/audio/AudioFileRecorder.h"
#include "voice/AmrConversion.h"
#include "voice/VoiceFolders.h"

namespace fs = std::filesystem;

namespace {

constexpr double kMeterInterval = 0.01;

std::string wavCopyPath(const std::string& amrPath)
{
    return amrPath + ".wav";
}

} // namespace

VOAmrRecorder::VOAmrRecorder()
    : m_tempRecordFileURL(platform::folders::join(voiceRecordsFolder(), "rec.wav"))
{
    m_audioRecorder = platform::AudioFileRecorder::make(m_tempRecordFileURL);
    std::weak_ptr<bool> alive = m_alive;
    m_audioRecorder->onFinished = [this, alive](bool) {
        if (alive.lock())
            recordingFinished();
    };
    // An interruption (a call, an unplugged microphone) ends the recording
    // the ordinary way, so the clip so far is kept.
    m_audioRecorder->onInterrupted = [this, alive] {
        if (alive.lock())
            m_audioRecorder->stop();
    };
}

VOAmrRecorder::~VOAmrRecorder()
{
    if (m_timer)
        m_timer->invalidate();
    m_audioRecorder->onFinished = nullptr;
    m_audioRecorder->onInterrupted = nullptr;
    m_audioRecorder->stop();
}

void VOAmrRecorder::recordWithURL(const std::string& amrPath)
{
    if (m_isRecording)
        return;
    m_currentRecordFileURL = amrPath;
    // The temporary folder is asked for anew: the recorder outlives a home
    // folder that was swapped or cleared since it was made.
    m_tempRecordFileURL = platform::folders::join(voiceRecordsFolder(), "rec.wav");
    m_audioRecorder->setPath(m_tempRecordFileURL);
    std::error_code error;
    fs::remove(wavCopyPath(amrPath), error);

    if (!m_audioRecorder->record(platform::AudioDevice::microphone()))
        platform::log::line("voice", "recording without a microphone");
    m_isRecording = true;
    startMeter();
}

bool VOAmrRecorder::takeNoMicrophoneNews()
{
    if (m_toldNoMicrophone || !m_audioRecorder->isSilent())
        return false;
    m_toldNoMicrophone = true;
    return true;
}

void VOAmrRecorder::stop()
{
    if (m_isRecording)
        m_audioRecorder->stop();
}

void VOAmrRecorder::setSpeakMode(bool loudspeaker)
{
    platform::AudioDevice::speaker()->setLoudspeaker(loudspeaker);
}

void VOAmrRecorder::startMeter()
{
    // The meter fires at once, then every 10 ms.
    std::weak_ptr<bool> alive = m_alive;
    platform::MainQueue::shared().async([this, alive] {
        if (alive.lock() && m_timer)
            meterTick();
    });
    m_timer = platform::Timer::scheduled(kMeterInterval, true, [this](platform::Timer&) { meterTick(); });
}

void VOAmrRecorder::meterTick()
{
    auto delegate = m_delegate.lock();
    if (!delegate || !m_isRecording)
        return;
    m_audioRecorder->updateMeters();
    float decibels = std::min(0.0f, m_audioRecorder->peakPower(0));
    delegate->recorder(*this, float(std::pow(10.0, decibels / 20.0)));
}

void VOAmrRecorder::recordingFinished()
{
    int frames = convertWavToAmr(m_tempRecordFileURL, m_currentRecordFileURL, 1, 16);

    std::error_code error;
    std::string copy = wavCopyPath(m_currentRecordFileURL);
    if (!fs::copy_file(m_tempRecordFileURL, copy, fs::copy_options::overwrite_existing, error)) {
        // A half-made copy would be played instead of the AMR file.
        fs::remove(copy, error);
    }

    if (auto delegate = m_delegate.lock()) {
        VOAmrFileInfo info;
        info.fileUrl = m_currentRecordFileURL;
        info.duration = frames * 20 / 1000.0;
        auto size = fs::file_size(m_currentRecordFileURL, error);
        info.fileSize = error ? 0 : size;
        std::weak_ptr<bool> alive = m_alive;
        delegate->recorder(*this, info);
        if (!alive.lock())
            return;
    }

    if (m_timer)
        m_timer->invalidate();
    m_timer.reset();
    m_isRecording = false;
}
