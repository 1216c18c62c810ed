#include "voice/AmrConversion.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/audio/LittleEndian.h"
#include "voice/AmrDecoder.h"
#include "voice/AmrEncoder.h"

namespace {

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

FilePtr openFile(const std::string& path, const char* mode)
{
    return FilePtr(std::fopen(path.c_str(), mode), &std::fclose);
}

// Payload bytes of a frame by the mode in bits 3 to 5 of its header byte:
// floor(rate / 50 / 8 + 0.5) for 4.75 to 12.2 kbit/s.
constexpr std::array<int, 8> kPayloadBytes = { 12, 13, 15, 17, 19, 20, 26, 31 };

// The largest frame count whose sizes still fit the 32-bit RIFF fields.
constexpr int kMaxWavFrames = int((0xFFFFFFFFu - (kWavHeaderBytes - 8)) / kWavFrameBytes);

int payloadBytes(std::uint8_t header)
{
    return kPayloadBytes[(header >> 3) & 7];
}

AmrConversionResult failed(std::uint64_t offset, std::string message, int frames = 0)
{
    return { frames, platform::FileError { offset, std::move(message) } };
}

std::uint64_t position(std::FILE* file)
{
    off_t offset = ftello(file);
    return offset < 0 ? 0 : std::uint64_t(offset);
}

bool hasMagic(std::FILE* amr)
{
    char magic[kAmrMagicBytes];
    return std::fread(magic, 1, sizeof magic, amr) == sizeof magic && std::memcmp(magic, kAmrMagic, sizeof magic) == 0;
}

} // namespace

bool writeWavHeader(std::FILE* file, int frames)
{
    std::uint32_t dataBytes = std::uint32_t(frames) * kWavFrameBytes;
    std::uint8_t header[kWavHeaderBytes] = {};
    std::memcpy(header, "RIFF", 4);
    platform::le::put32(header + 4, kWavHeaderBytes - 8 + dataBytes);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    platform::le::put32(header + 16, 20);
    platform::le::put16(header + 20, 1);
    platform::le::put16(header + 22, 1);
    platform::le::put32(header + 24, 8000);
    platform::le::put32(header + 28, 16000);
    platform::le::put16(header + 32, 2);
    platform::le::put16(header + 34, 16);
    std::memcpy(header + 40, "data", 4);
    platform::le::put32(header + 44, dataBytes);
    return std::fwrite(header, 1, sizeof header, file) == sizeof header;
}

AmrConversionResult encodeWavToAmr(std::FILE* wav, std::FILE* amr, int channels, int bitsPerSample)
{
    if (!platform::WavReader::isSupportedLayout(channels, bitsPerSample))
        return failed(0, "unsupported PCM layout");
    if (std::fwrite(kAmrMagic, 1, kAmrMagicBytes, amr) != kAmrMagicBytes)
        return failed(0, "cannot write the AMR file");

    platform::WavReader reader(wav);
    if (!reader.open())
        return { 0, reader.error() };

    AmrEncoder encoder;
    if (!encoder.isValid())
        return failed(reader.dataOffset(), "cannot create the AMR encoder");
    std::array<std::int16_t, AmrEncoder::kFrameSamples> samples;
    std::array<std::uint8_t, AmrEncoder::kMaxFrameBytes> frame;
    int frames = 0;
    // A trailing partial frame is dropped: AMR has no shorter frames.
    while (reader.readMono16(samples.data(), samples.size(), channels, bitsPerSample) == samples.size()) {
        int bytes = encoder.encode(AmrEncoder::kMode122, samples, frame);
        if (bytes == 0)
            return failed(position(wav), "the encoder refused a frame", frames);
        if (std::fwrite(frame.data(), 1, std::size_t(bytes), amr) != std::size_t(bytes))
            return failed(position(wav), "cannot write the AMR file", frames);
        ++frames;
    }
    return { frames, std::nullopt };
}

