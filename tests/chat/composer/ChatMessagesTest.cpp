#include "ChatScreenTest.h"

#include "chat/store/HLObjectValue.h"
#include "platform/store/SettingsStore.h"
#include "render/RIRouterEvents.h"
#include "ui/Keyboard.h"

using namespace ui;

TEST_F(ChatScreenTest, TextsOfBothSidesCarryTheCommonFields)
{
    open(1);
    send(u"你好");
    chooseItem(0);
    EXPECT_TRUE(chat->isSend());
    send(u"在吗[微笑]");
    advance(3);
    chooseItem(1); // a new hint is not cut short by the fade of the one before
    advance(2.5);
    EXPECT_FALSE(chat->tipLabel()->isHidden());
    EXPECT_EQ(chat->tipLabel()->text(), "现在为对方说话状态，点键盘+号切换状态");

    auto list = rows();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(texts(list), (std::vector<std::u16string> { u"你好", u"在吗[微笑]" }));
    EXPECT_FALSE(list[0]->isSend()) << "switching sides changes nothing already said";
    EXPECT_TRUE(list[1]->isSend());
    for (auto& row : list) {
        EXPECT_EQ(row->type(), QYChatModel::Text);
        EXPECT_EQ(row->styleType(), 1);
        EXPECT_NEAR(row->creatDate()->secondsSince1970(), clock->now(), 10);
    }
    EXPECT_EQ(coding::text(list[0]->nickName()), u"小明");
    EXPECT_EQ(coding::text(list[1]->nickName()), u"我自己");
    EXPECT_EQ(list[0]->avatar()->bytes(), heAvatar->jpegData(1.0));
    EXPECT_EQ(list[1]->avatar()->bytes(), meAvatar->jpegData(1.0));
}

TEST_F(ChatScreenTest, TimeStampsAfterMoreThanAMinuteAndAgainAfterReopening)
{
    open(1);
    send(u"一");
    advance(30);
    send(u"二");
    advance(60);
    send(u"三"); // exactly a minute after the previous one
    advance(61);
    send(u"四");
    std::vector<bool> shown;
    for (auto& row : rows())
        shown.push_back(row->isShowDateTime());
    EXPECT_EQ(shown, (std::vector<bool> { true, false, false, true }));

    pressBack();
    open(1);
    send(u"五");
    EXPECT_TRUE(rows().back()->isShowDateTime());
}

TEST_F(ChatScreenTest, DeleteKeyTakesWholeCodesAndWholeCharacters)
{
    open(1);
    const std::pair<std::u16string, std::u16string> cases[] = {
        { u"abc[微笑]", u"abc" }, { u"[a]", u"" }, { u"ab]", u"ab]" }, { u"]", u"]" }, { u"abc", u"ab" },
        { u"", u"" }, { u"好😀", u"好" }, { u"x[1234]", u"x[1234]" }, { u"[[b]", u"[" },
    };
    auto field = chat->toolBar()->msgTextView();
    for (const auto& [before, after] : cases) {
        field->setText(before);
        tapFaceKey(23);
        EXPECT_EQ(field->text(), after) << ui::toUtf8(before);
    }
}

TEST_F(ChatScreenTest, EmojiKeysGrowTheTextRowAndTheEmojiSendButtonShrinksIt)
{
    open(2);
    auto bar = chat->toolBar();
    for (int i = 0; i < 40; ++i)
        tapFaceKey(i % 20);
    settle();
    std::u16string typed = bar->msgTextView()->text();
    EXPECT_GT(bar->msgTextView()->frame().height(), GXMessageToolBar::kTextRowHeight);
    EXPECT_DOUBLE_EQ(chat->baseTableView()->frame().height(), chat->view()->bounds().height() - bar->frame().height());
    // The end of the text is in view.
    auto field = bar->msgTextView();
    EXPECT_NEAR(field->contentOffset().y + field->bounds().height(), field->contentSize().height, 16);

    tapView(*bar->faceViewManager()->sectionBar()->sendButton());
    tapView(*bar->faceViewManager()->sectionBar()->sendButton());
    settle();
    EXPECT_EQ(field->text(), u"");
    EXPECT_DOUBLE_EQ(field->frame().height(), GXMessageToolBar::kTextRowHeight);
    EXPECT_DOUBLE_EQ(chat->baseTableView()->frame().height(), chat->view()->bounds().height() - bar->frame().height());
    EXPECT_EQ(texts(rows()), (std::vector<std::u16string> { typed, u"" })) << "an empty text is a message too";
}

