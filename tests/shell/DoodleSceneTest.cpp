#include "ShellTest.h"

#include <cstring>

#include "platform/Folders.h"
#include "platform/ImageCodec.h"
#include "platform/PhotoAlbum.h"
#include "shell/scene/ScratchHome.h"

namespace {

struct Pixel {
    int r, g, b, a;
};

Pixel pixelAt(const platform::PixelBuffer& image, double x, double y, double scale)
{
    std::uint32_t word;
    std::memcpy(&word, &image.pixels[size_t(y * scale) * size_t(image.stride) + size_t(x * scale) * 4], 4);
    return { int(word >> 16 & 0xFF), int(word >> 8 & 0xFF), int(word & 0xFF), int(word >> 24) };
}

} // namespace

// The whole app from a scene: a chat, the phone's screenshot, the offer taken,
// a stroke dragged over the screenshot and the drawing saved.
TEST_F(ShellTest, APhoneScreenshotOfAChatIsDrawnOnAndSavedToTheAlbum)
{
    shell::ScratchHome scratch(true, false);
    auto album = folder / "album";
    platform::folders::setAlbumFolder(album.string());
    shell::SceneRunner runner(folder.string());
    runner.play(shell::SceneReader::readText(R"({"device": "iphone6", "actions": [
        {"tap": {"image": "QYHome_1.png"}}, {"wait": 1}, {"tap": {"text": "开始"}}, {"wait": 1},
        {"phoneScreenshot": true}, {"wait": 0.5}, {"alert": 0}, {"wait": 2},
        {"tap": [187.5, 200]}, {"wait": 0.5},
        {"drag": {"from": [60, 550], "to": [300, 550]}},
        {"tap": {"text": "涂鸦板"}}, {"wait": 0.6}, {"tap": {"image": "DWSave.png"}}, {"wait": 1}
    ]})"));
    platform::folders::setAlbumFolder({});

    auto photos = platform::PhotoAlbum(album.string()).photos();
    ASSERT_EQ(photos.size(), 2u) << "the screenshot, then the drawing";
    auto screenshot = platform::imagecodec::decodeFile(photos[0].path);
    auto drawing = platform::imagecodec::decodeFile(photos[1].path);
    ASSERT_TRUE(screenshot && drawing);
    EXPECT_EQ(screenshot->width, 750);
    EXPECT_EQ(drawing->width, 750);
    EXPECT_EQ(drawing->height, 1206) << "the doodle view under the bars, at the screen's scale";

    // The stroke, in the panel's first colour, 64 points higher in the view.
    Pixel stroke = pixelAt(*drawing, 180, 550 - 64, 2);
    EXPECT_EQ(stroke.r, 0xED);
    EXPECT_EQ(stroke.g, 0x40);
    EXPECT_EQ(stroke.a, 0xFF);
    // Elsewhere the screenshot, fitted into the view: 603 / 667 of its size, centred.
    double fit = 603.0 / 667;
    for (ui::Point shot : { ui::Point { 187.5, 420 }, ui::Point { 100, 40 }, ui::Point { 300, 100 } }) {
        Pixel expected = pixelAt(*screenshot, shot.x, shot.y, 2);
        Pixel seen = pixelAt(*drawing, (375 - 375 * fit) / 2 + shot.x * fit, shot.y * fit, 2);
        EXPECT_NEAR(seen.r, expected.r, 12) << shot.x << "," << shot.y;
        EXPECT_NEAR(seen.g, expected.g, 12) << shot.x << "," << shot.y;
        EXPECT_NEAR(seen.b, expected.b, 12) << shot.x << "," << shot.y;
    }
}
