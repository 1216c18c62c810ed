#pragma once
#include <cstdint>
#include <span>

// The AMR-NB speech encoder: one 20 ms frame of 8 kHz PCM in, one storage
// frame (header byte and payload) out.
class AmrEncoder {
public:
    static constexpr int kFrameSamples = 160;
    // Large enough for the biggest frame, 12.2 kbit/s: 1 + 31 bytes.
    static constexpr int kMaxFrameBytes = 32;
    static constexpr int kMode122 = 7;

    AmrEncoder();
    ~AmrEncoder();
    AmrEncoder(const AmrEncoder&) = delete;
    AmrEncoder& operator=(const AmrEncoder&) = delete;

    bool isValid() const { return m_state != nullptr; }
    // Encodes 160 samples; returns the frame's size in bytes, or 0 on failure.
    int encode(int mode, std::span<const std::int16_t, kFrameSamples> samples, std::span<std::uint8_t, kMaxFrameBytes> frame);

private:
    void* m_state = nullptr;
};
