// The payment-app balance page: its first launch, its editor, its avatar and
// what comes back on the next launch.
#include "MoneyTest.h"

#include <fstream>

#include "app/home/ViewController.h"
#include "money/balance/QYAliBalanceViewController.h"
#include "money/balance/QYEditNickBlanceViewController.h"
#include "platform/Folders.h"
#include "ui/ActionSheet.h"
#include "ui/DialogButton.h"
#include "ui/ImagePickerController.h"
#include "ui/NavigationBar.h"
#include "ui/Screen.h"
#include "ui/graphics/TextLayout.h"

using namespace ui;

namespace {

std::shared_ptr<QYBlanceModel> stored() { return HLObjectValue::hl_objectWithKey<QYBlanceModel>("BLANCE"); }

// What the page makes of a picked picture: a round trip through JPEG 0.005.
std::vector<std::uint8_t> jpegOfPicked(const std::string& path)
{
    return Image::fromFile(path)->jpegData(QYAliBalanceViewController::kAvatarJpegQuality);
}

std::vector<std::uint8_t> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

} // namespace

TEST_F(MoneyTest, BalanceFirstLaunchShowsPromptsTheDefaultAvatarAndTheWayBack)
{
    struct Phone {
        const char* device;
        const char* picture;
        bool compact;
    };
    for (const Phone& phone : { Phone { "iphone4", "QYPay_Myself_UI_iphone4.png", true }, Phone { "iphone5", "QYPay_Myself_UI_iphone5.png", true },
             Phone { "iphone6", "QYPay_Myself_UI.png", false }, Phone { "iphone6plus", "QYPay_Myself_UI.png", false } }) {
        SCOPED_TRACE(phone.device);
        launch(phone.device);
        Size screen = Screen::main().size();
        auto page = openBalance();
        ASSERT_TRUE(page);
        EXPECT_EQ(notice(), "点击账单图标返回");
        EXPECT_TRUE(navigation->isNavigationBarHidden());
        EXPECT_FALSE(navigation->interactivePopGestureRecognizer()->isEnabled());
        EXPECT_EQ(page->view()->frameInScreen(), (Rect { { 0, 0 }, screen })) << "the page covers the whole screen";
        EXPECT_EQ(nameOf(page->backgroundView()->image()), phone.picture);
        EXPECT_EQ(page->backgroundView()->frameInScreen(), (Rect { { 0, 0 }, screen }));

        EXPECT_EQ(page->nickName()->text(), "点击输入昵称");
        EXPECT_EQ(page->phone()->text(), "点击输入手机号");
        EXPECT_EQ(page->blanceSum()->text(), "点击输入总额");
        EXPECT_EQ(page->blance()->text(), "点击输入余额");
        EXPECT_EQ(nameOf(page->avatar()->image()), "QYAvatar.png");
        EXPECT_EQ(page->avatar()->backgroundColor(), Color::redColor());

        Rect avatar = page->avatar()->frameInScreen();
        EXPECT_EQ(avatar, (Rect { 15, 78, 67, 67 }));
        Rect badge = page->memberBadge()->frameInScreen();
        EXPECT_DOUBLE_EQ(badge.maxX(), avatar.maxX() + 3);
        EXPECT_DOUBLE_EQ(badge.maxY(), avatar.maxY() + 3);
        EXPECT_EQ(page->nickName()->frameInScreen(), (Rect { 94, 78, screen.width - 20 - 94, 18 }));
        EXPECT_EQ(page->phone()->frameInScreen(), (Rect { 94, 98, screen.width - 20 - 94, 20 }));
        Rect total = page->blanceSum()->frameInScreen();
        EXPECT_EQ(total.origin, (Point { 15, avatar.maxY() + 46 }));
        if (phone.compact)
            EXPECT_EQ(total.size, (Size { 95, 30 }));
        else
            EXPECT_EQ(total.size, page->blanceSum()->sizeThatFits({})) << "sized to its text";
        Rect eye = page->eyeIcon()->frameInScreen();
        EXPECT_DOUBLE_EQ(eye.x(), total.maxX() + (phone.compact ? 0 : 12));
        EXPECT_DOUBLE_EQ(eye.midY(), total.midY());
        EXPECT_EQ(page->blance()->frameInScreen().origin, (Point { 53, total.maxY() + 50 }));

        // The invisible buttons: the hint on the right, the way back on the left.
        tapView(page->hintButton());
        advance(0.1);
        EXPECT_EQ(notice(), "点击对应地方进行修改");
        tapView(page->backButton());
        settle();
        auto homeScreen = navigation->topViewController();
        ASSERT_EQ(homeScreen, navigation->viewControllers().front());
        EXPECT_FALSE(navigation->isNavigationBarHidden());
        EXPECT_EQ(homeScreen->view()->frameInScreen(), (Rect { 0, 64, screen.width, screen.height - 64 }));
        EXPECT_TRUE(navigation->interactivePopGestureRecognizer()->isEnabled()) << "the home screen turns it on again";
    }
}

