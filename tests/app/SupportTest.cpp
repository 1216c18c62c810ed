#include "support/PhoneTest.h"

#include <cstdlib>
#include <filesystem>

#include "app/support/ColorHex.h"
#include "app/support/FilePath.h"
#include "app/support/MyLabel.h"
#include "app/support/QYLabel.h"
#include "app/support/YLSTextField.h"
#include "platform/Folders.h"
#include "ui/Renderer.h"

using namespace ui;

namespace {

void expectColor(const Color& c, int r, int g, int b, double alpha = 1)
{
    EXPECT_NEAR(c.red * 255, r, 1e-9);
    EXPECT_NEAR(c.green * 255, g, 1e-9);
    EXPECT_NEAR(c.blue * 255, b, 1e-9);
    EXPECT_DOUBLE_EQ(c.alpha, alpha);
}

} // namespace

TEST(ColorHexTest, AcceptsThePrefixesAndBlanksThePhoneAccepts)
{
    for (const char* text : { "#ff8800", "ff8800", "  0xFF8800  ", "FF8800\n", "0X#FF8800", "\t#Ff8800" })
        expectColor(colorWithHexString(text), 255, 136, 0);
    expectColor(colorWithHexString("#ed4040", 0.5), 237, 64, 64, 0.5);
}

TEST(ColorHexTest, UnreadableTextGivesTheClearColour)
{
    for (const char* text : { "#f80", "12345", "", "#FF88001", "0x0xFF8800", "一二三四五六七" })
        EXPECT_EQ(colorWithHexString(text), Color::clearColor()) << text;
}

TEST(ColorHexTest, ColourTextTruncatesComponents)
{
    EXPECT_EQ(toColorString(Color::redColor()), "#FF0000");
    EXPECT_EQ(toColorString({ 0.5, 0, 1, 1 }), "#7F00FF");
    EXPECT_EQ(ToHex(256), "160");
    EXPECT_EQ(ToHex(171), "AB");
    // Reading back what was written gives the same colour for whole components.
    Color c = Color::rgb(18, 52, 86);
    EXPECT_EQ(colorWithHexString(toColorString(c)), c);
}

class FilePathTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        home = std::filesystem::temp_directory_path() / ("qyshot-folders-" + std::to_string(::getpid()));
        std::filesystem::remove_all(home);
        platform::folders::setHomeFolder(home.string());
    }
    void TearDown() override
    {
        std::filesystem::remove_all(home);
        PhoneTest::TearDown();
    }
    std::filesystem::path home;
};

TEST_F(FilePathTest, FoldersAreMadeOnlyWhenAskedFor)
{
    EXPECT_EQ(documentPath(), (home / "Documents").string());
    EXPECT_FALSE(std::filesystem::exists(documentPath()));
    EXPECT_EQ(audioPath(), (home / "Documents/audio").string());
    EXPECT_TRUE(std::filesystem::is_directory(audioPath()));
    EXPECT_FALSE(std::filesystem::exists(home / "Documents/video"));
    EXPECT_FALSE(std::filesystem::exists(home / "Documents/videoImagePath"));
    EXPECT_TRUE(std::filesystem::is_directory(videoPath()));
    EXPECT_TRUE(std::filesystem::is_directory(userImagePath()));
    EXPECT_TRUE(std::filesystem::is_directory(videoImagePath()));
}

TEST_F(FilePathTest, UnmakeableFolderStillGivesItsPath)
{
    // The home is a file: nothing can be made below it, and nothing is reported.
    std::filesystem::create_directories(home.parent_path());
    { std::FILE* f = std::fopen(home.c_str(), "w"); std::fclose(f); }
    EXPECT_EQ(audioPath(), (home / "Documents/audio").string());
    std::filesystem::remove(home);
}

class LabelVariantsTest : public PhoneTest { };

TEST_F(LabelVariantsTest, MyLabelMiddleSitsThreePointsHigherOnSmallPhones)
{
    auto rectOn = [](const char* device) {
        useDevice(device);
        MyLabel label({ 0, 0, 200, 60 });
        label.setText(std::string("余额"));
        return label.textRectForBounds(label.bounds(), 1);
    };
    Rect big = rectOn("iphone6");
    Rect small = rectOn("iphone5");
    Rect tiny = rectOn("iphone4");
    EXPECT_DOUBLE_EQ(big.y() - small.y(), 3);
    EXPECT_DOUBLE_EQ(small.y(), tiny.y());

    useDevice("iphone6");
    MyLabel label({ 0, 0, 200, 60 });
    label.setText(std::string("余额"));
    label.setVerticalAlignment(MyLabel::Top);
    EXPECT_DOUBLE_EQ(label.textRectForBounds(label.bounds(), 1).y(), 0);
    label.setVerticalAlignment(MyLabel::Bottom);
    Rect bottom = label.textRectForBounds(label.bounds(), 1);
    EXPECT_DOUBLE_EQ(bottom.maxY(), 60);
    label.setVerticalAlignment(7); // any other value: middle, without the correction
    useDevice("iphone5");
    Rect other = label.textRectForBounds(label.bounds(), 1);
    EXPECT_DOUBLE_EQ(other.y(), (60 - other.height()) / 2);
}

TEST_F(LabelVariantsTest, QYLabelDrawsInsideItsInsets)
{
    // Text pushed right by a wide left inset leaves the left part blank.
    auto label = std::make_shared<QYLabel>(EdgeInsets { 0, 60, 0, 0 });
    label->setFrame({ 0, 0, 120, 30 });
    label->setText(std::string("12:30"));
    auto image = Renderer::snapshotView(*label, 1);
    const auto& px = image->pixels();
    bool leftInked = false, rightInked = false;
    for (int y = 0; y < px.height; ++y) {
        for (int x = 0; x < px.width; ++x) {
            bool ink = px.pixels[size_t(y) * px.stride + size_t(x) * 4 + 3] > 0;
            (x < 58 ? leftInked : rightInked) |= ink;
        }
    }
    EXPECT_FALSE(leftInked);
    EXPECT_TRUE(rightInked);
}

TEST_F(LabelVariantsTest, TextFieldVariantsMoveTheirRectanglesTenPointsRight)
{
    ui::TextField plain({ 0, 0, 210, 40 });
    YLSTextFields shifted({ 0, 0, 210, 40 });
    Rect bounds = plain.bounds();
    EXPECT_EQ(shifted.textRectForBounds(bounds), plain.textRectForBounds(bounds).offsetBy(10, 0));
    EXPECT_EQ(shifted.editingRectForBounds(bounds), plain.editingRectForBounds(bounds).offsetBy(10, 0));

    YLSTextField withIcon({ 0, 0, 210, 40 });
    ui::TextField plainWithIcon({ 0, 0, 210, 40 });
    for (auto* field : { static_cast<ui::TextField*>(&withIcon), &plainWithIcon }) {
        field->setLeftView(std::make_shared<View>(Rect { 0, 0, 20, 20 }));
        field->setLeftViewMode(ui::TextFieldViewMode::Always);
    }
    Rect icon = withIcon.leftViewRectForBounds(bounds);
    EXPECT_EQ(icon, plainWithIcon.leftViewRectForBounds(bounds).offsetBy(10, 0));
    EXPECT_EQ(icon.size, (Size { 20, 20 }));
}
