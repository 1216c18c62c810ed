// The chat screen opened, left and opened again: first use, layout around the
// toolbar, and what the back button stores per style.
#include "ComposerTest.h"

#include <fstream>

#include "platform/Folders.h"
#include "platform/store/SettingsStore.h"
#include "widgets/QYNoticeHUD.h"
#include "ui/Keyboard.h"

using namespace ui;

TEST_F(ComposerTest, ChatFirstUseOfEachStyle)
{
    struct Case {
        int type;
        std::optional<std::string> unread;
        const char* backTitle;
    };
    for (const Case& c : { Case { 1, std::nullopt, "微信" }, Case { 2, std::nullopt, "朋友" }, Case { 1, "5", "微信(5)" } }) {
        SCOPED_TRACE(c.backTitle);
        openChat(c.type, [&](QYChatViewController& screen) { screen.setUnReadNum(c.unread); });
        EXPECT_EQ(chat->baseTableView()->numberOfRows(), 0);
        EXPECT_EQ(chat->backButton()->currentTitle(), c.backTitle);
        // The other side's hint for five seconds from the moment the screen was built.
        auto tip = chat->tipLabel();
        EXPECT_EQ(tip->text(), "现在为对方说话状态，点键盘+号切换状态");
        EXPECT_EQ(tip->frameInScreen(), (Rect { 0, 64, 375, 25 }));
        advance(3.9);
        EXPECT_FALSE(tip->isHidden());
        advance(0.2);
        EXPECT_TRUE(tip->isHidden());
        navigation->popViewController(false);
    }
}

TEST_F(ComposerTest, ChatListEndsWhereTheToolbarStartsWhateverTheToolbarShows)
{
    std::shared_ptr<GXMessageToolBar> early;
    openChat(1, [&](QYChatViewController& screen) {
        screen.setBackImage(plain(300, 600, 10, 60, 10));
        early = screen.toolBar(); // asked for before the view exists: still the one shown
    });
    auto bar = chat->toolBar();
    auto list = chat->baseTableView();
    EXPECT_EQ(early, bar);
    EXPECT_EQ(chat->backImageView()->frame(), chat->view()->bounds());
    EXPECT_EQ(list->frameInScreen(), (Rect { 0, 64, 375, 667 - 64 - 50 }));

    // Keyboard and panel: the list gives way and keeps its last row in view.
    for (int i = 0; i < 12; ++i)
        send(u"消息");
    settle();
    double height = chat->view()->bounds().height();
    auto lastRowInView = [&] {
        return std::abs(list->contentOffset().y + list->bounds().height() - list->rectForRow(IndexPath::forRow(11)).maxY()) < 0.5;
    };
    EXPECT_DOUBLE_EQ(list->frame().height(), height - 50 - Keyboard::kHeight);
    EXPECT_TRUE(lastRowInView());
    tapView(list);
    settle();
    EXPECT_FALSE(Keyboard::shared().isVisible());
    EXPECT_DOUBLE_EQ(list->frame().height(), height - 50);
    EXPECT_TRUE(lastRowInView());
    tapView(bar->moreButton());
    settle();
    EXPECT_DOUBLE_EQ(list->frame().height(), height - 50 - 210);
    // Emoji keys grow the text row; the board's send button sends the text
    // and brings the row back to one line.
    for (int i = 0; i < 40; ++i)
        tapFaceKey(i % 20);
    settle();
    EXPECT_GT(bar->msgTextView()->frame().height(), GXMessageToolBar::kTextRowHeight);
    EXPECT_DOUBLE_EQ(list->frame().height(), height - bar->frame().height());
    tapView(bar->faceViewManager()->sectionBar()->sendButton());
    settle();
    EXPECT_DOUBLE_EQ(bar->msgTextView()->frame().height(), GXMessageToolBar::kTextRowHeight);
    EXPECT_EQ(rows().size(), 13u);
    tapView(list);
    settle();
    EXPECT_DOUBLE_EQ(list->frame().height(), height - 50);
}