TEST_F(MoneyTest, BalanceAmountsAreFormattedRefusedAboveTheTotalAndSavedAfterEachEdit)
{
    auto page = openBalance();
    ASSERT_TRUE(page);
    // The prompts go to the editor as they are and are saved as zero amounts.
    auto editor = openEditor(page->blanceSum());
    ASSERT_TRUE(editor);
    EXPECT_FALSE(navigation->isNavigationBarHidden());
    EXPECT_EQ(navigation->navigationBar()->titleLabel()->text(), "设置");
    EXPECT_TRUE(editor->textField()->isFirstResponder());
    EXPECT_EQ(editor->textField()->keyboardType, KeyboardType::DecimalPad);
    EXPECT_EQ(editor->blanceText()->keyboardType, KeyboardType::DecimalPad);
    EXPECT_EQ(editor->textField()->text(), u"点击输入总额");
    EXPECT_EQ(editor->blanceText()->text(), u"点击输入余额");
    tapView(editor->doneButton());
    settle();
    EXPECT_EQ(navigation->topViewController(), page);
    EXPECT_TRUE(navigation->isNavigationBarHidden());
    EXPECT_EQ(page->view()->frameInScreen().y(), 0);
    EXPECT_EQ(page->blanceSum()->text(), "0.00");
    EXPECT_EQ(page->blance()->text(), "0.00");

    struct Edit {
        std::u16string total, balance;
        bool accepted;
        std::string shownTotal, shownBalance;
    };
    for (const Edit& edit : { Edit { u"100", u"100.01", false, "0.00", "0.00" }, Edit { u"100", u"100", true, "100.00", "100.00" },
             Edit { u"1234.5", u"0.1", true, "1,234.50", "0.10" }, Edit { u"5", u"abc", true, "5.00", "0.00" },
             Edit { u"1234567.5", u"99.999", true, "1,234,567.50", "100.00" } }) {
        SCOPED_TRACE(std::string(edit.shownTotal));
        editor = openEditor(page->blance());
        ASSERT_TRUE(editor);
        saveInEditor(editor, edit.total, edit.balance);
        if (!edit.accepted) {
            EXPECT_EQ(navigation->topViewController(), editor) << "the editor stays open";
            EXPECT_EQ(notice(), "余额不能大于总金额");
            EXPECT_EQ(editor->textField()->text(), edit.total);
            EXPECT_EQ(editor->blanceText()->text(), edit.balance);
            tapView(navigation->navigationBar()->backButton());
            settle();
        }
        ASSERT_EQ(navigation->topViewController(), page);
        EXPECT_EQ(page->blanceSum()->text(), edit.shownTotal);
        EXPECT_EQ(page->blance()->text(), edit.shownBalance);
        ASSERT_TRUE(stored());
        EXPECT_EQ(chattest::value(stored()->blanceNum()), chattest::MaybeText(toUtf16(edit.shownTotal)));
        EXPECT_EQ(chattest::value(stored()->blance()), chattest::MaybeText(toUtf16(edit.shownBalance)));
        EXPECT_EQ(stored()->nickName(), nullptr);
        Rect total = page->blanceSum()->frameInScreen();
        EXPECT_EQ(total.size, page->blanceSum()->sizeThatFits({})) << "the total is sized to its new text";
        EXPECT_DOUBLE_EQ(page->eyeIcon()->frameInScreen().x(), total.maxX() + 12);
    }
    // The editor gets the amounts without their grouping commas.
    editor = openEditor(page->blanceSum());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->textField()->text(), u"1234567.50");
    EXPECT_EQ(editor->blanceText()->text(), u"100.00");
}

TEST_F(MoneyTest, BalanceTotalShrinksIntoItsBoxOnTheSmallerPhones)
{
    launch("iphone5");
    auto page = openBalance();
    ASSERT_TRUE(page);
    saveInEditor(openEditor(page->blanceSum()), u"98765432", u"1");
    EXPECT_EQ(page->blanceSum()->text(), "98,765,432.00");
    EXPECT_EQ(page->blanceSum()->frameInScreen().size, (Size { 95, 30 }));
    Font fitted = page->blanceSum()->fittedFont();
    EXPECT_LT(fitted.pointSize(), 27);
    TextAttributes attributes;
    attributes.font = fitted;
    EXPECT_LE(TextLayout::measure(AttributedString::fromUtf8(*page->blanceSum()->text(), attributes), 0, 1).width, 95);
    // A short total keeps the full size.
    saveInEditor(openEditor(page->blanceSum()), u"1", u"1");
    EXPECT_EQ(page->blanceSum()->fittedFont().pointSize(), 27);
}

