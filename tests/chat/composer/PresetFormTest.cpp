// The preset form: its layout on every phone, what it shows and stores, what it
// hands to the chat screen, and how it moves out of the keyboard's way.
#include "PresetTestSupport.h"

using namespace ui;

namespace {

std::shared_ptr<Label> labelWithText(View& group, const std::string& text)
{
    for (auto& sub : group.subviews()) {
        auto label = std::dynamic_pointer_cast<Label>(sub);
        if (label && label->text() == text)
            return label;
    }
    return nullptr;
}

std::vector<std::shared_ptr<ImageView>> arrowsIn(View& group)
{
    std::vector<std::shared_ptr<ImageView>> arrows;
    for (auto& sub : group.subviews()) {
        auto image = std::dynamic_pointer_cast<ImageView>(sub);
        if (image && image->image() && image->image()->name() == "PubuArrow_2.png")
            arrows.push_back(image);
    }
    return arrows;
}

} // namespace

TEST_F(PresetTest, FormGeometryOnEveryPhone)
{
    for (const char* device : { "iphone4", "iphone5", "iphone6", "iphone6plus" }) {
        SCOPED_TRACE(device);
        launch(device);
        auto preset = open(1);
        ASSERT_TRUE(preset);
        Size screen = Screen::main().size();
        double w = screen.width;
        EXPECT_EQ(preset->title(), "设置信息");
        EXPECT_EQ(navigation->navigationBar()->titleLabel()->text(), "设置信息");
        EXPECT_EQ(preset->view()->backgroundColor(), Color::rgb(230, 230, 230));
        EXPECT_EQ(preset->view()->frame(), (Rect { 0, 64, w, screen.height - 64 }));
        EXPECT_EQ(preset->scrollView()->frame(), preset->view()->bounds());

        // Four white groups 15 points apart, the start button 15 below the last.
        const std::vector<Rect> expected { { 0, 15, w, 110 }, { 0, 140, w, 110 }, { 0, 265, w, 55 }, { 0, 335, w, 55 } };
        ASSERT_EQ(preset->groups().size(), 4u);
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(preset->groups()[i]->frame(), expected[i]) << "group " << i + 1;
            EXPECT_EQ(preset->groups()[i]->backgroundColor(), Color::whiteColor());
        }
        auto start = preset->startBtn();
        EXPECT_EQ(start->frame(), (Rect { 0, 405, w, 50 }));
        EXPECT_EQ(start->backgroundColor(), Color::rgb(63, 184, 56));
        EXPECT_EQ(start->cornerRadius(), 4);
        EXPECT_EQ(start->currentTitle(), "开始");
        EXPECT_EQ(preset->contentView()->frame(), (Rect { 0, 0, w, 455 + 48 }));
        EXPECT_EQ(preset->scrollView()->contentSize(), (Size { w, 503 }));

        // The empty banner strip sits on the bottom edge, in front of the form.
        EXPECT_EQ(onScreen(preset->bannerView()), (Rect { 0, screen.height - 48, w, 48 }));
        EXPECT_EQ(preset->view()->subviews().back(), preset->bannerView());
        EXPECT_EQ(preset->bannerView()->className(), "AdBannerView");

        // Rows: labels, arrows 14 in from the right, controls 8 left of them.
        struct Row {
            size_t group;
            const char* text;
            double labelY; // NaN: centred in the group
            std::shared_ptr<View> control;
            Size size;
        };
        double nan = std::nan("");
        const std::vector<Row> rows {
            { 0, "自己的头像", 20, preset->meImageView(), { 42, 42 } },
            { 0, "自己的昵称", 55.5 + 20, preset->meNick(), { 210, 0 } },
            { 1, "对方的头像", 20, preset->heImageView(), { 42, 42 } },
            { 1, "对方的昵称", 55.5 + 20, preset->nickText(), { 210, 0 } },
            { 2, "聊天背景", nan, preset->backImageView(), { 42, 42 } },
            { 3, "未读条数", nan, preset->unReadNum(), { 210, 0 } },
        };
        for (auto& row : rows) {
            SCOPED_TRACE(row.text);
            auto& group = *preset->groups()[row.group];
            auto label = labelWithText(group, row.text);
            ASSERT_TRUE(label);
            EXPECT_EQ(label->x(), 15);
            if (std::isnan(row.labelY)) {
                EXPECT_DOUBLE_EQ(label->centerY(), group.height() / 2);
            } else {
                EXPECT_DOUBLE_EQ(label->y(), row.labelY);
            }
            EXPECT_EQ(label->font(), Font::system(17));
            EXPECT_EQ(label->textColor(), Color::rgb(55, 55, 55));
            std::shared_ptr<ImageView> arrow;
            for (auto& candidate : arrowsIn(group)) {
                if (candidate->centerY() == label->centerY())
                    arrow = candidate;
            }
            ASSERT_TRUE(arrow) << "an arrow centred on the label";
            EXPECT_EQ(arrow->size(), Image::named("PubuArrow_2.png")->size());
            EXPECT_DOUBLE_EQ(arrow->frame().maxX(), w - 14);
            ASSERT_EQ(row.control->superview(), &group);
            EXPECT_DOUBLE_EQ(row.control->frame().maxX(), arrow->x() - 8);
            EXPECT_DOUBLE_EQ(row.control->centerY(), label->centerY());
            EXPECT_EQ(row.control->width(), row.size.width);
            if (row.size.height > 0) {
                EXPECT_EQ(row.control->height(), row.size.height);
            }
        }
        // The two-row groups are split at their centre by a grey line inset 10.
        for (size_t i : { 0, 1 }) {
            bool found = false;
            for (auto& sub : preset->groups()[i]->subviews()) {
                if (sub->frame() == Rect { 10, 54.5, w - 20, 1 } && sub->backgroundColor() == Color::rgb(230, 230, 230))
                    found = true;
            }
            EXPECT_TRUE(found) << "divider of group " << i + 1;
        }
        for (auto& preview : { preset->meImageView(), preset->heImageView(), preset->backImageView() }) {
            EXPECT_EQ(preview->contentMode(), ContentMode::ScaleAspectFill);
            EXPECT_TRUE(preview->clipsToBounds());
            EXPECT_EQ(preview->backgroundColor(), Color::rgb(255, 255, 0));
        }
        // "默认" stands where the background preview ends.
        EXPECT_DOUBLE_EQ(preset->defaLable()->frame().maxX(), preset->backImageView()->frame().maxX());
        EXPECT_DOUBLE_EQ(preset->defaLable()->centerY(), preset->backImageView()->centerY());
        for (auto& field : { preset->meNick(), preset->nickText(), preset->unReadNum() }) {
            EXPECT_EQ(field->textAlignment(), TextAlignment::Right);
            EXPECT_EQ(field->returnKeyType, ReturnKeyType::Done);
        }
        EXPECT_EQ(preset->meNick()->placeholder(), "昵称");
        EXPECT_EQ(preset->nickText()->placeholder(), "昵称");
        EXPECT_EQ(preset->unReadNum()->placeholder(), "0");
        EXPECT_EQ(preset->meNick()->keyboardType, KeyboardType::Default);
        EXPECT_EQ(preset->unReadNum()->keyboardType, KeyboardType::NumberPad);
    }
}