AmrConversionResult encodeWavFileToAmr(const std::string& wavPath, const std::string& amrPath, int channels, int bitsPerSample)
{
    if (!platform::WavReader::isSupportedLayout(channels, bitsPerSample))
        return failed(0, "unsupported PCM layout");
    FilePtr wav = openFile(wavPath, "rb");
    if (!wav)
        return failed(0, "cannot open " + wavPath);
    FilePtr amr = openFile(amrPath, "wb");
    if (!amr)
        return failed(0, "cannot create " + amrPath);
    AmrConversionResult result = encodeWavToAmr(wav.get(), amr.get(), channels, bitsPerSample);
    if (std::fclose(amr.release()) != 0 && !result.error)
        return failed(0, "cannot write " + amrPath, result.frames);
    return result;
}

int convertWavToAmr(const std::string& wavPath, const std::string& amrPath, int channels, int bitsPerSample)
{
    return encodeWavFileToAmr(wavPath, amrPath, channels, bitsPerSample).frames;
}

AmrConversionResult decodeAmrToWav(std::FILE* amr, std::FILE* wav)
{
    if (!hasMagic(amr))
        return failed(0, "not an AMR file");
    if (!writeWavHeader(wav, 0))
        return failed(kAmrMagicBytes, "cannot write the WAV file");
    AmrDecoder decoder;
    if (!decoder.isValid())
        return failed(kAmrMagicBytes, "cannot create the AMR decoder");

    std::array<std::uint8_t, AmrDecoder::kFrameBufferBytes> frame {};
    std::array<std::int16_t, AmrDecoder::kFrameSamples> samples;
    std::array<std::uint8_t, kWavFrameBytes> pcm;
    auto appendDecoded = [&] {
        decoder.decode(frame, samples);
        for (std::size_t i = 0; i < samples.size(); ++i)
            platform::le::put16(pcm.data() + 2 * i, std::uint16_t(samples[i]));
        return std::fwrite(pcm.data(), 1, pcm.size(), wav) == pcm.size();
    };

    // The first frame sets the header byte H that every later frame must
    // repeat; whatever of it is missing stays zero.
    AmrConversionResult result;
    int first = std::fgetc(amr);
    std::uint8_t header = first == EOF ? 0 : std::uint8_t(first);
    frame[0] = header;
    int payload = payloadBytes(header);
    std::size_t got = first == EOF ? 0 : std::fread(frame.data() + 1, 1, std::size_t(payload), amr);
    if (!appendDecoded())
        return failed(kAmrMagicBytes, "cannot write the WAV file");
    result.frames = 1;
    if (got < std::size_t(payload))
        result.error = platform::FileError { kAmrMagicBytes, first == EOF ? "no frames" : "truncated frame" };

    for (;;) {
        int byte;
        while ((byte = std::fgetc(amr)) != EOF && byte != header) { }
        if (byte == EOF)
            break;
        std::uint64_t frameOffset = position(amr) - 1;
        if (result.frames == kMaxWavFrames) {
            result.error = platform::FileError { frameOffset, "too long for a WAV file" };
            break;
        }
        frame.fill(0);
        frame[0] = header;
        if (std::fread(frame.data() + 1, 1, std::size_t(payload), amr) != std::size_t(payload)) {
            result.error = platform::FileError { frameOffset, "truncated frame" };
            break;
        }
        if (!appendDecoded()) {
            result.error = platform::FileError { frameOffset, "cannot write the WAV file" };
            break;
        }
        ++result.frames;
    }

    if (std::fseek(wav, 0, SEEK_SET) != 0 || !writeWavHeader(wav, result.frames))
        result.error = platform::FileError { 0, "cannot finish the WAV header" };
    return result;
}

AmrConversionResult decodeAmrFileToWav(const std::string& amrPath, const std::string& wavPath)
{
    FilePtr amr = openFile(amrPath, "rb");
    if (!amr)
        return failed(0, "cannot open " + amrPath);
    // Checked before the WAV is created, so a non-AMR input leaves no file.
    if (!hasMagic(amr.get()))
        return failed(0, "not an AMR file");
    std::rewind(amr.get());
    FilePtr wav = openFile(wavPath, "wb");
    if (!wav)
        return failed(0, "cannot create " + wavPath);
    AmrConversionResult result = decodeAmrToWav(amr.get(), wav.get());
    if (std::fclose(wav.release()) != 0 && !result.error)
        result.error = platform::FileError { 0, "cannot write " + wavPath };
    return result;
}

int convertAmrToWav(const std::string& amrPath, const std::string& wavPath)
{
    return decodeAmrFileToWav(amrPath, wavPath).frames;
}
