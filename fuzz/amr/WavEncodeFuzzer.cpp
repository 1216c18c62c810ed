// Feeds arbitrary bytes to the WAV reader and AMR encoder; the first byte
// picks the PCM layout, the rest is the file. The AMR output goes nowhere.
#include <cstdint>
#include <cstdio>

#include "voice/AmrConversion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static std::FILE* sink = std::fopen("/dev/null", "wb");
    if (size < 2 || !sink)
        return 0;
    int channels = 1 + (data[0] & 1);
    int bits = (data[0] & 2) ? 8 : 16;
    std::FILE* wav = fmemopen(const_cast<std::uint8_t*>(data + 1), size - 1, "rb");
    if (!wav)
        return 0;
    AmrConversionResult result = encodeWavToAmr(wav, sink, channels, bits);
    std::uint64_t samples = std::uint64_t(result.frames) * 160 * channels * (bits / 8);
    if (result.frames < 0 || samples > size)
        __builtin_trap();
    std::fclose(wav);
    return 0;
}
