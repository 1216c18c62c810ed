#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/audio/AudioTestSupport.h"
#include "voice/AmrConversion.h"

using namespace audiotest;

namespace {

class AmrConversionTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return m_home.file(name); }

    // Encodes `samples` as an 8 kHz mono WAV and returns the AMR bytes.
    std::string encode(const std::vector<std::int16_t>& samples, int expectedFrames)
    {
        writeWav(path("in.wav"), samples);
        EXPECT_EQ(convertWavToAmr(path("in.wav"), path("out.amr"), 1, 16), expectedFrames);
        return readFile(path("out.amr"));
    }
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
    // Root-mean-square of the samples after a header, past the first 100 ms,
    // relative to the 12000-high test tone's.
    static double loudness(const std::string& wav, std::size_t header = 48)
    {
        std::size_t count = (wav.size() - header - 1600) / 2;
        double energy = 0;
        for (std::size_t i = 0; i < count; ++i)
            energy += std::pow(std::int16_t(platform::le::u16(reinterpret_cast<const std::uint8_t*>(wav.data()) + header + 1600 + 2 * i)), 2);
        return std::sqrt(energy / double(count)) / (12000 / std::sqrt(2.0));
    }

    TempHome m_home;
};

std::string expectedWavHeader(std::uint32_t frames)
{
    return "RIFF" + u32(40 + 320 * frames) + "WAVE" + "fmt " + u32(20) + u16(1) + u16(1) + u32(8000) + u32(16000) + u16(2)
        + u16(16) + u32(0) + "data" + u32(320 * frames);
}

} // namespace

TEST_F(AmrConversionTest, EncodesFiftyFramesOf32BytesASecondAndDecodesThemBack)
{
    std::string amr = encode(sine(8000), 50);
    ASSERT_EQ(amr.size(), 1606u);
    EXPECT_EQ(amr.substr(0, 6), "#!AMR\n");
    for (std::size_t frame = 6; frame < amr.size(); frame += 32)
        EXPECT_EQ(std::uint8_t(amr[frame]), 0x3C) << frame;
    // A trailing partial frame is dropped.
    EXPECT_EQ(encode(sine(8100), 50).size(), 1606u);
    EXPECT_EQ(encode(sine(159), 0), "#!AMR\n");

    ASSERT_EQ(convertAmrToWav(path("out.amr"), path("empty.wav")), 1) << "only the magic: one all-zero frame";
    EXPECT_EQ(readFile(path("empty.wav")).size(), 48u + 320);

    auto tone = sine(20000);
    EXPECT_EQ(encode(tone, 125).size(), 4006u);
    ASSERT_EQ(convertAmrToWav(path("out.amr"), path("back.wav")), 125);
    std::string wav = readFile(path("back.wav"));
    ASSERT_EQ(wav.size(), 48u + 125 * 320);
    EXPECT_EQ(wav.substr(0, 48), expectedWavHeader(125));
    EXPECT_NEAR(loudness(wav), 1.0, 0.3) << "the tone keeps its loudness";

    encode(std::vector<std::int16_t>(8000, 0), 50);
    convertAmrToWav(path("out.amr"), path("silence.wav"));
    EXPECT_LT(loudness(readFile(path("silence.wav"))), 0.004);
}

TEST_F(AmrConversionTest, AnIndependentDecoderHearsTheTone)
{
    if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ffmpeg is not installed";
    encode(sine(20000), 125);
    std::string command = "ffmpeg -v error -y -i '" + path("out.amr") + "' -f s16le -ac 1 -ar 8000 '" + path("ffmpeg.raw") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string raw = readFile(path("ffmpeg.raw"));
    EXPECT_EQ(raw.size(), 20000u * 2);
    EXPECT_NEAR(loudness(raw, 0), 1.0, 0.3) << "the tone, not noise of the right length";
}

