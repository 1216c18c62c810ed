#include "ChatScreenTest.h"

#include "platform/store/SettingsStore.h"
#include "render/QYSystemTableViewCell.h"
#include "render/RIRingTabelViewCell.h"
#include "render/RIRouterEvents.h"
#include "ui/Keyboard.h"

using namespace ui;

TEST_F(ChatScreenTest, TextsFromBothSidesCarryTheCommonFields)
{
    open(1);
    double start = clock->now();
    send(u"你好");
    speakAsMe();
    EXPECT_TRUE(chat->isSend());
    EXPECT_EQ(chat->tipLabel()->text(), "现在为自己说话状态，点键盘+号切换状态");
    send(u"在吗[微笑]");
    speakAsOther();
    EXPECT_FALSE(chat->isSend());
    EXPECT_EQ(chat->tipLabel()->text(), "现在为对方说话状态，点键盘+号切换状态");

    auto list = rows();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(texts(list), (std::vector<std::u16string> { u"你好", u"在吗[微笑]" }));
    EXPECT_FALSE(list[0]->isSend());
    EXPECT_TRUE(list[1]->isSend());
    for (auto& row : list) {
        EXPECT_EQ(row->type(), QYChatModel::Text);
        EXPECT_EQ(row->styleType(), 1);
        ASSERT_TRUE(row->creatDate());
        EXPECT_NEAR(row->creatDate()->secondsSince1970(), start, 5);
        EXPECT_FALSE(row->image());
        EXPECT_FALSE(row->sendAvatar());
    }
    EXPECT_EQ(coding::text(list[0]->nickName()), u"小明");
    EXPECT_EQ(coding::text(list[1]->nickName()), u"我自己");
    EXPECT_EQ(list[0]->avatar()->bytes(), heAvatar->jpegData(1.0));
    EXPECT_EQ(list[1]->avatar()->bytes(), meAvatar->jpegData(1.0));
    // Switching sides changes nothing already said.
    EXPECT_FALSE(list[0]->isSend());

    // Rows are on screen with their sides, the newest at the bottom, above the toolbar.
    EXPECT_EQ(chat->baseTableView()->numberOfRows(), 2);
    auto last = chat->baseTableView()->cellForRow(IndexPath::forRow(1));
    ASSERT_TRUE(last);
    EXPECT_LE(last->frameInScreen().maxY(), chat->toolBar()->frameInScreen().y() + 0.5);
}

TEST_F(ChatScreenTest, TimeStampsAfterMoreThanAMinuteAndAgainAfterReopening)
{
    open(1);
    send(u"一");
    advance(30);
    send(u"二");
    advance(60);
    send(u"三"); // exactly a minute after the previous message
    advance(61);
    send(u"四");
    auto list = rows();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_TRUE(list[0]->isShowDateTime());
    EXPECT_FALSE(list[1]->isShowDateTime());
    EXPECT_FALSE(list[2]->isShowDateTime());
    EXPECT_TRUE(list[3]->isShowDateTime());
    // The stamp row makes the row taller.
    auto table = chat->baseTableView();
    EXPECT_GT(table->rectForRow(IndexPath::forRow(0)).height(), table->rectForRow(IndexPath::forRow(1)).height());

    pressBack();
    open(1);
    EXPECT_EQ(rows().size(), 4u);
    advance(1);
    send(u"五");
    ASSERT_EQ(rows().size(), 5u);
    EXPECT_TRUE(rows()[4]->isShowDateTime()) << "the rule starts afresh with every opening";
}

TEST_F(ChatScreenTest, EmptyTextFromTheEmojiSendButtonMakesAnEmptyMessage)
{
    open(2);
    tapFaceKey(0, 0);
    tapFaceKey(0, 1);
    std::u16string typed = chat->toolBar()->msgTextView()->text();
    EXPECT_FALSE(typed.empty());
    tapView(*chat->toolBar()->faceViewManager()->sectionBar()->sendButton());
    EXPECT_EQ(chat->toolBar()->msgTextView()->text(), u"");
    tapView(*chat->toolBar()->faceViewManager()->sectionBar()->sendButton());
    auto list = rows();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(coding::text(list[0]->context()), typed);
    ASSERT_TRUE(list[1]->context());
    EXPECT_EQ(coding::text(list[1]->context()), u"");
    EXPECT_EQ(list[1]->styleType(), 2);
}