TEST_F(ComposerTest, ChatBackButtonStoresEachStylesOwnRowsAndAvatarsAndTheEdgeSwipeNothing)
{
    // What the preset form saved keeps its other fields.
    auto preset = QYUserModel::make();
    preset->setMeNick(coding::String::make("我"));
    hl_setObjectWithKey(preset, "USERMODEL");
    openChat(1);
    send(u"一");
    send(u"二");
    chat->nickText()->setText(std::string_view("新名字"));
    pressBack();
    openChat(2, [](QYChatViewController& screen) { screen.setMeAvatar(nullptr); });
    EXPECT_TRUE(rows().empty());
    send(u"支付宝的");
    pressBack();

    EXPECT_EQ(texts(stored(1)), (std::vector<std::u16string> { u"一", u"二" }));
    EXPECT_EQ(texts(stored(2)), (std::vector<std::u16string> { u"支付宝的" }));
    for (auto& row : stored(2))
        EXPECT_EQ(row->styleType(), 2);
    auto user = storedUser(1);
    ASSERT_TRUE(user && user->meAvatar() && user->heAvatar());
    EXPECT_EQ(coding::text(user->heNick()), u"新名字");
    EXPECT_EQ(coding::text(user->meNick()), u"我");
    EXPECT_EQ(user->meAvatar()->bytes(), meAvatar->jpegData(0.001));
    EXPECT_EQ(user->heAvatar()->bytes(), heAvatar->jpegData(0.001));
    ASSERT_TRUE(storedUser(2));
    EXPECT_EQ(coding::text(storedUser(2)->heNick()), u"小明");
    EXPECT_FALSE(storedUser(2)->meAvatar()) << "no picture, no data";

    // "清屏" left by the edge swipe is not stored; left by the back button it is.
    auto saved = platform::SettingsStore::standard().get("CHAT");
    openChat(1);
    chooseItem(6);
    EXPECT_EQ(chat->baseTableView()->numberOfRows(), 0);
    send(u"三");
    drag({ 5, 300 }, { 320, 300 });
    settle();
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    EXPECT_EQ(platform::SettingsStore::standard().get("CHAT"), saved);
    openChat(1);
    EXPECT_EQ(texts(rows()), (std::vector<std::u16string> { u"一", u"二" }));
    chooseItem(6);
    pressBack();
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    auto collection = HLObjectValue::hl_objectWithKey<coding::Collection>("CHAT");
    ASSERT_TRUE(collection);
    EXPECT_EQ(collection->count(), 0u);
}

TEST_F(ComposerTest, ChatReopensStoredRowsWithTheLastAboveTheToolbarAndSurvivesOddData)
{
    // A fixed list with a row of an unknown kind, as another writer might store it.
    auto odd = QYChatModel::make();
    odd->setType(9);
    hl_setObjectWithKey(coding::Collection::array({ odd }), "CHAT");
    openChat(1);
    for (int i = 0; i < 20; ++i)
        send(u"第" + toUtf16(std::to_string(i)) + u"条");
    pressBack();
    auto saved = HLObjectValue::hl_objectWithKey<coding::Collection>("CHAT");
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->type() == coding::CollectionType::Array && saved->isMutable()) << "stored as the list the screen appends to";
    openChat(1);
    auto list = chat->baseTableView();
    ASSERT_EQ(list->numberOfRows(), 21);
    EXPECT_EQ(rows()[0]->type(), 9);
    EXPECT_NEAR(list->contentOffset().y + list->bounds().height(), list->rectForRow(IndexPath::forRow(20)).maxY(), 0.5);
    // One speaker's rows share their avatar and nickname data.
    EXPECT_EQ(rows()[1]->avatar(), rows()[2]->avatar());
    EXPECT_EQ(rows()[1]->nickName(), rows()[2]->nickName());
    send(u"刚重新打开");
    EXPECT_TRUE(rows().back()->isShowDateTime()) << "the first message after reopening has a time stamp";

    // Unreadable data opens an empty chat that works as usual.
    const std::vector<std::uint8_t> garbage = { 'x', 'y' };
    platform::SettingsStore::standard().set("CHAT", garbage);
    platform::SettingsStore::standard().set("USERMODEL", garbage);
    openChat(1);
    EXPECT_TRUE(rows().empty());
    EXPECT_FALSE(chat->userModel());
    send(u"照样能发");
    EXPECT_EQ(rows().size(), 1u);
}

TEST_F(ComposerTest, ChatBackButtonThatCannotSaveSaysSoKeepsTheChatAndSavesOnRetry)
{
    // A store that cannot be written at all (its home folder would sit inside
    // a plain file) and one that is full; both used to pop the screen and lose
    // the chat without a word.
    struct Fault {
        const char* name;
        std::function<void()> inject;
        std::function<void()> mend;
    };
    std::string home = platform::folders::homeFolder();
    std::ofstream(home + "/plain-file") << "x";
    std::vector<Fault> faults {
        { "home inside a file", [&] { platform::folders::setHomeFolder(home + "/plain-file/home"); },
            [&] { platform::folders::setHomeFolder(home); } },
        { "store full", [] { platform::SettingsStore::standard().setSizeLimit(1); },
            [] { platform::SettingsStore::standard().setSizeLimit(1ll << 30); } },
    };
    std::size_t longText = 3000;
    for (auto& fault : faults) {
        SCOPED_TRACE(fault.name);
        openChat(1);
        send(u"别丢下我");
        // Longer each time, so the space the last chat freed cannot hold it.
        send(std::u16string(longText *= 4, u'长'));
        fault.inject();
        pressBack();
        EXPECT_EQ(topChat(), chat) << "the screen stays so the user can retry";
        auto notice = QYNoticeHUD::sharedView();
        EXPECT_NE(notice->superview(), nullptr);
        EXPECT_EQ(notice->status(), "保存失败，聊天仍在此页，请稍后重试");
        EXPECT_EQ(rows().size(), 2u);

        fault.mend();
        pressBack();
        EXPECT_EQ(navigation->viewControllers().size(), 1u);
        EXPECT_EQ(texts(stored(1)).front(), u"别丢下我");
        settle(6);
        hl_setObjectWithKey(coding::Collection::mutableArray({}), "CHAT");
    }
}
