#include <gtest/gtest.h>

#include <cstdio>

#include "platform/audio/AudioTestSupport.h"
#include "platform/audio/WavReader.h"

using namespace audiotest;

namespace {

struct Parsed {
    bool opened = false;
    std::optional<platform::WavFormat> format;
    std::optional<platform::FileError> error;
    std::vector<std::int16_t> samples;
};

// Opens the bytes as a WAV file and reads every sample as 16-bit mono in the given layout.
Parsed parse(std::string bytes, int channels = 1, int bits = 16)
{
    Parsed parsed;
    std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
    platform::WavReader reader(file);
    parsed.opened = reader.open();
    parsed.format = reader.format();
    parsed.error = reader.error();
    std::int16_t chunk[7];
    while (std::size_t got = parsed.opened ? reader.readMono16(chunk, 7, channels, bits) : 0)
        parsed.samples.insert(parsed.samples.end(), chunk, chunk + got);
    std::fclose(file);
    return parsed;
}

const std::vector<std::int16_t> kSamples = { 1, -2, 300, -32768, 32767, 0, 42, 7, -7, 1000, 9 };

} // namespace

TEST(WavReader, ReadsWhatTheWriterWroteAndFindsTheSamplesWhateverTheChunkOrder)
{
    TempHome home;
    auto tone = sine(1234);
    writeWav(home.file("clip.wav"), tone);
    std::string written = readFile(home.file("clip.wav"));
    EXPECT_EQ(written.substr(0, 8) + written.substr(40, 4), "RIFF" + u32(36 + 2 * 1234) + u32(2 * 1234));
    Parsed parsed = parse(written);
    EXPECT_EQ(parsed.samples, tone);
    EXPECT_EQ(std::pair(parsed.format->sampleRate, parsed.format->channels), std::pair(8000, 1));

    std::string fmt = chunk("fmt ", fmtBody()), data = chunk("data", pcmBytes(kSamples)), list = chunk("LIST", "INFOabc");
    for (std::string chunks : { fmt + data, list + fmt + data, fmt + list + data + list, data + fmt })
        EXPECT_EQ(parse(riff(chunks)).samples, kSamples);
    for (std::size_t length : { 0, 14, 18, 20, 40, 41 }) {
        parsed = parse(riff(chunk("fmt ", fmtBody(length)) + data));
        EXPECT_EQ(parsed.samples, kSamples) << length;
        EXPECT_EQ(parsed.format.has_value(), length >= 16) << length;
    }
}

TEST(WavReader, RefusesWhatIsNoWaveAndBoundsSizesByTheFile)
{
    EXPECT_FALSE(parse("").opened);
    EXPECT_FALSE(parse("RIFF").opened);
    Parsed notWave = parse("RIFX" + u32(4) + "WAVE");
    EXPECT_FALSE(notWave.opened);
    EXPECT_EQ(notWave.error->offset, 0u);
    std::string fmt = chunk("fmt ", fmtBody());
    std::string noData = riff(fmt + chunk("LIST", "abcd"));
    EXPECT_EQ(parse(noData).error->offset, noData.size());
    // A chunk claiming 4 GiB hides everything after it.
    EXPECT_FALSE(parse(riff(fmt + chunk("junk", "ab", 0xFFFFFFF0u) + chunk("data", "zz"))).opened);

    // Data declared longer than the file, or never filled in by a streaming
    // writer, runs to the end; shorter data stops at its end, without a half sample.
    for (std::uint32_t declared : { 100000u, 0u, 0xFFFFFFFFu })
        EXPECT_EQ(parse(riff(fmt + "data" + u32(declared) + pcmBytes(kSamples))).samples, kSamples) << declared;
    std::vector<std::int16_t> two(kSamples.begin(), kSamples.begin() + 2);
    EXPECT_EQ(parse(riff(fmt + chunk("data", pcmBytes(two)) + chunk("LIST", "tail"))).samples, two);
    EXPECT_EQ(parse(riff(fmt + chunk("data", pcmBytes(two) + "x"))).samples, two);
}

TEST(WavReader, ConvertsLayoutsToMono16)
{
    std::string stereo = pcmBytes({ 100, 300, -32768, -32768, 32767, 32767, -5, 5 });
    EXPECT_EQ(parse(riff(chunk("fmt ", fmtBody(16, 2)) + chunk("data", stereo)), 2, 16).samples,
        (std::vector<std::int16_t> { 200, -32768, 32767, 0 }));
    std::string eightBit("\x80\xFF\x00\x81", 4);
    EXPECT_EQ(parse(riff(chunk("fmt ", fmtBody(16, 1, 8)) + chunk("data", eightBit)), 1, 8).samples,
        (std::vector<std::int16_t> { 0, 32512, -32768, 256 }));
    EXPECT_EQ(parse(riff(chunk("fmt ", fmtBody(16, 2, 8)) + chunk("data", eightBit)), 2, 8).samples,
        (std::vector<std::int16_t> { 16256, -16256 }));
    EXPECT_TRUE(parse(riff(chunk("fmt ", fmtBody()) + chunk("data", stereo)), 3, 16).samples.empty());
}
