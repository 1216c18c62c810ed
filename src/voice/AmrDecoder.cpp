#include "voice/AmrDecoder.h"

#include <opencore-amrnb/interf_dec.h>

AmrDecoder::AmrDecoder()
    : m_state(Decoder_Interface_init())
{
}

AmrDecoder::~AmrDecoder()
{
    if (m_state)
        Decoder_Interface_exit(m_state);
}

void AmrDecoder::decode(std::span<const std::uint8_t, kFrameBufferBytes> frame, std::span<std::int16_t, kFrameSamples> samples)
{
    if (m_state)
        Decoder_Interface_Decode(m_state, frame.data(), samples.data(), 0);
}