TEST_F(ChatScreenTest, ListFollowsTheToolbarAndATapOnItClosesKeyboardAndPanels)
{
    open(1);
    for (int i = 0; i < 12; ++i)
        send(u"消息");
    settle();
    auto list = chat->baseTableView();
    double height = chat->view()->bounds().height();
    auto lastRowAtBottom = [&] {
        return std::abs(list->contentOffset().y + list->bounds().height() - list->rectForRow(IndexPath::forRow(11)).maxY()) < 0.5;
    };
    EXPECT_DOUBLE_EQ(list->frame().height(), height - 50 - Keyboard::kHeight);
    EXPECT_TRUE(lastRowAtBottom());
    tapView(*list);
    settle();
    EXPECT_FALSE(Keyboard::shared().isVisible());
    EXPECT_DOUBLE_EQ(list->frame().height(), height - 50);
    EXPECT_TRUE(lastRowAtBottom());
    tapView(*chat->toolBar()->moreButton());
    settle();
    EXPECT_DOUBLE_EQ(list->frame().height(), height - 50 - 210);
    tapView(*list);
    settle();
    EXPECT_EQ(list->frame(), (Rect { 0, 0, 375, height - 50 }));
}

TEST_F(ChatScreenTest, RecallingTheSecondOfThreeAppendsANoticeAtTheEnd)
{
    open(1);
    send(u"一");
    chooseItem(0);
    send(u"二");
    chooseItem(1);
    send(u"三");
    chooseFromRowMenu(1, "撤回");
    auto list = rows();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(texts({ list[0], list[1] }), (std::vector<std::u16string> { u"一", u"三" }));
    EXPECT_EQ(list[2]->type(), QYChatModel::RecallNotice);
    EXPECT_TRUE(list[2]->isMeRevoke());
    EXPECT_FALSE(list[2]->isSend()) << "the switch, not the recalled message";
    EXPECT_EQ(coding::text(list[2]->heNickName()), u"我自己");
    EXPECT_FALSE(list[2]->isShowDateTime());
    EXPECT_EQ(list[2]->styleType(), 1);

    chooseFromRowMenu(0, "撤回");
    EXPECT_FALSE(rows()[2]->isMeRevoke());
    EXPECT_EQ(coding::text(rows()[2]->heNickName()), u"小明");
}

TEST_F(ChatScreenTest, ClearingIsStoredByTheBackButtonOnlyNotByTheEdgeSwipe)
{
    open(1);
    send(u"一");
    send(u"二");
    pressBack();
    auto saved = platform::SettingsStore::standard().get("CHAT");

    open(1);
    chooseItem(6);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(chat->baseTableView()->numberOfRows(), 0);
    send(u"三");
    swipeBack();
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    EXPECT_EQ(platform::SettingsStore::standard().get("CHAT"), saved);

    open(1);
    EXPECT_EQ(texts(rows()), (std::vector<std::u16string> { u"一", u"二" }));
    chooseItem(6);
    pressBack();
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    auto collection = HLObjectValue::hl_objectWithKey<coding::Collection>("CHAT");
    ASSERT_TRUE(collection);
    EXPECT_EQ(collection->count(), 0u);
}

