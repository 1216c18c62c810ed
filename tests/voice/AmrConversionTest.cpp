#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/audio/AudioTestSupport.h"
#include "voice/AmrConversion.h"

using namespace audiotest;

namespace {

class AmrConversionTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return m_home.file(name); }

    // Encodes `samples` as an 8 kHz mono WAV; returns the AMR bytes and checks the count.
    std::string encode(const std::vector<std::int16_t>& samples, int expectedFrames)
    {
        writeWav(path("in.wav"), samples);
        EXPECT_EQ(convertWavToAmr(path("in.wav"), path("out.amr"), 1, 16), expectedFrames);
        return readFile(path("out.amr"));
    }

    // Encodes hand-built WAV bytes with the given layout.
    AmrConversionResult encodeBytes(const std::string& wav, int channels = 1, int bits = 16)
    {
        writeFile(path("raw.wav"), wav);
        return encodeWavFileToAmr(path("raw.wav"), path("raw.amr"), channels, bits);
    }

    AmrConversionResult decodeBytes(const std::string& amr)
    {
        writeFile(path("raw.amr"), amr);
        return decodeAmrFileToWav(path("raw.amr"), path("raw.wav"));
    }

    TempHome m_home;
};

std::string expectedWavHeader(std::uint32_t frames)
{
    return "RIFF" + u32(40 + 320 * frames) + "WAVE" + "fmt " + u32(20) + u16(1) + u16(1) + u32(8000) + u32(16000) + u16(2)
        + u16(16) + u32(0) + "data" + u32(320 * frames);
}

} // namespace

TEST_F(AmrConversionTest, OneSecondIsFiftyFramesOf32Bytes)
{
    std::string amr = encode(sine(8000), 50);
    ASSERT_EQ(amr.size(), 1606u);
    EXPECT_EQ(amr.substr(0, 6), "#!AMR\n");
    for (std::size_t frame = 6; frame < amr.size(); frame += 32)
        EXPECT_EQ(std::uint8_t(amr[frame]), 0x3C) << frame;

    EXPECT_EQ(encode(sine(20000), 125).size(), 4006u);
    // A trailing partial frame is dropped.
    EXPECT_EQ(encode(sine(8100), 50).size(), 1606u);
    EXPECT_EQ(encode(sine(159), 0), "#!AMR\n");
}

TEST_F(AmrConversionTest, DecodingWritesTheHeaderByteForByte)
{
    encode(sine(8000), 50);
    ASSERT_EQ(convertAmrToWav(path("out.amr"), path("back.wav")), 50);
    std::string wav = readFile(path("back.wav"));
    ASSERT_EQ(wav.size(), 16048u);
    EXPECT_EQ(wav.substr(0, 48), expectedWavHeader(50));

    std::FILE* file = std::fopen(path("header.wav").c_str(), "wb");
    ASSERT_TRUE(writeWavHeader(file, 0));
    std::fclose(file);
    EXPECT_EQ(readFile(path("header.wav")), expectedWavHeader(0));
}

TEST_F(AmrConversionTest, RoundTripKeepsTheSound)
{
    auto tone = sine(8000, 440, 8000);
    encode(tone, 50);
    convertAmrToWav(path("out.amr"), path("back.wav"));
    std::string pcm = readFile(path("back.wav")).substr(48);
    double inEnergy = 0, outEnergy = 0;
    for (std::size_t i = 800; i < 8000; ++i) {
        inEnergy += double(tone[i]) * tone[i];
        auto sample = std::int16_t(platform::le::u16(reinterpret_cast<const std::uint8_t*>(pcm.data()) + 2 * i));
        outEnergy += double(sample) * sample;
    }
    EXPECT_NEAR(std::sqrt(outEnergy / inEnergy), 1.0, 0.3);

    encode(std::vector<std::int16_t>(8000, 0), 50);
    convertAmrToWav(path("out.amr"), path("silence.wav"));
    std::string silence = readFile(path("silence.wav")).substr(48);
    int loudest = 0;
    for (std::size_t i = 0; i + 1 < silence.size(); i += 2)
        loudest = std::max(loudest, std::abs(int(std::int16_t(platform::le::u16(reinterpret_cast<const std::uint8_t*>(silence.data()) + i)))));
    EXPECT_LT(loudest, 100);
}

TEST_F(AmrConversionTest, AnIndependentDecoderAgrees)
{
    if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ffmpeg is not installed";
    encode(sine(20000), 125);
    std::string command = "ffmpeg -v error -y -i '" + path("out.amr") + "' -f s16le -ac 1 -ar 8000 '" + path("ffmpeg.raw") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(fileSize(path("ffmpeg.raw")), 20000u * 2);
}

TEST_F(AmrConversionTest, OtherPcmLayoutsEncodeAsTheirMonoMix)
{
    auto tone = sine(1600);
    std::vector<std::int16_t> stereo;
    for (std::int16_t sample : tone) {
        stereo.push_back(sample);
        stereo.push_back(sample);
    }
    std::string mono = encode(tone, 10);
    ASSERT_EQ(encodeBytes(riff(chunk("fmt ", fmtBody(16, 2)) + chunk("data", pcmBytes(stereo))), 2, 16).frames, 10);
    EXPECT_EQ(readFile(path("raw.amr")), mono);

    std::string eightBit;
    std::vector<std::int16_t> widened;
    for (std::int16_t sample : tone) {
        eightBit.push_back(char(sample / 256 + 128));
        widened.push_back(std::int16_t((sample / 256) * 256));
    }
    ASSERT_EQ(encodeBytes(riff(chunk("fmt ", fmtBody(16, 1, 8)) + chunk("data", eightBit)), 1, 8).frames, 10);
    EXPECT_EQ(readFile(path("raw.amr")), encode(widened, 10));

    std::remove(path("raw.amr").c_str());
    EXPECT_EQ(encodeBytes(riff(chunk("fmt ", fmtBody()) + chunk("data", eightBit)), 3, 16).frames, 0);
    EXPECT_FALSE(exists(path("raw.amr"))) << "an unsupported layout writes nothing";
}

