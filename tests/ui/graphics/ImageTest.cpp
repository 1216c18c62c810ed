#include "PixelCanvas.h"

#include "ui/Screen.h"
#include "ui/graphics/Image.h"
#include "platform/ImageCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

using namespace testing_graphics;
namespace fs = std::filesystem;

namespace {

// A resource folder of small generated pictures, made the current one for the
// test, with the screen scale chosen by the case.
class ImageNamed : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/qy-images-XXXXXX";
        m_folder = mkdtemp(pattern);
        if (const char* old = std::getenv("QYSHOT_RESOURCES"))
            m_previous = old;
        setenv("QYSHOT_RESOURCES", m_folder.c_str(), 1);
        ui::Image::clearCache();
        // name → pixel width; heights are 1.5× so both axes are checked.
        write("Bubble@2x.png", 20);
        write("Bubble@3x.png", 30);
        write("OnlyThree@3x.png", 12);
        write("OnlyTwo@2x.png", 8);
        write("Plain.png", 6);
        write("Emotion_3@2x.png", 4);
        write("Photo@2x.jpg", 10);
    }
    void TearDown() override
    {
        if (m_previous)
            setenv("QYSHOT_RESOURCES", m_previous->c_str(), 1);
        else
            unsetenv("QYSHOT_RESOURCES");
        ui::Screen::main().setProfile(platform::DeviceProfile::defaultProfile());
        ui::Image::clearCache();
        fs::remove_all(m_folder);
    }
    void write(const std::string& name, int width)
    {
        auto pixels = makePixels(width, width * 3 / 2, [](int, int) { return kGreen; });
        if (name.ends_with(".jpg")) {
            auto bytes = platform::imagecodec::encodeJpeg(pixels, 0.9);
            FILE* file = std::fopen((m_folder / name).c_str(), "wb");
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        } else {
            ASSERT_TRUE(platform::imagecodec::writePng((m_folder / name).string(), pixels));
        }
    }
    void useScale(double scale)
    {
        auto profile = platform::DeviceProfile::defaultProfile();
        profile.scale = scale;
        ui::Screen::main().setProfile(profile);
    }
    fs::path m_folder;
    std::optional<std::string> m_previous;
};

} // namespace

// The screen's scale first, then the other, then the plain file; a scale in
// the name is taken as given. Each size checked on both axes.
TEST_F(ImageNamed, PicksTheFileForTheScreensScale)
{
    struct Case {
        double screen;
        const char* name;
        double scale;
        double width;
    };
    for (const Case& c : { Case { 2, "Bubble", 2, 10 }, Case { 2, "Bubble.png", 2, 10 }, Case { 3, "Bubble.png", 3, 10 },
             Case { 2, "OnlyThree", 3, 4 }, Case { 2, "Plain.png", 1, 6 }, Case { 3, "OnlyTwo.png", 2, 4 },
             Case { 3, "Emotion_3@2x.png", 2, 2 }, Case { 3, "Emotion_3@2x", 2, 2 }, Case { 3, "Photo.jpg", 2, 5 } }) {
        useScale(c.screen);
        auto image = ui::Image::named(c.name);
        ASSERT_TRUE(image) << c.name << " at " << c.screen;
        EXPECT_EQ(image->scale(), c.scale) << c.name << " at " << c.screen;
        EXPECT_EQ(image->size(), (ui::Size { c.width, c.width * 1.5 })) << c.name << " at " << c.screen;
    }
}

TEST_F(ImageNamed, CachesByNameAndReportsMissingOnes)
{
    useScale(2);
    auto first = ui::Image::named("Bubble");
    EXPECT_EQ(ui::Image::named("Bubble"), first);
    EXPECT_EQ(first->name(), "Bubble");
    EXPECT_EQ(ui::Image::named("Missing"), nullptr);
    EXPECT_EQ(ui::Image::named(""), nullptr);
    EXPECT_EQ(ui::Image::named("../../etc/passwd"), nullptr);
}

