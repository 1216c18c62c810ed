#pragma once
#include <cstdint>
#include <span>

// The AMR-NB speech decoder: one storage frame (header byte and payload) in,
// 160 samples of 8 kHz PCM out.
class AmrDecoder {
public:
    static constexpr int kFrameSamples = 160;
    // The frame buffer handed in is this long and zero-padded, so the codec
    // never reads past it whatever frame type the header byte claims.
    static constexpr int kFrameBufferBytes = 64;

    AmrDecoder();
    ~AmrDecoder();
    AmrDecoder(const AmrDecoder&) = delete;
    AmrDecoder& operator=(const AmrDecoder&) = delete;

    bool isValid() const { return m_state != nullptr; }
    void decode(std::span<const std::uint8_t, kFrameBufferBytes> frame, std::span<std::int16_t, kFrameSamples> samples);

private:
    void* m_state = nullptr;
};
