#pragma once
#include <string>

namespace platform {

// Any PCM WAV (8 or 16 bits, mono or stereo, at any rate) rewritten as the
// voice clips' own format: 8 kHz, 16-bit, mono.
class VoiceWavFile {
public:
    // Writes `out` from `in`. False, with the reason in `whyNot` and nothing
    // left at `out`, when `in` is not such a file or `out` cannot be written.
    static bool convert(const std::string& in, const std::string& out, std::string& whyNot);
};

} // namespace platform