TEST_F(PresetTest, FirstUseShowsDefaultsAndStartStoresTheDefaultAvatars)
{
    launch();
    for (int type : { 1, 2 }) {
        SCOPED_TRACE(type);
        auto preset = open(type);
        ASSERT_TRUE(preset);
        EXPECT_EQ(preset->type(), type);
        EXPECT_EQ(preset->model(), nullptr);
        EXPECT_EQ(preset->meImageView()->image()->name(), "QYAvatar.png");
        EXPECT_EQ(preset->heImageView()->image()->name(), "QYAvatar.png");
        EXPECT_FALSE(preset->defaLable()->isHidden());
        EXPECT_EQ(preset->defaLable()->text(), "默认");
        EXPECT_TRUE(preset->backImageView()->isHidden());
        EXPECT_EQ(preset->backImageView()->image(), nullptr);
        for (auto& field : { preset->meNick(), preset->nickText(), preset->unReadNum() })
            EXPECT_TRUE(field->text().empty());

        tapView(preset->startBtn());
        auto chat = chatScreen();
        ASSERT_TRUE(chat);
        EXPECT_EQ(chat->type(), type);
        EXPECT_EQ(chat->meAvatar(), preset->meImageView()->image());
        EXPECT_EQ(chat->heAvatar(), preset->heImageView()->image());
        EXPECT_EQ(chat->backImage(), nullptr);
        EXPECT_EQ(chat->meNicek(), "");
        EXPECT_EQ(chat->heNick(), "");
        EXPECT_EQ(chat->unReadNum(), std::nullopt);
        // The chat screen's back button says where it leads.
        ASSERT_TRUE(preset->navigationItem().backBarButtonItem);
        EXPECT_EQ(preset->navigationItem().backBarButtonItem->title, "微信");

        auto model = stored(type == 1 ? "USERMODEL" : "USERMODELALI");
        ASSERT_TRUE(model);
        auto avatar = Image::named("QYAvatar.png")->jpegData(1.0);
        EXPECT_EQ(bytesOf(model->meAvatar()), avatar);
        EXPECT_EQ(bytesOf(model->heAvatar()), avatar);
        EXPECT_EQ(model->backGroundImage(), nullptr);
        EXPECT_EQ(coding::text(model->meNick()), u"");
        EXPECT_EQ(coding::text(model->heNick()), u"");
        ASSERT_TRUE(model->noReadNum());
        EXPECT_EQ(model->noReadNum()->utf8(), "");
        advance(1);
        navigation->popToRootViewController(false);
        advance(1);
    }
}

