#include "support/PhoneTest.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "widgets/ColorHex.h"
#include "widgets/FilePath.h"
#include "widgets/MyLabel.h"
#include "widgets/QYLabel.h"
#include "widgets/YLSTextField.h"
#include "platform/Folders.h"
#include "ui/Renderer.h"

using namespace ui;

TEST(ColorHexTest, ReadsWhatThePhoneReadsAndWritesTruncatedComponents)
{
    for (const char* text : { "#ff8800", "ff8800", "  0xFF8800  ", "FF8800\n", "0X#FF8800", "\t#Ff8800" })
        EXPECT_EQ(colorWithHexString(text), Color::rgb(255, 136, 0)) << text;
    EXPECT_EQ(colorWithHexString("#ed4040", 0.5), Color::rgb(237, 64, 64, 0.5));
    for (const char* text : { "#f80", "12345", "", "#FF88001", "0x0xFF8800", "一二三四五六七" })
        EXPECT_EQ(colorWithHexString(text), Color::clearColor()) << text;

    EXPECT_EQ(toColorString({ 0.5, 0, 1, 1 }), "#7F00FF");
    EXPECT_EQ(ToHex(256), "160");
    Color c = Color::rgb(18, 171, 86);
    EXPECT_EQ(colorWithHexString(toColorString(c)), c);
}

class FilePathTest : public PhoneTest {
protected:
    void SetUp() override { PhoneTest::SetUp(); std::filesystem::remove_all(home); platform::folders::setHomeFolder(home.string()); }
    void TearDown() override { std::filesystem::remove_all(home); PhoneTest::TearDown(); }
    std::filesystem::path home = std::filesystem::temp_directory_path() / ("qyshot-folders-" + std::to_string(::getpid()));
};

TEST_F(FilePathTest, FoldersAreMadeOnlyWhenAskedForAndPathsComeEvenWhenUnmakeable)
{
    EXPECT_EQ(documentPath(), (home / "Documents").string());
    EXPECT_FALSE(std::filesystem::exists(documentPath()));
    EXPECT_EQ(audioPath(), (home / "Documents/audio").string());
    EXPECT_FALSE(std::filesystem::exists(home / "Documents/video"));
    for (auto& path : { audioPath(), videoPath(), userImagePath(), videoImagePath() })
        EXPECT_TRUE(std::filesystem::is_directory(path)) << path;

    // The home is a file: nothing can be made below it, and nothing is reported.
    std::filesystem::remove_all(home);
    { std::FILE* f = std::fopen(home.c_str(), "w"); std::fclose(f); }
    EXPECT_EQ(audioPath(), (home / "Documents/audio").string());
}

using LabelVariantsTest = PhoneTest;

TEST_F(LabelVariantsTest, MyLabelMiddleSitsThreePointsHigherOnSmallPhones)
{
    MyLabel label({ 0, 0, 200, 60 });
    label.setText(std::string("余额"));
    auto top = [&](const char* device) { useDevice(device); return label.textRectForBounds(label.bounds(), 1).y(); };
    double middle = top("iphone6");
    EXPECT_DOUBLE_EQ(middle, (60 - label.textRectForBounds(label.bounds(), 1).height()) / 2);
    EXPECT_DOUBLE_EQ(top("iphone5"), middle - 3);
    EXPECT_DOUBLE_EQ(top("iphone4"), middle - 3);
    EXPECT_DOUBLE_EQ(top("iphone6plus"), middle);
    label.setVerticalAlignment(7); // any other value: middle, without the correction
    EXPECT_DOUBLE_EQ(top("iphone5"), middle);
    label.setVerticalAlignment(MyLabel::Top);
    EXPECT_DOUBLE_EQ(top("iphone5"), 0);
    label.setVerticalAlignment(MyLabel::Bottom);
    EXPECT_DOUBLE_EQ(top("iphone5"), 60 - label.textRectForBounds(label.bounds(), 1).height());
}

TEST_F(LabelVariantsTest, QYLabelDrawsInsideItsInsets)
{
    // Text pushed right by a wide left inset leaves the left part blank.
    auto label = std::make_shared<QYLabel>(EdgeInsets { 0, 60, 0, 0 });
    label->setFrame({ 0, 0, 120, 30 });
    label->setText(std::string("12:30"));
    auto image = Renderer::snapshotView(*label, 1);
    const auto& px = image->pixels();
    int firstInked = px.width;
    for (int y = 0; y < px.height; ++y)
        for (int x = 0; x < px.width; ++x)
            if (px.pixels[size_t(y) * px.stride + size_t(x) * 4 + 3] > 0)
                firstInked = std::min(firstInked, x);
    EXPECT_GE(firstInked, 58);
    EXPECT_LT(firstInked, px.width) << "the text is drawn";
}

TEST_F(LabelVariantsTest, TextFieldVariantsMoveTheirRectanglesTenPointsRight)
{
    ui::TextField plain({ 0, 0, 210, 40 });
    YLSTextFields shifted({ 0, 0, 210, 40 });
    YLSTextField withIcon({ 0, 0, 210, 40 });
    for (auto* field : { static_cast<ui::TextField*>(&withIcon), &plain }) {
        field->setLeftView(std::make_shared<View>(Rect { 0, 0, 20, 20 }));
        field->setLeftViewMode(ui::TextFieldViewMode::Always);
    }
    Rect bounds = plain.bounds();
    EXPECT_EQ(shifted.textRectForBounds(bounds), ui::TextField(bounds).textRectForBounds(bounds).offsetBy(10, 0));
    EXPECT_EQ(shifted.editingRectForBounds(bounds), ui::TextField(bounds).editingRectForBounds(bounds).offsetBy(10, 0));
    EXPECT_EQ(withIcon.leftViewRectForBounds(bounds), plain.leftViewRectForBounds(bounds).offsetBy(10, 0));
    EXPECT_EQ(withIcon.leftViewRectForBounds(bounds).size, (Size { 20, 20 }));
}
