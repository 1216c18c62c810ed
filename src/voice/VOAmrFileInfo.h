#pragma once
#include <cstdint>
#include <string>

// A finished recording as the recorder reports it.
struct VOAmrFileInfo {
    // The AMR file.
    std::string fileUrl;
    // Frames × 20 ms, so a multiple of 0.02 s; 0 when the conversion failed.
    double duration = 0;
    // Size of the AMR file in bytes.
    std::uint64_t fileSize = 0;
};
