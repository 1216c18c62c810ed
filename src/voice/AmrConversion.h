#pragma once
#include <cstdio>
#include <optional>
#include <string>

#include "platform/audio/WavReader.h"

// WAV ↔ AMR-NB file conversion. Both directions stream one 20 ms frame at a
// time, so files of any length convert in constant memory, on the calling
// thread.
//
// AMR files are the single-channel storage format: the magic "#!AMR\n", then
// frames of a header byte and a payload. We write 12.2 kbit/s frames only
// (header 0x3C, 32 bytes each). WAV files we write have a 48-byte header with
// a 20-byte format body, 8 kHz 16-bit mono.

// Frames written, and where the input stopped making sense when it did. A
// trailing partial PCM frame, or garbage bytes skipped between AMR frames,
// are part of normal reading and not errors.
struct AmrConversionResult {
    int frames = 0;
    std::optional<platform::FileError> error;
};

inline constexpr char kAmrMagic[] = "#!AMR\n";
inline constexpr int kAmrMagicBytes = 6;
inline constexpr int kWavHeaderBytes = 48;
inline constexpr int kWavFrameBytes = 320;

// WAV to AMR. The caller names the PCM layout (the file's format chunk is
// skipped, not read): 1 or 2 channels, 8 or 16 bits. 8-bit samples are
// unsigned around 128 and scaled to 16 bits; two channels are averaged.
// Returns frames encoded; 0 on failure. An unsupported layout or an input
// that cannot be opened writes nothing; otherwise the AMR file always starts
// with the magic, so a WAV with less than one frame of samples gives a 6-byte
// AMR file.
int convertWavToAmr(const std::string& wavPath, const std::string& amrPath, int channels, int bitsPerSample);
AmrConversionResult encodeWavFileToAmr(const std::string& wavPath, const std::string& amrPath, int channels, int bitsPerSample);
// Same on open files: `wav` readable and seekable, `amr` writable.
AmrConversionResult encodeWavToAmr(std::FILE* wav, std::FILE* amr, int channels, int bitsPerSample);

// AMR to WAV. Frames are read as a run of frames with the first frame's
// header byte; other bytes before a frame are skipped. A missing input or a
// missing magic gives 0 and creates no WAV. The first frame is always decoded
// (missing bytes taken as zero), so a file holding only the magic gives one
// frame. Returns the number of 20 ms frames written.
int convertAmrToWav(const std::string& amrPath, const std::string& wavPath);
AmrConversionResult decodeAmrFileToWav(const std::string& amrPath, const std::string& wavPath);
// Same on open files: `amr` readable, `wav` writable and seekable. Nothing is
// written to `wav` when the magic is missing.
AmrConversionResult decodeAmrToWav(std::FILE* amr, std::FILE* wav);

// Writes the 48-byte WAV header for `frames` frames of 160 samples at the
// file's current position. False when the write failed.
bool writeWavHeader(std::FILE* file, int frames);
