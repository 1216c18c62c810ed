#include "voice/AmrEncoder.h"

#include <opencore-amrnb/interf_enc.h>

AmrEncoder::AmrEncoder()
    : m_state(Encoder_Interface_init(0))
{
}

AmrEncoder::~AmrEncoder()
{
    if (m_state)
        Encoder_Interface_exit(m_state);
}

int AmrEncoder::encode(int mode, std::span<const std::int16_t, kFrameSamples> samples, std::span<std::uint8_t, kMaxFrameBytes> frame)
{
    if (!m_state || mode < MR475 || mode > MR122)
        return 0;
    int bytes = Encoder_Interface_Encode(m_state, Mode(mode), samples.data(), frame.data(), 0);
    return bytes > 0 && bytes <= kMaxFrameBytes ? bytes : 0;
}