TEST_F(ChatScreenTest, DeleteKeyTakesWholeCodesAndWholeCharacters)
{
    open(1);
    struct Case {
        std::u16string before, after;
    };
    const Case cases[] = {
        { u"abc[微笑]", u"abc" },
        { u"[a]", u"" },
        { u"ab]", u"ab]" },
        { u"]", u"]" },
        { u"abc", u"ab" },
        { u"", u"" },
        { u"好😀", u"好" },
        { u"[哈哈哈]", u"" },
        { u"x[1234]", u"x[1234]" }, // six units is longer than any code
        { u"a😀]", u"a😀]" },
    };
    auto field = chat->toolBar()->msgTextView();
    for (const auto& c : cases) {
        field->setText(c.before);
        tapDeleteKey();
        EXPECT_EQ(field->text(), c.after) << ui::toUtf8(c.before);
    }
}

TEST_F(ChatScreenTest, EmojiKeysGrowTheToolbarAndKeepTheEndOfTheTextInView)
{
    open(1);
    auto bar = chat->toolBar();
    auto field = bar->msgTextView();
    tapFaceKey(0, 0);
    std::u16string code = field->text();
    ASSERT_FALSE(code.empty());
    double panelHeight = bar->frame().height();
    for (int i = 0; i < 40; ++i)
        tapFaceKey(0, i % 20);
    settle();
    EXPECT_GT(bar->frame().height(), panelHeight) << "the text row grew";
    EXPECT_DOUBLE_EQ(bar->frame().maxY(), chat->view()->bounds().height());
    EXPECT_DOUBLE_EQ(chat->baseTableView()->frame().height(), chat->view()->bounds().height() - bar->frame().height());
    // The caret end of the text is what the field shows.
    EXPECT_NEAR(field->contentOffset().y + field->bounds().height(), field->contentSize().height, 16);

    // Deleting everything shrinks the row back.
    for (int i = 0; i < 41; ++i)
        tapDeleteKey();
    settle();
    EXPECT_EQ(field->text(), u"");
    EXPECT_DOUBLE_EQ(bar->frame().height(), panelHeight);
}

TEST_F(ChatScreenTest, SendingFromTheEmojiKeyboardShrinksTheTextRowAgain)
{
    open(1);
    auto bar = chat->toolBar();
    for (int i = 0; i < 40; ++i)
        tapFaceKey(0, i % 20);
    settle();
    double grown = bar->frame().height();
    tapView(*bar->faceViewManager()->sectionBar()->sendButton());
    settle();
    EXPECT_LT(bar->frame().height(), grown);
    EXPECT_DOUBLE_EQ(bar->msgTextView()->frame().height(), GXMessageToolBar::kTextRowHeight);
    EXPECT_DOUBLE_EQ(chat->baseTableView()->frame().height(), chat->view()->bounds().height() - bar->frame().height());
}