TEST_F(PresetTest, UnreadCountIsHandedOverOnlyFromOneUpAndExactlyAsTyped)
{
    launch();
    const std::vector<std::pair<std::u16string, std::optional<std::string>>> cases {
        { u"0", std::nullopt },
        { u"", std::nullopt },
        { u"abc", std::nullopt },
        { u"-3", std::nullopt },
        { u"5", "5" },
        { u" 12", " 12" },
        { u"99999999999999999999", "99999999999999999999" },
    };
    for (auto& [typed, handed] : cases) {
        SCOPED_TRACE(coding::String::fromUtf16(typed)->utf8());
        auto preset = open(1);
        ASSERT_TRUE(preset);
        typeInto(preset->unReadNum(), typed);
        tapView(preset->startBtn());
        auto chat = chatScreen();
        ASSERT_TRUE(chat);
        EXPECT_EQ(chat->unReadNum(), handed);
        EXPECT_EQ(coding::text(stored("USERMODEL")->noReadNum()), typed) << "stored as typed";
        advance(1);
        navigation->popToRootViewController(false);
        advance(1);
    }
}

TEST_F(PresetTest, TypedNamesAreSavedOnStartAndShownWhenTheFormAppearsAgain)
{
    launch();
    auto preset = open(1);
    typeInto(preset->meNick(), u"小红");
    typeInto(preset->nickText(), u"小明😀");
    typeInto(preset->unReadNum(), u"7");
    tapView(preset->startBtn());
    auto chat = chatScreen();
    ASSERT_TRUE(chat);
    EXPECT_EQ(chat->meNicek(), "小红");
    EXPECT_EQ(chat->heNick(), "小明😀");
    EXPECT_EQ(chat->unReadNum(), "7");
    auto model = stored("USERMODEL");
    ASSERT_TRUE(model);
    EXPECT_EQ(coding::text(model->meNick()), u"小红");
    EXPECT_EQ(coding::text(model->heNick()), u"小明😀");

    // What the chat screen stores is shown when the form appears again.
    model->setHeNick(coding::String::make("新标题"));
    model->setNoReadNum(nullptr);
    hl_setObjectWithKey(model, "USERMODEL");
    advance(1);
    navigation->popViewController(false);
    advance(1);
    EXPECT_EQ(preset->nickText()->utf8Text(), "新标题");
    EXPECT_EQ(preset->meNick()->utf8Text(), "小红");
    EXPECT_TRUE(preset->unReadNum()->text().empty()) << "a missing count empties the field";

    // Typed text not yet saved is dropped by leaving with the back button.
    typeInto(preset->meNick(), u"没保存");
    goBack();
    preset = open(1);
    EXPECT_EQ(preset->meNick()->utf8Text(), "小红");
}

TEST_F(PresetTest, TheTwoChatTypesNeverShareValues)
{
    launch();
    auto messenger = open(1);
    typeInto(messenger->meNick(), u"微信我");
    typeInto(messenger->unReadNum(), u"3");
    tapView(messenger->startBtn());
    advance(1);
    navigation->popToRootViewController(false);
    advance(1);

    auto payment = open(2);
    EXPECT_TRUE(payment->meNick()->text().empty()) << "nothing of the messenger form";
    EXPECT_TRUE(payment->unReadNum()->text().empty());
    typeInto(payment->meNick(), u"支付宝我");
    tapView(payment->startBtn());
    advance(1);
    navigation->popToRootViewController(false);
    advance(1);

    EXPECT_EQ(coding::text(stored("USERMODEL")->meNick()), u"微信我");
    EXPECT_EQ(coding::text(stored("USERMODEL")->noReadNum()), u"3");
    EXPECT_EQ(coding::text(stored("USERMODELALI")->meNick()), u"支付宝我");
    EXPECT_EQ(coding::text(stored("USERMODELALI")->noReadNum()), u"");
    EXPECT_EQ(open(1)->meNick()->utf8Text(), "微信我");
}

