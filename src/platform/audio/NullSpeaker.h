#pragma once
#include "platform/audio/AudioDevice.h"

namespace platform {

// A speaker that plays nothing but keeps time: a clip "plays" for its length
// on the main queue's clock and then reports its end. Headless runs and tests
// use it, with a virtual clock, to play clips without sound or waiting.
class NullSpeaker final : public AudioDevice {
public:
    std::unique_ptr<AudioPlayback> openPlayback(const std::string& wavPath) override;
};

} // namespace platform