TEST_F(AmrConversionTest, MalformedWavStopsAtTheEndOfTheFile)
{
    std::string samples = pcmBytes(sine(1600));
    std::string fmt = chunk("fmt ", fmtBody());
    struct Case {
        const char* name;
        std::string wav;
        int frames;
    };
    const Case cases[] = {
        { "plain", riff(fmt + chunk("data", samples)), 10 },
        { "list first", riff(chunk("LIST", "INFOxyz") + fmt + chunk("data", samples)), 10 },
        { "data before fmt", riff(chunk("data", samples) + fmt), 10 },
        { "fmt of 18", riff(chunk("fmt ", fmtBody(18)) + chunk("data", samples)), 10 },
        { "fmt of 40", riff(chunk("fmt ", fmtBody(40)) + chunk("data", samples)), 10 },
        { "fmt of 2", riff(chunk("fmt ", "ab") + chunk("data", samples)), 10 },
        { "data runs past the end", riff(fmt + "data" + u32(1u << 30) + samples.substr(0, 1000)), 3 },
        { "huge chunk", riff(fmt + chunk("junk", "abcd", 0xFFFFFFFEu) + chunk("data", samples)), 0 },
        { "no data", riff(fmt + chunk("LIST", "abcd")), 0 },
        { "only RIFF", riff(""), 0 },
        { "cut in a header", riff(fmt).substr(0, 30), 0 },
        { "not a wav", "hello, world", 0 },
        { "empty", "", 0 },
    };
    for (const Case& c : cases) {
        AmrConversionResult result = encodeBytes(c.wav);
        EXPECT_EQ(result.frames, c.frames) << c.name;
        EXPECT_EQ(fileSize(path("raw.amr")), 6u + 32u * c.frames) << c.name;
        EXPECT_EQ(result.error.has_value(), c.frames == 0) << c.name;
    }
    AmrConversionResult noData = encodeBytes(riff(fmt));
    EXPECT_EQ(noData.error->offset, riff(fmt).size());
}

TEST_F(AmrConversionTest, MissingFilesGiveZeroAndWriteNothing)
{
    EXPECT_EQ(convertWavToAmr(path("missing.wav"), path("a.amr"), 1, 16), 0);
    EXPECT_FALSE(exists(path("a.amr")));
    EXPECT_EQ(convertAmrToWav(path("missing.amr"), path("a.wav")), 0);
    EXPECT_FALSE(exists(path("a.wav")));
    writeWav(path("in.wav"), sine(800));
    EXPECT_EQ(convertWavToAmr(path("in.wav"), path("no/such/folder.amr"), 1, 16), 0);
    writeFile(path("notamr.amr"), "#!AMR-WB\n");
    EXPECT_EQ(convertAmrToWav(path("notamr.amr"), path("b.wav")), 0);
    EXPECT_FALSE(exists(path("b.wav")));
}

TEST_F(AmrConversionTest, AmrFramesAreReadAsARunOfTheFirstHeader)
{
    std::string amr = encode(sine(1600), 10);
    std::string frames = amr.substr(6);
    ASSERT_EQ(decodeBytes(amr).frames, 10);
    std::string clean = readFile(path("raw.wav"));

    // Bytes other than the header byte between frames are skipped.
    std::string noisy = "#!AMR\n" + frames.substr(0, 32);
    for (std::size_t at = 32; at < frames.size(); at += 32)
        noisy += std::string("\x01\xFF\x00", 3) + frames.substr(at, 32);
    AmrConversionResult skipped = decodeBytes(noisy + "\x02\x03");
    EXPECT_EQ(skipped.frames, 10);
    EXPECT_FALSE(skipped.error);
    EXPECT_TRUE(readFile(path("raw.wav")) == clean);

    // A truncated last frame is left out and reported where it starts.
    AmrConversionResult truncated = decodeBytes(amr.substr(0, amr.size() - 5));
    EXPECT_EQ(truncated.frames, 9);
    ASSERT_TRUE(truncated.error);
    EXPECT_EQ(truncated.error->offset, 6u + 9 * 32);
    EXPECT_EQ(readFile(path("raw.wav")).size(), 48u + 9 * 320);
    EXPECT_EQ(readFile(path("raw.wav")).substr(0, 48), expectedWavHeader(9));

    // Only the magic: one frame, the decoder's answer to an all-zero frame.
    EXPECT_EQ(decodeBytes("#!AMR\n").frames, 1);
    EXPECT_EQ(readFile(path("raw.wav")).size(), 48u + 320);
    // A first frame of another mode sets the payload size for all.
    std::string mode0 = "#!AMR\n" + std::string(1, '\x04') + std::string(12, '\x11') + "\x04" + std::string(12, '\x22');
    EXPECT_EQ(decodeBytes(mode0).frames, 2);
}
