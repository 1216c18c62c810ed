#include "support/PhoneTest.h"

#include "shell/scene/TreeDump.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

using namespace ui;
using shell::TreeDump;

class TreeDumpTest : public PhoneTest { };

TEST_F(TreeDumpTest, ListsWindowsWithNestedViewsInWindowCoordinates)
{
    auto window = std::make_shared<Window>(Screen::main().bounds());
    auto panel = std::make_shared<View>(Rect { 10, 100, 300, 200 });
    panel->setTag(5);
    panel->setAlpha(0.5);
    auto label = std::make_shared<Label>(Rect { 20, 30, 100, 20 });
    label->setText(std::string("昵称"));
    auto picture = std::make_shared<ImageView>(Rect { 0, 0, 40, 40 });
    picture->setImage(Image::named("QYAvatar.png"));
    picture->setHidden(true);
    panel->addSubview(label);
    panel->addSubview(picture);
    window->addSubview(panel);
    window->makeKeyAndVisible();

    auto dump = TreeDump::screen();
    EXPECT_EQ(dump["device"], "iphone6");
    EXPECT_EQ(dump["size"], TreeDump::Json::array({ 375, 667 }));
    EXPECT_EQ(dump["scale"], 2);
    ASSERT_EQ(dump["windows"].size(), 1u);

    auto& root = dump["windows"][0];
    EXPECT_EQ(root["class"], "UIWindow");
    EXPECT_EQ(root["frame"], TreeDump::Json::array({ 0, 0, 375, 667 }));
    auto& panelNode = root["children"][0];
    EXPECT_EQ(panelNode["tag"], 5);
    EXPECT_EQ(panelNode["alpha"], 0.5);
    EXPECT_FALSE(panelNode.contains("text"));
    EXPECT_FALSE(panelNode.contains("image"));

    auto& labelNode = panelNode["children"][0];
    EXPECT_EQ(labelNode["class"], "UILabel");
    // (20, 30) inside a panel at (10, 100).
    EXPECT_EQ(labelNode["frame"], TreeDump::Json::array({ 30, 130, 100, 20 }));
    EXPECT_EQ(labelNode["text"], "昵称");
    EXPECT_TRUE(labelNode["children"].empty());

    // Hidden views stay in the dump, marked, so their state can be inspected.
    auto& pictureNode = panelNode["children"][1];
    EXPECT_EQ(pictureNode["hidden"], true);
    EXPECT_EQ(pictureNode["image"], "QYAvatar.png");

    // Keys in a fixed order, so dumps of two runs compare as text.
    std::vector<std::string> keys;
    for (auto& [key, value] : labelNode.items())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string> { "class", "frame", "alpha", "hidden", "tag", "text", "children" }));
}

TEST_F(TreeDumpTest, ButtonsShowTheirTitleAndTransformedViewsTheirDrawnFrame)
{
    auto window = std::make_shared<Window>(Screen::main().bounds());
    auto button = Button::make(Button::Type::System);
    button->setFrame({ 100, 100, 100, 40 });
    button->setTitle(std::string("发送"));
    button->setTransform(AffineTransform::scale(2, 2));
    window->addSubview(button);
    window->makeKeyAndVisible();

    auto node = TreeDump::screen()["windows"][0]["children"][0];
    EXPECT_EQ(node["text"], "发送");
    EXPECT_EQ(node["frame"], TreeDump::Json::array({ 50, 80, 200, 80 }));
}
