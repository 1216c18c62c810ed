// The preset form: what it shows and stores per chat type, what it hands to
// the chat screen, and how it moves out of the keyboard's way.
#include "ComposerTest.h"

#include "platform/store/SettingsStore.h"
#include "widgets/QYNoticeHUD.h"

using namespace ui;

TEST_F(ComposerTest, PresetFirstUseShowsTheDefaultsAndStartStoresThem)
{
    auto avatar = Image::named("QYAvatar.png")->jpegData(1.0);
    for (int type : { 1, 2 }) {
        SCOPED_TRACE(type);
        auto preset = openPreset(type);
        ASSERT_TRUE(preset);
        EXPECT_EQ(nameOf(preset->meImageView()->image()), "QYAvatar.png");
        EXPECT_EQ(nameOf(preset->heImageView()->image()), "QYAvatar.png");
        EXPECT_FALSE(preset->defaLable()->isHidden());
        EXPECT_TRUE(preset->backImageView()->isHidden());
        for (auto& field : { preset->meNick(), preset->nickText(), preset->unReadNum() })
            EXPECT_TRUE(field->text().empty());

        tapView(preset->startBtn());
        preset->startChat(*preset->startBtn()); // a second tap while the chat slides in
        settle();
        EXPECT_EQ(navigation->viewControllers().size(), 3u);
        ASSERT_TRUE(topChat());
        EXPECT_EQ(styleValue(topChat()->type()), type);
        auto model = storedUser(type);
        ASSERT_TRUE(model);
        EXPECT_EQ(bytesOf(model->meAvatar()), avatar);
        EXPECT_EQ(bytesOf(model->heAvatar()), avatar);
        EXPECT_EQ(model->backGroundImage(), nullptr);
        popToHome();
    }
}

TEST_F(ComposerTest, PresetHandsOverTheUnreadCountOnlyFromOneUpAndAsTyped)
{
    const std::pair<std::u16string, std::optional<std::string>> cases[] = {
        { u"0", std::nullopt }, { u"", std::nullopt }, { u"abc", std::nullopt }, { u"-3", std::nullopt },
        { u"5", "5" }, { u" 12", " 12" }, { u"99999999999999999999", "99999999999999999999" },
    };
    for (const auto& [typed, handed] : cases) {
        SCOPED_TRACE(toUtf8(typed));
        typeInto(openPreset(1)->unReadNum(), typed);
        tapView(std::static_pointer_cast<QYPresetViewController>(navigation->topViewController())->startBtn());
        ASSERT_TRUE(topChat());
        EXPECT_EQ(topChat()->unReadNum(), handed);
        ASSERT_TRUE(storedUser(1));
        EXPECT_EQ(coding::text(storedUser(1)->noReadNum()), typed) << "stored as typed";
        popToHome();
    }
}

TEST_F(ComposerTest, PresetThatCannotBeStoredSaysSoAndStillStartsTheChat)
{
    typeInto(openPreset(1)->nickText(), u"小明");
    platform::SettingsStore::standard().setSizeLimit(1);
    tapView(std::static_pointer_cast<QYPresetViewController>(navigation->topViewController())->startBtn());
    platform::SettingsStore::standard().setSizeLimit(1ll << 30);
    ASSERT_TRUE(topChat());
    EXPECT_EQ(toUtf8(topChat()->nickText()->text()), "小明");
    auto notice = QYNoticeHUD::sharedView();
    EXPECT_NE(notice->superview(), nullptr);
    EXPECT_EQ(notice->status(), "设置未能保存，请稍后重试");
    EXPECT_FALSE(storedUser(1));
}

TEST_F(ComposerTest, PresetTypesKeepTheirOwnValuesAndUnsavedTypingIsDropped)
{
    auto messenger = openPreset(1);
    typeInto(messenger->meNick(), u"微信我");
    typeInto(messenger->nickText(), u"小明😀");
    typeInto(messenger->unReadNum(), u"3");
    tapView(messenger->startBtn());
    ASSERT_TRUE(topChat());
    EXPECT_EQ(topChat()->meNicek(), "微信我");
    EXPECT_EQ(topChat()->heNick(), "小明😀");
    popToHome();

    auto payment = openPreset(2);
    EXPECT_TRUE(payment->meNick()->text().empty()) << "nothing of the other chat type";
    EXPECT_TRUE(payment->unReadNum()->text().empty());
    typeInto(payment->meNick(), u"支付宝我");
    tapView(payment->startBtn());
    popToHome();
    ASSERT_TRUE(storedUser(1) && storedUser(2));
    EXPECT_EQ(coding::text(storedUser(1)->meNick()), u"微信我");
    EXPECT_EQ(coding::text(storedUser(1)->noReadNum()), u"3");
    EXPECT_EQ(coding::text(storedUser(2)->meNick()), u"支付宝我");
    EXPECT_EQ(coding::text(storedUser(2)->noReadNum()), u"");

    // The form shows what is stored; typing left by the back button is not saved.
    messenger = openPreset(1);
    EXPECT_EQ(messenger->nickText()->utf8Text(), "小明😀");
    typeInto(messenger->meNick(), u"没保存");
    goBack();
    EXPECT_EQ(openPreset(1)->meNick()->utf8Text(), "微信我");
}

TEST_F(ComposerTest, PresetKeepsTheDefaultsForDamagedStoredPictures)
{
    auto model = QYUserModel::make();
    model->setMeAvatar(coding::Data::make({ 0xFF, 0xD8, 0x00, 0x01 }));
    model->setHeAvatar(coding::Data::make({}));
    model->setBackGroundImage(coding::Data::make({ 'n', 'o', 'p', 'e' }));
    model->setHeNick(coding::String::make("小明"));
    hl_setObjectWithKey(model, "USERMODEL");
    auto preset = openPreset(1);
    EXPECT_EQ(nameOf(preset->meImageView()->image()), "QYAvatar.png");
    EXPECT_EQ(nameOf(preset->heImageView()->image()), "QYAvatar.png");
    EXPECT_TRUE(preset->backImageView()->isHidden());
    EXPECT_FALSE(preset->defaLable()->isHidden());
    EXPECT_EQ(preset->nickText()->utf8Text(), "小明") << "the rest of the record is read";
}

TEST_F(ComposerTest, PresetLiftsOutOfTheKeyboardsWayAndRestsAgain)
{
    // lift = start button bottom (455) − (view height − 216) − 50; the other
    // nickname lifts 60 on the 480-point phone.
    struct Case {
        const char* device;
        double own, other;
    };
    for (const Case& c : { Case { "iphone4", 205, 60 }, Case { "iphone6", 18, 18 } }) {
        SCOPED_TRACE(c.device);
        launch(c.device);
        auto preset = openPreset(1);
        auto root = preset->view();
        Rect rest = navigation->contentFrame();
        EXPECT_EQ(root->frame(), rest);
        for (auto [field, lift] : { std::pair { preset->meNick(), c.own }, std::pair { preset->nickText(), c.other },
                 std::pair { preset->unReadNum(), c.own } }) {
            tapView(field);
            ASSERT_TRUE(field->isFirstResponder());
            EXPECT_EQ(root->frame(), (Rect { 0, -lift, rest.width(), rest.height() }));
            settle(0.5);
            field->insertText(u"\n"); // Done
            EXPECT_FALSE(field->isFirstResponder());
            EXPECT_EQ(root->frame(), rest);
            settle(0.5);
        }
    }
}