TEST_F(MoneyTest, BalanceNamesComeBackOnTheNextLaunchAndAnEmptyNicknameStaysEmpty)
{
    auto page = openBalance();
    ASSERT_TRUE(page);
    auto editor = openEditor(page->phone());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->textField()->text(), u"点击输入昵称");
    EXPECT_EQ(editor->blanceText()->text(), u"点击输入手机号");
    EXPECT_EQ(editor->textField()->keyboardType, KeyboardType::Default);
    EXPECT_EQ(editor->blanceText()->keyboardType, KeyboardType::DecimalPad);
    saveInEditor(editor, u"", u"138 0013 8000");
    EXPECT_EQ(page->nickName()->text(), "");
    EXPECT_EQ(page->phone()->text(), "138 0013 8000");
    ASSERT_TRUE(stored());
    EXPECT_EQ(chattest::value(stored()->nickName()), chattest::MaybeText(u""));
    EXPECT_EQ(stored()->blanceNum(), nullptr);

    launch();
    page = openBalance();
    ASSERT_TRUE(page);
    EXPECT_EQ(notice(), "") << "only the first launch shows the way back";
    EXPECT_EQ(page->nickName()->text(), "") << "an empty nickname is not a missing one";
    EXPECT_EQ(page->phone()->text(), "138 0013 8000");
    EXPECT_EQ(page->blanceSum()->text(), "点击输入总额");
    EXPECT_EQ(page->blance()->text(), "点击输入余额");
    editor = openEditor(page->nickName());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->textField()->text(), u"");
    saveInEditor(editor, u"小明", u"1,380");
    EXPECT_EQ(page->nickName()->text(), "小明");
    EXPECT_EQ(page->phone()->text(), "1,380") << "names are kept exactly as typed";
}

TEST_F(MoneyTest, BalanceAvatarIsShrunkWrittenBesideTheUserImageFolderAndReadOnTheNextLaunch)
{
    auto photo = albumPhoto("me.png", 120, 90);
    auto page = openBalance();
    ASSERT_TRUE(page);
    auto chooseFromSheet = [&](int choice) {
        tapView(page->avatar());
        auto sheet = ActionSheet::visibleSheet();
        ASSERT_TRUE(sheet);
        EXPECT_EQ(sheet->title(), "设置头像");
        EXPECT_EQ(sheet->buttonTitleAtIndex(0), "拍照");
        EXPECT_EQ(sheet->buttonTitleAtIndex(1), "相册选择");
        EXPECT_EQ(sheet->buttonTitleAtIndex(2), "取消");
        advance(0.5);
        tapView(sheet->buttonAtIndex(choice));
        settle();
    };
    // No camera, a cancelled sheet and a cancelled picker change nothing.
    chooseFromSheet(0);
    EXPECT_EQ(page->presentedViewController(), nullptr);
    chooseFromSheet(2);
    chooseFromSheet(1);
    ASSERT_TRUE(ImagePickerController::visiblePicker());
    ImagePickerController::visiblePicker()->cancel();
    settle();
    EXPECT_EQ(nameOf(page->avatar()->image()), "QYAvatar.png");
    EXPECT_EQ(stored(), nullptr);

    chooseFromSheet(1);
    auto picker = ImagePickerController::visiblePicker();
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->sourceType(), ImagePickerController::SourceType::PhotoLibrary);
    ASSERT_TRUE(picker->pickPhotoAtPath(photo));
    settle();
    EXPECT_EQ(page->presentedViewController(), nullptr);
    std::string file = platform::folders::join(platform::folders::documentsFolder(), "userImgeBLANCEUSERIMAGE");
    EXPECT_EQ(QYAliBalanceViewController::avatarFilePath(), file);
    auto jpeg = jpegOfPicked(photo);
    EXPECT_EQ(fileBytes(file), jpeg);
    ASSERT_TRUE(page->avatar()->image());
    EXPECT_EQ(page->avatar()->image()->pixels().pixels, Image::fromData(jpeg)->pixels().pixels);
    ASSERT_TRUE(stored());
    EXPECT_EQ(chattest::value(stored()->imageFile()), chattest::MaybeText(toUtf16(file)));
    EXPECT_EQ(stored()->nickName(), nullptr) << "an avatar chosen before any text";

    // The next launch reads the picture back; a damaged or missing file gives the default.
    launch();
    page = openBalance();
    ASSERT_TRUE(page && page->avatar()->image());
    EXPECT_EQ(page->avatar()->image()->pixels().pixels, Image::fromData(jpeg)->pixels().pixels);
    EXPECT_EQ(page->nickName()->text(), "点击输入昵称");
    std::ofstream(file, std::ios::binary | std::ios::trunc) << "not a picture";
    launch();
    page = openBalance();
    ASSERT_TRUE(page);
    EXPECT_EQ(nameOf(page->avatar()->image()), "QYAvatar.png");
    std::filesystem::remove(file);
    launch();
    page = openBalance();
    ASSERT_TRUE(page);
    EXPECT_EQ(nameOf(page->avatar()->image()), "QYAvatar.png");

    // An avatar chosen after the texts keeps them.
    saveInEditor(openEditor(page->nickName()), u"阿华", u"1");
    chooseFromSheet(1);
    ASSERT_TRUE(ImagePickerController::visiblePicker());
    ImagePickerController::visiblePicker()->pickPhotoAtPath(photo);
    settle();
    launch();
    page = openBalance();
    ASSERT_TRUE(page && page->avatar()->image());
    EXPECT_EQ(page->avatar()->image()->pixels().pixels, Image::fromData(jpeg)->pixels().pixels);
    EXPECT_EQ(page->nickName()->text(), "阿华");
}