TEST_F(ChatScreenTest, ListFollowsTheToolbarAndTappingItClosesKeyboardAndPanels)
{
    open(1);
    for (int i = 0; i < 12; ++i)
        send(u"消息 " + ui::toUtf16(std::to_string(i)));
    settle();
    auto list = chat->baseTableView();
    auto bar = chat->toolBar();
    double viewHeight = chat->view()->bounds().height();
    ASSERT_TRUE(Keyboard::shared().isVisible());
    EXPECT_DOUBLE_EQ(bar->frame().height(), 50 + 216);
    EXPECT_DOUBLE_EQ(list->frame().height(), viewHeight - 266);
    auto lastRow = list->rectForRow(IndexPath::forRow(11));
    EXPECT_NEAR(list->contentOffset().y + list->bounds().height(), lastRow.maxY(), 0.5) << "last row at the bottom";

    tapView(*list);
    settle();
    EXPECT_FALSE(Keyboard::shared().isVisible());
    EXPECT_DOUBLE_EQ(bar->frame().height(), 50);
    EXPECT_DOUBLE_EQ(list->frame().height(), viewHeight - 50);
    EXPECT_NEAR(list->contentOffset().y + list->bounds().height(), lastRow.maxY(), 0.5);

    tapView(*bar->moreButton());
    settle();
    EXPECT_DOUBLE_EQ(list->frame().height(), viewHeight - 260);
    tapView(*list);
    settle();
    EXPECT_DOUBLE_EQ(list->frame().height(), viewHeight - 50);
    EXPECT_EQ(list->frame().x(), 0);
    EXPECT_EQ(list->frame().y(), 0);
}

TEST_F(ChatScreenTest, RecallingTheSecondOfThreeAppendsANoticeAtTheEnd)
{
    open(1);
    send(u"一");
    speakAsMe();
    send(u"二");
    speakAsOther();
    send(u"三");
    chat->toolBar()->endEditing(true);
    settle();
    auto second = rows()[1];
    chooseFromRowMenu(1, "撤回");
    auto list = rows();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(coding::text(list[0]->context()), u"一");
    EXPECT_EQ(coding::text(list[1]->context()), u"三");
    auto notice = list[2];
    EXPECT_EQ(notice->type(), QYChatModel::RecallNotice);
    EXPECT_TRUE(notice->isMeRevoke()) << "the recalled message was the own side's";
    EXPECT_FALSE(notice->isSend()) << "the switch, not the recalled message";
    EXPECT_EQ(coding::text(notice->heNickName()), u"我自己");
    EXPECT_FALSE(notice->isShowDateTime());
    EXPECT_EQ(notice->styleType(), 1);
    EXPECT_FALSE(notice->avatar());
    EXPECT_TRUE(notice->creatDate());
    settle();
    EXPECT_TRUE(std::dynamic_pointer_cast<QYSystemTableViewCell>(chat->baseTableView()->cellForRow(IndexPath::forRow(2))));

    // Recalling the other side's message names the other side.
    chooseFromRowMenu(0, "撤回");
    list = rows();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_FALSE(list[2]->isMeRevoke());
    EXPECT_EQ(coding::text(list[2]->heNickName()), u"小明");

    // "删除" is the list's own business: no notice.
    chooseFromRowMenu(0, "删除");
    EXPECT_EQ(rows().size(), 2u);
}

TEST_F(ChatScreenTest, ClearingThenTheBackButtonStoresAnEmptyConversation)
{
    open(1);
    send(u"一");
    send(u"二");
    pressBack();
    ASSERT_EQ(stored(1).size(), 2u);

    open(1);
    EXPECT_EQ(rows().size(), 2u);
    chooseItem(6);
    EXPECT_EQ(rows().size(), 0u);
    EXPECT_EQ(chat->baseTableView()->numberOfRows(), 0);
    settle();
    EXPECT_FALSE(chat->toolBar()->isShowBottomView()) << "the panel closes";
    EXPECT_EQ(stored(1).size(), 2u) << "nothing is saved before leaving";
    pressBack();
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    auto collection = HLObjectValue::hl_objectWithKey<coding::Collection>("CHAT");
    ASSERT_TRUE(collection);
    EXPECT_EQ(collection->count(), 0u);
}

TEST_F(ChatScreenTest, ClearingThenTheEdgeSwipeLeavesTheStoredConversation)
{
    open(1);
    send(u"一");
    send(u"二");
    pressBack();
    auto before = platform::SettingsStore::standard().get("CHAT");
    auto userBefore = platform::SettingsStore::standard().get("USERMODEL");

    open(1);
    chooseItem(6);
    send(u"三");
    chat->toolBar()->endEditing(true);
    settle();
    swipeBack();
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    EXPECT_EQ(platform::SettingsStore::standard().get("CHAT"), before);
    EXPECT_EQ(platform::SettingsStore::standard().get("USERMODEL"), userBefore);
    EXPECT_EQ(texts(stored(1)), (std::vector<std::u16string> { u"一", u"二" }));
}

