#include "ShellTest.h"

#include <cstring>

#include "composer/QYChatViewController.h"
#include "platform/ImageCodec.h"
#include "shell/commands/ChatCommand.h"
#include "shell/commands/GlobalOptions.h"
#include "shell/scene/ScratchHome.h"
#include "shell/script/ChatLongPicture.h"
#include "shell/script/ChatScriptReader.h"
#include "shell/script/ChatScriptScreen.h"
#include "support/ChatScriptSamples.h"
#include "ui/graphics/Image.h"

using shell::ChatCommand;
using shell::ChatLongPicture;
using shell::ChatScriptReader;

namespace {

std::uint32_t bigEndian(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 | std::uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
}

// Width and height from a PNG's header: our decoder stops at screenshot sizes.
std::pair<std::uint32_t, std::uint32_t> pngSize(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> header(24);
    in.read(reinterpret_cast<char*>(header.data()), 24);
    return { bigEndian(header, 16), bigEndian(header, 20) };
}

std::uint32_t pixelAt(const platform::PixelBuffer& image, int x, int y)
{
    std::uint32_t word;
    std::memcpy(&word, &image.pixels[std::size_t(y) * std::size_t(image.stride) + std::size_t(x) * 4], 4);
    return word;
}

} // namespace

class ChatLongPictureTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        shell::GlobalOptions::shared().reset();
    }
    // The sum of the list's row heights and the bars around it, in pixels.
    static long long expectedHeight(const shell::ChatScriptScreen& screen, double scale)
    {
        auto list = screen.chat()->baseTableView();
        double rows = 0;
        for (int row = 0; row < list->numberOfRows(); ++row)
            rows += list->rectForRow(ui::IndexPath::forRow(row)).height();
        double bars = 64 + screen.chat()->toolBar()->bounds().height();
        return std::llround((rows + bars) * scale);
    }
};

TEST_F(ChatLongPictureTest, AThousandMessagesMakeOnePictureOfEveryRowAndTheBars)
{
    shell::ScratchHome scratch;
    shell::ChatScriptScreen screen(ChatScriptReader::readText(longConversationScript(1000), folder.string()));
    ASSERT_EQ(screen.chat()->baseTableView()->numberOfRows(), 1000);
    ChatLongPicture picture(screen.chat());
    const long long expected = expectedHeight(screen, 2);
    EXPECT_GT(expected, 32767) << "taller than any screenshot surface";
    EXPECT_EQ(picture.height(), expected);
    auto path = folder / "long.png";
    ASSERT_TRUE(picture.write(path.string())) << picture.error();
    auto [width, height] = pngSize(path);
    EXPECT_EQ(width, 750u);
    EXPECT_EQ(height, std::uint32_t(expected));
    // The screen is left as it was: at the end of the conversation.
    auto list = screen.chat()->baseTableView();
    EXPECT_DOUBLE_EQ(list->contentOffset().y, list->contentSize().height - list->bounds().height());
    EXPECT_TRUE(list->showsVerticalScrollIndicator);
}

// The picture is too tall to be opened: the command says so and writes nothing, not even the other outputs.
TEST_F(ChatLongPictureTest, APictureBeyondTheLimitIsRefusedBeforeAnythingIsWritten)
{
    // 300 messages of 80 lines each: some 1,500 points apiece, over a million pixels at @3x.
    std::string lines;
    for (int i = 0; i < 80; ++i)
        lines += "行\\n";
    std::string text = "device: iphone6plus\nmessages:\n";
    for (int i = 0; i < 300; ++i)
        text += std::string("  - ") + (i % 2 ? "me" : "other") + ": \"" + lines + "\"\n";
    auto script = writeFile("tall.yaml", text);
    ChatCommand::Options options;
    options.scriptPath = script;
    options.longPath = (folder / "out/long.png").string();
    options.outputPath = (folder / "out/chat.png").string();
    options.pagesFolder = (folder / "out/pages").string();
    testing::internal::CaptureStderr();
    int code = ChatCommand::run(options);
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(code, ChatCommand::kBadScript);
    EXPECT_NE(errors.find("pixels tall, more than the 1000000"), std::string::npos) << errors;
    EXPECT_NE(errors.find("tall.yaml"), std::string::npos) << errors;
    EXPECT_FALSE(std::filesystem::exists(folder / "out")) << "nothing written";
}

// The background picture shows behind the first screenful only; below it the
// chat's own background colour, never a second copy of the picture.
TEST_F(ChatLongPictureTest, TheBackgroundPictureIsDrawnOnceBehindTheFirstScreen)
{
    writePicture("red.png", 0xFFE01010);
    shell::ScratchHome scratch;
    shell::ChatScriptScreen screen(ChatScriptReader::readText(longConversationScript(40, "iphone6", "background: red.png\n"), folder.string()));
    ChatLongPicture picture(screen.chat());
    ASSERT_LT(picture.height(), 32767);
    auto path = folder / "long.png";
    ASSERT_TRUE(picture.write(path.string())) << picture.error();
    auto tall = platform::imagecodec::decodeFile(path.string());
    ASSERT_TRUE(tall);
    auto list = screen.chat()->baseTableView();
    const int listRows = int(list->bounds().height() * 2);
    const int firstRow = 64 * 2;
    auto isRed = [](std::uint32_t word) { return ((word >> 16) & 0xFF) > 180 && (word & 0xFF) < 80; };
    // At the left edge no bubble or avatar reaches.
    for (int y = firstRow; y < firstRow + listRows; y += 37)
        EXPECT_TRUE(isRed(pixelAt(*tall, 1, y))) << "row " << y;
    int plain = 0;
    for (int y = firstRow + listRows; y < tall->height - 200; y += 37) {
        EXPECT_FALSE(isRed(pixelAt(*tall, 1, y))) << "row " << y;
        plain += pixelAt(*tall, 1, y) == 0xFFEBEBEB;
    }
    EXPECT_GT(plain, 10) << "the chat's background colour";
    EXPECT_FALSE(screen.chat()->backImageView()->isHidden()) << "the screen keeps its picture";
}

// The bundled scripts bring their own pictures, inside the scripts folder, so
// they work wherever the resources are installed.
TEST_F(ChatLongPictureTest, BundledScriptsReadOnlyTheirOwnPictures)
{
    auto scripts = std::filesystem::canonical(std::filesystem::path(ui::Image::resourceFolder()) / "scripts");
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(scripts)) {
        if (entry.path().extension() != ".yaml")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++count;
        auto script = ChatScriptReader::readFile(entry.path().string());
        std::vector<std::string> pictures;
        for (const auto& path : { script.me.avatarPath, script.other.avatarPath, script.backgroundPath })
            if (path)
                pictures.push_back(*path);
        for (const auto& line : script.lines)
            if (!line.photoPath.empty())
                pictures.push_back(line.photoPath);
        EXPECT_FALSE(pictures.empty());
        for (const auto& picture : pictures) {
            auto relative = std::filesystem::canonical(picture).lexically_relative(scripts).string();
            EXPECT_TRUE(!relative.empty() && relative.rfind("..", 0) != 0) << picture;
        }
    }
    EXPECT_GE(count, 2);
}
