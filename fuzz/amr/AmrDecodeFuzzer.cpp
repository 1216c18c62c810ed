// Feeds arbitrary bytes to the AMR reader as a file; the decoded WAV goes nowhere.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "voice/AmrConversion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static std::FILE* sink = std::fopen("/dev/null", "wb");
    // fmemopen refuses empty buffers, so give it a copy with room.
    std::vector<std::uint8_t> bytes(data, data + size);
    bytes.push_back(0);
    std::FILE* amr = fmemopen(bytes.data(), size ? size : 1, "rb");
    if (!amr || !sink)
        return 0;
    if (size == 0)
        std::fgetc(amr);
    AmrConversionResult result = decodeAmrToWav(amr, sink);
    if (result.frames < 0)
        __builtin_trap();
    std::fclose(amr);
    std::rewind(sink);
    return 0;
}