TEST_F(ChatScreenTest, TheBackButtonStoresTitleAndAvatarsAtTheLowestQuality)
{
    // What the preset form saved keeps its other fields.
    auto saved = QYUserModel::make();
    saved->setMeNick(coding::String::make("我"));
    saved->setHeNick(coding::String::make("旧名字"));
    saved->setNoReadNum(coding::String::make("3"));
    saved->setBackGroundImage(coding::Data::make({ 1, 2, 3 }));
    ChatStore::saveUser(1, saved);

    open(1);
    ASSERT_TRUE(chat->userModel());
    EXPECT_EQ(coding::text(chat->userModel()->heNick()), u"旧名字");
    chat->nickText()->setText(std::string_view("新名字"));
    pressBack();
    auto user = ChatStore::loadUser(1);
    ASSERT_TRUE(user);
    EXPECT_EQ(coding::text(user->heNick()), u"新名字");
    EXPECT_EQ(coding::text(user->meNick()), u"我");
    EXPECT_EQ(coding::text(user->noReadNum()), u"3");
    ASSERT_TRUE(user->backGroundImage());
    EXPECT_EQ(user->backGroundImage()->bytes(), (std::vector<std::uint8_t> { 1, 2, 3 }));
    ASSERT_TRUE(user->meAvatar() && user->heAvatar());
    EXPECT_EQ(user->meAvatar()->bytes(), meAvatar->jpegData(0.001));
    EXPECT_EQ(user->heAvatar()->bytes(), heAvatar->jpegData(0.001));
    EXPECT_NE(user->heAvatar()->bytes(), heAvatar->jpegData(1.0));
    // As the preset form reads them back: pictures of the avatars' size.
    auto decoded = Image::fromData(user->meAvatar()->bytes());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixelWidth(), meAvatar->pixelWidth());
}

TEST_F(ChatScreenTest, FirstUseSavesAFreshParticipantsRecord)
{
    open(2, [](QYChatViewController& c) { c.setMeAvatar(nullptr); });
    EXPECT_FALSE(chat->userModel());
    pressBack();
    auto user = ChatStore::loadUser(2);
    ASSERT_TRUE(user);
    EXPECT_EQ(coding::text(user->heNick()), u"小明");
    EXPECT_FALSE(user->meNick());
    EXPECT_FALSE(user->meAvatar()) << "no picture, no data";
    ASSERT_TRUE(user->heAvatar());
    EXPECT_FALSE(ChatStore::loadUser(1));
}

TEST_F(ChatScreenTest, TheTwoStylesNeverShareData)
{
    open(1);
    send(u"微信的");
    pressBack();
    open(2);
    EXPECT_EQ(rows().size(), 0u) << "the payment-app style starts empty";
    send(u"支付宝的");
    speakAsMe();
    send(u"也是");
    pressBack();

    EXPECT_EQ(texts(stored(1)), (std::vector<std::u16string> { u"微信的" }));
    EXPECT_EQ(texts(stored(2)), (std::vector<std::u16string> { u"支付宝的", u"也是" }));
    for (auto& row : stored(1))
        EXPECT_EQ(row->styleType(), 1);
    for (auto& row : stored(2))
        EXPECT_EQ(row->styleType(), 2);
    open(1);
    EXPECT_EQ(texts(rows()), (std::vector<std::u16string> { u"微信的" }));
}