TEST_F(ChatScreenTest, TheBackButtonStoresTitleAndAvatarsAtTheLowestQuality)
{
    open(2, [](QYChatViewController& c) { c.setMeAvatar(nullptr); });
    pressBack();
    auto fresh = ChatStore::loadUser(2);
    ASSERT_TRUE(fresh);
    EXPECT_EQ(coding::text(fresh->heNick()), u"小明");
    EXPECT_FALSE(fresh->meAvatar()) << "no picture, no data";
    EXPECT_FALSE(ChatStore::loadUser(1));

    // What the preset form saved keeps its other fields.
    auto preset = QYUserModel::make();
    preset->setMeNick(coding::String::make("我"));
    preset->setNoReadNum(coding::String::make("3"));
    ChatStore::saveUser(1, preset);
    open(1);
    chat->nickText()->setText(std::string_view("新名字"));
    pressBack();
    auto user = ChatStore::loadUser(1);
    ASSERT_TRUE(user && user->meAvatar() && user->heAvatar());
    EXPECT_EQ(coding::text(user->heNick()), u"新名字");
    EXPECT_EQ(coding::text(user->meNick()), u"我");
    EXPECT_EQ(coding::text(user->noReadNum()), u"3");
    EXPECT_EQ(user->meAvatar()->bytes(), meAvatar->jpegData(0.001));
    EXPECT_EQ(user->heAvatar()->bytes(), heAvatar->jpegData(0.001));
    EXPECT_EQ(Image::fromData(user->heAvatar()->bytes())->pixelWidth(), 80);
}

TEST_F(ChatScreenTest, TheTwoStylesNeverShareData)
{
    open(1);
    send(u"微信的");
    pressBack();
    open(2);
    EXPECT_TRUE(rows().empty());
    send(u"支付宝的");
    pressBack();
    EXPECT_EQ(texts(stored(1)), (std::vector<std::u16string> { u"微信的" }));
    EXPECT_EQ(texts(stored(2)), (std::vector<std::u16string> { u"支付宝的" }));
    EXPECT_EQ(stored(1)[0]->styleType(), 1);
    EXPECT_EQ(stored(2)[0]->styleType(), 2);
}

TEST_F(ChatScreenTest, ReopeningShowsTheStoredRowsWithTheLastOneAboveTheToolbar)
{
    // A fixed list with a row of an unknown kind, as another writer might store it.
    auto odd = QYChatModel::make();
    odd->setType(9);
    hl_setObjectWithKey(coding::Collection::array({ odd }), "CHAT");
    open(1);
    for (int i = 0; i < 20; ++i)
        send(u"第" + ui::toUtf16(std::to_string(i)) + u"条");
    pressBack();
    open(1);
    auto list = chat->baseTableView();
    ASSERT_EQ(list->numberOfRows(), 21);
    EXPECT_EQ(rows()[0]->type(), 9);
    EXPECT_NEAR(list->contentOffset().y + list->bounds().height(), list->rectForRow(IndexPath::forRow(20)).maxY(), 0.5);
    EXPECT_DOUBLE_EQ(list->frameInScreen().maxY(), chat->toolBar()->frameInScreen().y());
    // One speaker's rows share their avatar and nickname data.
    EXPECT_EQ(rows()[1]->avatar(), rows()[2]->avatar());
    EXPECT_EQ(rows()[1]->nickName(), rows()[2]->nickName());

    // Unreadable data opens an empty chat that works as usual.
    const std::vector<std::uint8_t> garbage = { 'x', 'y' };
    platform::SettingsStore::standard().set("CHAT", garbage);
    platform::SettingsStore::standard().set("USERMODEL", garbage);
    open(1);
    EXPECT_TRUE(rows().empty());
    EXPECT_FALSE(chat->userModel());
    send(u"照样能发");
    EXPECT_EQ(rows().size(), 1u);
}

TEST_F(ChatScreenTest, MoneyItemsAndTapsChangeNothingYet)
{
    open(1);
    send(u"点我");
    UserInfo info;
    info[KMESSAGEKEY] = rows()[0];
    chat->bubbleViewPressed(kRIVideoBubbleViewTapVideoEventName, info);
    chat->bubbleViewPressed(kRITextBubbleViewTapTextEventName, info);
    chooseItem(4);
    settle();
    EXPECT_FALSE(chat->toolBar()->isShowBottomView()) << "the panel closes";
    chooseItem(5);
    chat->didSelectItemWithIndex(7);
    settle();
    EXPECT_FALSE(chat->presentedViewController());
    EXPECT_EQ(navigation->viewControllers().size(), 2u);
    EXPECT_EQ(rows().size(), 1u);
}
