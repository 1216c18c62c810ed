#include "platform/audio/AudioDevice.h"

#include "platform/audio/NullSpeaker.h"

namespace platform {

namespace {

std::shared_ptr<AudioDevice>& installedMicrophone()
{
    static std::shared_ptr<AudioDevice> device;
    return device;
}

std::shared_ptr<AudioDevice>& installedSpeaker()
{
    static std::shared_ptr<AudioDevice> device = std::make_shared<NullSpeaker>();
    return device;
}

} // namespace

std::unique_ptr<AudioPlayback> AudioDevice::openPlayback(const std::string&)
{
    return nullptr;
}

std::shared_ptr<AudioDevice> AudioDevice::microphone() { return installedMicrophone(); }

void AudioDevice::setMicrophone(std::shared_ptr<AudioDevice> device) { installedMicrophone() = std::move(device); }

std::shared_ptr<AudioDevice> AudioDevice::speaker() { return installedSpeaker(); }

void AudioDevice::setSpeaker(std::shared_ptr<AudioDevice> device)
{
    installedSpeaker() = device ? std::move(device) : std::make_shared<NullSpeaker>();
}

} // namespace platform