TEST_F(ChatScreenTest, ReopeningShowsTheStoredConversationScrolledToItsEnd)
{
    open(1);
    for (int i = 0; i < 20; ++i)
        send(u"第" + ui::toUtf16(std::to_string(i)) + u"条");
    pressBack();
    open(1);
    settle();
    auto list = chat->baseTableView();
    ASSERT_EQ(list->numberOfRows(), 20);
    auto lastRow = list->rectForRow(IndexPath::forRow(19));
    EXPECT_NEAR(list->contentOffset().y + list->bounds().height(), lastRow.maxY(), 0.5);
    EXPECT_LE(list->frameInScreen().maxY(), chat->toolBar()->frameInScreen().y() + 0.5);
    // Records of one speaker share their avatar and nickname when stored.
    auto stored = rows();
    EXPECT_EQ(stored[0]->avatar(), stored[1]->avatar());
    EXPECT_EQ(stored[0]->nickName(), stored[1]->nickName());
}

TEST_F(ChatScreenTest, UnreadableOrOddStoredDataNeverStopsTheScreen)
{
    // A store that holds garbage under both keys.
    const std::vector<std::uint8_t> garbage = { 'x', 'y' }, shortRecord = { 0, 1, 2 };
    platform::SettingsStore::standard().set("CHAT", garbage);
    platform::SettingsStore::standard().set("USERMODEL", shortRecord);
    open(1);
    EXPECT_EQ(rows().size(), 0u);
    EXPECT_FALSE(chat->userModel());
    send(u"照样能发");
    EXPECT_EQ(rows().size(), 1u);
    navigation->popViewController(false);
    settle();

    // A fixed (immutable) list and a row of an unknown kind are kept as they are.
    auto odd = QYChatModel::make();
    odd->setType(9);
    odd->setStyleType(1);
    auto text = QYChatModel::make();
    text->setType(QYChatModel::Text);
    text->setContext(coding::String::make("旧"));
    hl_setObjectWithKey(coding::Collection::array({ odd, text }), "CHAT");
    open(1);
    ASSERT_EQ(rows().size(), 2u);
    EXPECT_EQ(rows()[0]->type(), 9);
    send(u"新");
    pressBack();
    auto list = stored(1);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0]->type(), 9);
    EXPECT_EQ(coding::text(list[2]->context()), u"新");
}

TEST_F(ChatScreenTest, OnlyMoneyTapsAreForTheScreenAndNoneChangesTheConversation)
{
    open(1);
    send(u"点我");
    chat->toolBar()->endEditing(true);
    settle();
    auto row = rows()[0];
    // A tap on a text bubble reaches the screen and is ignored.
    auto cell = std::dynamic_pointer_cast<RIRingTabelViewCell>(chat->baseTableView()->cellForRow(IndexPath::forRow(0)));
    ASSERT_TRUE(cell);
    tapView(*cell->bubbleView());
    tapView(*cell->headView());
    UserInfo info;
    info[KMESSAGEKEY] = row;
    chat->bubbleViewPressed(kRIVideoBubbleViewTapVideoEventName, info);
    chat->bubbleViewPressed(kRITextBubbleViewTapTextEventName, {});
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_EQ(navigation->viewControllers().size(), 2u);
    // The red-packet and transfer items close the panel and open nothing yet.
    chooseItem(4);
    settle();
    EXPECT_FALSE(chat->toolBar()->isShowBottomView());
    chooseItem(5);
    settle();
    EXPECT_FALSE(chat->presentedViewController());
    EXPECT_EQ(rows().size(), 1u);
    chat->didSelectItemWithIndex(7);
    chat->didSelectItemWithIndex(-1);
    EXPECT_EQ(rows().size(), 1u);
}

TEST_F(ChatScreenTest, LeavingWithTheKeyboardUpPutsItAway)
{
    open(1);
    tapView(*chat->toolBar()->msgTextView());
    settle();
    ASSERT_TRUE(Keyboard::shared().isVisible());
    pressBack();
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    EXPECT_FALSE(Keyboard::shared().isVisible());

    open(1);
    tapView(*chat->nickText());
    settle();
    ASSERT_TRUE(Keyboard::shared().isVisible());
    swipeBack();
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    EXPECT_FALSE(Keyboard::shared().isVisible());
}