TEST_F(AmrConversionTest, StereoAnd8BitInputEncodeAsTheirMonoMix)
{
    auto tone = sine(1600);
    std::vector<std::int16_t> stereo, widened;
    std::string eightBit;
    for (std::int16_t sample : tone) {
        stereo.insert(stereo.end(), { sample, sample });
        eightBit.push_back(char(sample / 256 + 128));
        widened.push_back(std::int16_t((sample / 256) * 256));
    }
    std::string mono = encode(tone, 10);
    ASSERT_EQ(encodeBytes(riff(chunk("fmt ", fmtBody(16, 2)) + chunk("data", pcmBytes(stereo))), 2, 16).frames, 10);
    EXPECT_EQ(readFile(path("raw.amr")), mono);
    ASSERT_EQ(encodeBytes(riff(chunk("fmt ", fmtBody(16, 1, 8)) + chunk("data", eightBit)), 1, 8).frames, 10);
    EXPECT_EQ(readFile(path("raw.amr")), encode(widened, 10));

    std::remove(path("raw.amr").c_str());
    EXPECT_EQ(encodeBytes(riff(chunk("fmt ", fmtBody()) + chunk("data", eightBit)), 3, 16).frames, 0);
    EXPECT_FALSE(exists(path("raw.amr"))) << "an unsupported layout writes nothing";
}

TEST_F(AmrConversionTest, MalformedWavIsReadUpToTheEndOfTheFileOrRefused)
{
    std::string samples = pcmBytes(sine(1600));
    std::string fmt = chunk("fmt ", fmtBody());
    const std::tuple<const char*, std::string, int> cases[] = {
        { "data before fmt", riff(chunk("data", samples) + fmt), 10 },
        { "data runs past the end", riff(fmt + "data" + u32(1u << 30) + samples.substr(0, 1000)), 3 },
        { "huge chunk", riff(fmt + chunk("junk", "abcd", 0xFFFFFFFEu) + chunk("data", samples)), 0 },
        { "no data", riff(fmt + chunk("LIST", "abcd")), 0 },
        { "not a wav", "hello, world", 0 },
        { "empty", "", 0 },
    };
    for (const auto& [name, wav, frames] : cases) {
        AmrConversionResult result = encodeBytes(wav);
        EXPECT_EQ(result.frames, frames) << name;
        EXPECT_EQ(fileSize(path("raw.amr")), 6u + 32u * frames) << name;
        EXPECT_EQ(result.error.has_value(), frames == 0) << name;
    }
    EXPECT_EQ(encodeBytes(riff(fmt)).error->offset, riff(fmt).size());

    // Missing or foreign inputs give nothing and leave no output behind.
    EXPECT_EQ(convertWavToAmr(path("missing.wav"), path("a.amr"), 1, 16), 0);
    EXPECT_EQ(convertAmrToWav(path("missing.amr"), path("a.wav")), 0);
    writeFile(path("wideband.amr"), "#!AMR-WB\n");
    EXPECT_EQ(convertAmrToWav(path("wideband.amr"), path("b.wav")), 0);
    EXPECT_FALSE(exists(path("a.amr")) || exists(path("a.wav")) || exists(path("b.wav")));
    EXPECT_EQ(convertWavToAmr(path("raw.wav"), path("no/such/folder.amr"), 1, 16), 0);
}

TEST_F(AmrConversionTest, AmrFramesAreReadAsARunOfTheFirstHeader)
{
    std::string amr = encode(sine(1600), 10);
    ASSERT_EQ(decodeBytes(amr).frames, 10);
    std::string clean = readFile(path("raw.wav"));

    // Bytes other than the header byte between frames are skipped.
    std::string noisy = amr.substr(0, 6 + 32);
    for (std::size_t at = 6 + 32; at < amr.size(); at += 32)
        noisy += std::string("\x01\xFF\x00", 3) + amr.substr(at, 32);
    AmrConversionResult skipped = decodeBytes(noisy + "\x02\x03");
    EXPECT_EQ(skipped.frames, 10);
    EXPECT_FALSE(skipped.error);
    EXPECT_TRUE(readFile(path("raw.wav")) == clean);

    // A truncated last frame is left out and reported where it starts.
    AmrConversionResult truncated = decodeBytes(amr.substr(0, amr.size() - 5));
    EXPECT_EQ(truncated.frames, 9);
    ASSERT_TRUE(truncated.error);
    EXPECT_EQ(truncated.error->offset, 6u + 9 * 32);
    EXPECT_EQ(readFile(path("raw.wav")), expectedWavHeader(9) + clean.substr(48, 9 * 320));

    // A first frame of another mode sets the payload size for all.
    std::string mode0 = "#!AMR\n" + std::string(1, '\x04') + std::string(12, '\x11') + "\x04" + std::string(12, '\x22');
    EXPECT_EQ(decodeBytes(mode0).frames, 2);
}