TEST(Image, DecodesAndEncodesData)
{
    auto pixels = makePixels(6, 4, [](int x, int) { return x < 3 ? kRed : kBlue; });
    auto image = ui::Image::fromPixels(pixels, 2);
    ASSERT_TRUE(image);
    auto fromJpeg = ui::Image::fromData(image->jpegData(1.0));
    ASSERT_TRUE(fromJpeg);
    EXPECT_EQ(fromJpeg->pixelWidth(), 6);
    EXPECT_EQ(fromJpeg->scale(), 1);
    auto fromPng = ui::Image::fromData(image->pngData(), 3);
    ASSERT_TRUE(fromPng);
    EXPECT_EQ(fromPng->pixels().pixels, image->pixels().pixels);
    EXPECT_DOUBLE_EQ(fromPng->size().width, 2);

    EXPECT_EQ(ui::Image::fromData({ 1, 2, 3 }), nullptr);
    EXPECT_EQ(ui::Image::fromFile("/nonexistent.png"), nullptr);
    EXPECT_EQ(ui::Image::fromPixels({ 4, 4, 16, {} }, 1), nullptr) << "buffer shorter than its rows";
}

// A picture decoded from JPEG gives its own bytes back when asked for at
// least the quality they hold, so saving it again loses nothing more; asked
// for less, it is encoded anew. Bytes of unknown make count as quality 1.0.
TEST(Image, UnchangedJpegPicturesKeepTheirBytes)
{
    auto source = ui::Image::fromPixels(makePixels(48, 40, [](int x, int y) {
        return 0xFF000000u | std::uint32_t((x * 5) % 256) << 16 | std::uint32_t((y * 6) % 256) << 8 | std::uint32_t((x * y) % 256);
    }), 1);
    ASSERT_TRUE(source);
    struct Case {
        double made;
        double lower; // a quality below what the bytes hold
    };
    for (const Case& c : { Case { 1.0, 0.9 }, Case { 0.05, 0.005 }, Case { 0.001, 0 } }) {
        auto bytes = source->jpegData(c.made);
        auto picture = ui::Image::fromData(bytes);
        ASSERT_TRUE(picture);
        for (double asked : { c.made, (c.made + 1) / 2, 1.0 })
            EXPECT_EQ(picture->jpegData(asked), bytes) << c.made << " asked at " << asked;
        auto lower = picture->jpegData(c.lower);
        EXPECT_NE(lower, bytes) << c.made;
        EXPECT_EQ(lower, platform::imagecodec::encodeJpeg(picture->pixels(), c.lower)) << c.made;
        // Through 0.001 once, and never again: five saves later, the same bytes.
        auto saved = picture->jpegData(0.001);
        for (int generation = 0; generation < 5; ++generation)
            EXPECT_EQ(ui::Image::fromData(saved)->jpegData(0.001), saved) << c.made << " generation " << generation;
    }

    // Tables this encoder never writes: the bytes count as the best there is.
    auto foreign = source->jpegData(0.5);
    std::vector<std::uint8_t> marker { 0xFF, 0xDB };
    auto table = std::search(foreign.begin(), foreign.end(), marker.begin(), marker.end());
    ASSERT_NE(table, foreign.end());
    table[5] = std::uint8_t(table[5] + 1);
    auto picture = ui::Image::fromData(foreign);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->jpegData(1.0), foreign);
    EXPECT_NE(picture->jpegData(0.99), foreign);
    // A PNG keeps no bytes: every encoding is made from the pixels.
    EXPECT_EQ(ui::Image::fromData(source->pngData())->jpegData(1.0), source->jpegData(1.0));
}

TEST(Image, StretchableCapsBeyondTheImageStretchUniformly)
{
    auto image = ui::Image::fromPixels(makePixels(10, 10, [](int, int) { return kRed; }), 2);
    auto stretchable = image->stretchable(4, 9);
    EXPECT_TRUE(stretchable->isStretchable());
    EXPECT_EQ(stretchable->leftCapWidth(), 4);
    EXPECT_EQ(stretchable->topCapHeight(), 0) << "no row left to stretch below a 9-point cap of a 5-point image";
    EXPECT_FALSE(image->isStretchable());
}