TEST_F(PresetTest, ASecondTapOnStartWhileTheChatSlidesInOpensNothingMore)
{
    launch();
    auto preset = open(1);
    tapView(preset->startBtn());
    preset->startChat(*preset->startBtn()); // the chat screen is still sliding in
    advance(1);
    EXPECT_EQ(navigation->viewControllers().size(), 3u);
    preset->startChat(*preset->startBtn()); // covered by the chat screen
    EXPECT_EQ(navigation->viewControllers().size(), 3u);
}

TEST_F(PresetTest, DamagedStoredPicturesLeaveTheDefaultsInPlace)
{
    launch();
    auto model = QYUserModel::make();
    model->setMeAvatar(coding::Data::make({ 0xFF, 0xD8, 0x00, 0x01 }));
    model->setHeAvatar(coding::Data::make({}));
    model->setBackGroundImage(coding::Data::make({ 'n', 'o', 'p', 'e' }));
    model->setHeNick(coding::String::make("小明"));
    hl_setObjectWithKey(model, "USERMODEL");
    auto preset = open(1);
    EXPECT_EQ(preset->meImageView()->image()->name(), "QYAvatar.png");
    EXPECT_EQ(preset->heImageView()->image()->name(), "QYAvatar.png");
    EXPECT_TRUE(preset->backImageView()->isHidden());
    EXPECT_FALSE(preset->defaLable()->isHidden());
    EXPECT_EQ(preset->nickText()->utf8Text(), "小明");
    EXPECT_EQ(preset->meNick()->utf8Text(), "") << "a nil name empties the field";
}

TEST_F(PresetTest, EditingLiftsTheFormOutOfTheKeyboardsWay)
{
    struct Case {
        const char* device;
        double meNick, nickText, unReadNum;
    };
    // lift = start button bottom (455) − (view height − 216) − 50; the other
    // nickname lifts 60 on the 480-point phone.
    for (const Case& c : { Case { "iphone4", 205, 60, 205 }, Case { "iphone5", 117, 117, 117 }, Case { "iphone6", 18, 18, 18 },
             Case { "iphone6plus", -51, -51, -51 } }) {
        SCOPED_TRACE(c.device);
        launch(c.device);
        auto preset = open(1);
        auto root = preset->view();
        double height = root->height();
        for (auto [field, lift] : { std::pair { preset->meNick(), c.meNick }, std::pair { preset->nickText(), c.nickText },
                 std::pair { preset->unReadNum(), c.unReadNum } }) {
            tapView(field);
            ASSERT_TRUE(field->isFirstResponder());
            EXPECT_EQ(root->frame(), (Rect { 0, -lift, Screen::main().size().width, height }));
            EXPECT_TRUE(root->isAnimating());
            advance(0.31);
            EXPECT_FALSE(root->isAnimating()) << "0.3 seconds";
            // Done ends editing and brings the form back to rest.
            field->insertText(u"\n");
            EXPECT_FALSE(field->isFirstResponder());
            EXPECT_EQ(root->frame(), (Rect { 0, 64, Screen::main().size().width, height }));
            EXPECT_EQ(root->frame(), navigation->contentFrame()) << "where the navigation stack puts it";
            advance(0.5);
        }
    }
}

TEST_F(PresetTest, TapsBesideTheFieldsPutTheKeyboardAway)
{
    // On the small phone the lifted form brings the banner strip above the keyboard.
    launch("iphone4");
    auto preset = open(1);
    auto root = preset->view();
    auto rest = root->frame();

    // A tap on a row's label is a tap on the scrolling form.
    tapView(preset->unReadNum());
    advance(0.5);
    ASSERT_NE(root->frame(), rest);
    tapView(labelWithText(*preset->groups()[3], "未读条数"));
    EXPECT_FALSE(preset->unReadNum()->isFirstResponder());
    EXPECT_EQ(root->frame(), rest);
    advance(0.5);
    EXPECT_FALSE(Keyboard::shared().isVisible());

    // A touch ending on the view itself: the banner strip is part of it.
    tapView(preset->unReadNum());
    advance(0.5);
    ASSERT_NE(root->frame(), rest);
    ASSERT_LT(onScreen(preset->bannerView()).maxY(), Keyboard::shared().frame().y());
    tapView(preset->bannerView());
    EXPECT_FALSE(preset->unReadNum()->isFirstResponder());
    EXPECT_EQ(root->frame(), rest);
    advance(0.5);

    // Going from one field to the next keeps the keyboard up.
    launch("iphone6");
    preset = open(1);
    tapView(preset->meNick());
    advance(0.5);
    tapView(preset->nickText());
    EXPECT_TRUE(preset->nickText()->isFirstResponder());
    EXPECT_TRUE(Keyboard::shared().isVisible());
}
