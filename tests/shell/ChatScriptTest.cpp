#include "ShellTest.h"

#include <cstring>

#include "composer/ChatStore.h"
#include "composer/QYChatViewController.h"
#include "composer/QYPresetViewController.h"
#include "app/AppDelegate.h"
#include "input/more/MorePanelItem.h"
#include "platform/ImageCodec.h"
#include "shell/commands/ChatCommand.h"
#include "shell/commands/GlobalOptions.h"
#include "shell/scene/ScratchHome.h"
#include "shell/script/ChatScriptError.h"
#include "shell/script/ChatScriptReader.h"
#include "shell/script/ChatScriptScreen.h"
#include "shell/script/ChatScriptWriter.h"
#include "ui/Renderer.h"

using shell::ChatCommand;
using shell::ChatScript;
using shell::ChatScriptReader;

namespace {

constexpr const char* kEveryKind = R"(style: messenger
device: iphone6
time: 2016-11-24T09:41
timeZone: Asia/Shanghai
statusBar: {carrier: 中国移动, time: "09:45", battery: 86}
me: {nick: 小明, avatar: me.png}
other: {nick: 小花, avatar: her.png}
unread: 3
messages:
  - other: 在吗[微笑]
  - me: {photo: cat.png}
  - me: {voice: 5}
    at: +2m
  - other: {redPacket: 8.88, greeting: 恭喜发财, taken: false}
  - other: {transfer: 100, collected: true}
  - me: {text: 说错了}
  - me: {recall: 6}
  - me: 好的
    at: 2016-11-24T09:50
)";

} // namespace

class ChatScriptTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        shell::GlobalOptions::shared().reset();
        // Flat-coloured stand-ins for the avatars and a photo.
        writePicture("me.png", 0xFFC82828);
        writePicture("her.png", 0xFF2828C8);
        writePicture("cat.png", 0xFF28A028);
    }
    ChatScript read(const std::string& text) { return ChatScriptReader::readText(text, folder.string()); }
    // Runs the command on `text`; returns the exit code and keeps stderr.
    int runChat(const std::string& text, ChatCommand::Options options = {})
    {
        options.scriptPath = writeFile("chat.yaml", text);
        if (!options.outputPath && !options.pagesFolder && !options.longPath)
            options.outputPath = (folder / "out/chat.png").string();
        testing::internal::CaptureStderr();
        int code = ChatCommand::run(options);
        errors = testing::internal::GetCapturedStderr();
        return code;
    }
    std::string errors;
};

TEST_F(ChatScriptTest, EveryLineKindBecomesTheRecordsTheChatScreenMakes)
{
    shell::ScratchHome scratch;
    shell::ChatScriptScreen screen(read(kEveryKind));
    const auto& rows = screen.records();
    // The recalled text is gone; the notice and the transfer's receipt are rows of their own.
    ASSERT_EQ(rows.size(), 8u);
    struct Expected {
        int type;
        bool isSend;
        bool showsTime;
    };
    const Expected expected[] = {
        { QYChatModel::Text, false, true },
        { QYChatModel::Image, true, false },
        { QYChatModel::Voice, true, true }, // two minutes later
        { QYChatModel::RedPacket, false, false },
        { QYChatModel::Transfer, false, false },
        { QYChatModel::Transfer, true, false }, // the receipt, by the side that collected it
        { QYChatModel::RecallNotice, true, false },
        { QYChatModel::Text, true, true }, // an absolute time minutes later
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(rows[i]->type(), expected[i].type);
        EXPECT_EQ(rows[i]->isSend(), expected[i].isSend);
        EXPECT_EQ(rows[i]->isShowDateTime(), expected[i].showsTime);
        EXPECT_EQ(rows[i]->styleType(), 1);
    }
    EXPECT_EQ(rows[0]->context()->utf8(), "在吗[微笑]");
    EXPECT_EQ(rows[0]->nickName()->utf8(), "小花");
    EXPECT_TRUE(rows[1]->image() && !rows[1]->image()->bytes().empty());
    EXPECT_EQ(rows[2]->duration(), 5);
    EXPECT_DOUBLE_EQ(rows[2]->creatDate()->secondsSince1970() - rows[1]->creatDate()->secondsSince1970(), 120);
    EXPECT_EQ(rows[3]->context()->utf8(), "恭喜发财");
    EXPECT_NE(rows[3]->redPac()->utf8().find("8.88"), std::string::npos);
    EXPECT_FALSE(rows[3]->isGet());
    EXPECT_EQ(rows[4]->redPac()->utf8(), "100");
    EXPECT_TRUE(rows[4]->isTran());
    EXPECT_TRUE(rows[4]->isGet());
    EXPECT_FALSE(rows[5]->isTran());
    EXPECT_EQ(rows[5]->redPac()->utf8(), "100");
    EXPECT_TRUE(rows[6]->isMeRevoke());
    EXPECT_EQ(rows[6]->heNickName()->utf8(), "小明");
    // One speaker's records share one avatar data, as on the chat screen.
    EXPECT_EQ(rows[0]->avatar(), rows[3]->avatar());
    // The chat screen shows exactly those rows, and the chat title and count come from the script.
    ASSERT_TRUE(screen.chat());
    EXPECT_EQ(screen.chat()->dataSour()->count(), 8u);
    EXPECT_EQ(screen.chat()->nickText()->utf8Text(), "小花");
    EXPECT_EQ(screen.chat()->unReadNum(), std::optional<std::string>("3"));
}

TEST_F(ChatScriptTest, TimesAreRelativeAbsoluteOrAFewSecondsApart)
{
    auto script = read(R"(time: 2016-11-24T09:41
timeZone: Asia/Shanghai
messages:
  - me: a
  - me: b
  - me: c
    at: +90s
  - me: d
    at: +1h
  - me: e
    at: 2016-11-24T09:00
)");
    double start = 1479951660; // 2016-11-24 09:41 in Shanghai
    const double expected[] = { start, start + 5, start + 95, start + 3695, start - 2460 };
    ASSERT_EQ(script.lines.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_DOUBLE_EQ(script.lines[i].date, expected[i]) << "line " << i;
}

TEST_F(ChatScriptTest, BadScriptsNameTheLineAndFieldAndWriteNothing)
{
    struct Case {
        const char* name;
        const char* script;
        const char* message;
    };
    const Case cases[] = {
        { "missing picture", "messages:\n  - me: hi\n  - other: {photo: nowhere.jpg}\n", "line 3: messages[2].photo: no picture file" },
        { "unknown speaker", "messages:\n  - me: hi\n  - boss: hello\n", "line 3: messages[2].boss: unknown speaker" },
        { "bad amount", "messages:\n  - me: {redPacket: 1.234}\n", "line 2: messages[1].redPacket: an amount above 0" },
        { "zero transfer", "messages:\n  - me: {transfer: 0}\n", "line 2: messages[1].transfer: an amount above 0" },
        { "recall of no line", "messages:\n  - me: hi\n  - me: {recall: 5}\n", "line 3: messages[2].recall: there is no earlier message 5" },
        { "recall of money", "messages:\n  - me: {transfer: 5}\n  - me: {recall: 1}\n", "line 3: messages[2].recall: message 1 is money" },
        { "recalled twice", "messages:\n  - me: a\n  - me: {recall: 1}\n  - me: {recall: 1}\n", "line 4: messages[3].recall: message 1 is already recalled" },
        { "bad time", "messages:\n  - me: a\n    at: soon\n", "line 3: messages[1].at:" },
        { "short voice", "messages:\n  - me: {voice: 0.5}\n", "line 2: messages[1].voice:" },
        { "collected in payment style", "style: payment\nmessages:\n  - me: {transfer: 5, collected: true}\n", "line 3: messages[1].collected:" },
        { "unknown style", "style: fancy\nmessages:\n  - me: a\n", "line 1: style:" },
        { "no messages", "style: messenger\n", "messages:" },
        { "not yaml", "messages: [me: {\n", "line " },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(runChat(test.script), ChatCommand::kBadScript);
        EXPECT_NE(errors.find(test.message), std::string::npos) << errors;
        EXPECT_FALSE(std::filesystem::exists(folder / "out")) << "nothing written";
    }
}

TEST_F(ChatScriptTest, PagesCoverEveryRowAndTheLongPictureStartsAsTheFirstPage)
{
    std::string text = "device: iphone6\nmessages:\n";
    for (int i = 0; i < 40; ++i)
        text += std::string("  - ") + (i % 2 ? "me" : "other") + ": 第" + std::to_string(i + 1) + "条消息\n";
    shell::ScratchHome scratch;
    shell::ChatScriptScreen screen(read(text));
    auto list = screen.chat()->baseTableView();
    double height = list->bounds().height();
    auto offsets = screen.pageOffsets();
    ASSERT_GT(offsets.size(), 2u);
    EXPECT_EQ(offsets.front(), 0);
    EXPECT_DOUBLE_EQ(offsets.back(), list->contentSize().height - height) << "the last page ends at the last row";
    int rows = list->numberOfRows();
    std::vector<int> shownOn(rows, 0);
    for (std::size_t page = 0; page < offsets.size(); ++page) {
        std::vector<int> shown;
        for (int row = 0; row < rows; ++row) {
            ui::Rect rect = list->rectForRow(ui::IndexPath::forRow(row));
            if (rect.y() >= offsets[page] && rect.maxY() <= offsets[page] + height)
                shown.push_back(row);
        }
        for (int row : shown)
            ++shownOn[row];
        // Each page starts on the last whole row of the one before it.
        if (page > 0 && page + 1 < offsets.size()) {
            EXPECT_EQ(shownOn[shown.front()], 2) << "page " << page;
        }
    }
    for (int row = 0; row < rows; ++row)
        EXPECT_GE(shownOn[row], 1) << "row " << row << " is on a page";

    auto pages = screen.writePages((folder / "pages").string());
    EXPECT_EQ(pages.size(), offsets.size());
    auto longPath = (folder / "long.png").string();
    ASSERT_TRUE(screen.writeLong(longPath));
    auto tall = platform::imagecodec::decodeFile(longPath);
    ASSERT_TRUE(tall);
    auto first = platform::imagecodec::decodeFile(pages.front());
    ASSERT_TRUE(first);
    // The long picture starts as the first page does.
    EXPECT_EQ(0, std::memcmp(first->pixels.data(), tall->pixels.data(), std::size_t(first->stride) * 64 * 2));
}

// The same conversation typed on the chat screen gives the same picture.
TEST_F(ChatScriptTest, AScriptRendersAsTheSameChatComposedOnTheScreen)
{
    const char* script = R"(time: 2016-11-24T09:41
timeZone: Asia/Shanghai
statusBar: {time: "09:45"}
me: {nick: 小明, avatar: me.png}
other: {nick: 小花, avatar: her.png}
messages:
  - other: 你好
  - me: 在的[微笑]
    at: +10s
  - me: 晚上见
    at: +2m
)";
    ASSERT_EQ(runChat(script), 0) << errors;
    auto fromScript = platform::imagecodec::decodeFile((folder / "out/chat.png").string());
    ASSERT_TRUE(fromScript);

    shell::ScratchHome scratch;
    shell::Scene scene;
    scene.device = "iphone6";
    scene.timeZone = "Asia/Shanghai";
    scene.statusBar.time = "09:45";
    scene.startTime = 1479951660;
    shell::SceneRunner runner(folder.string());
    runner.start(scene);
    // The participants as the preset form saves picked pictures.
    auto parsed = read(script);
    auto user = QYUserModel::make();
    user->setMeNick(coding::String::make("小明"));
    user->setHeNick(coding::String::make("小花"));
    auto saved = [](const std::string& path) {
        auto small = ui::Image::fromData(ui::Image::fromFile(path)->jpegData(0.05));
        return coding::Data::make(small->jpegData(1.0));
    };
    user->setMeAvatar(saved(*parsed.me.avatarPath));
    user->setHeAvatar(saved(*parsed.other.avatarPath));
    ChatStore::saveUser(ChatStyle::Messenger, user);
    auto navigation = AppDelegate::shared().navigationController();
    auto preset = std::make_shared<QYPresetViewController>();
    navigation->pushViewController(preset, false);
    runner.settle();
    preset->startChat(*preset->startBtn());
    auto chat = std::dynamic_pointer_cast<QYChatViewController>(navigation->topViewController());
    ASSERT_TRUE(chat);
    // The clock has moved on while the screens opened; each message waits for its minute.
    auto sayAt = [&](double date, bool isSend, const std::u16string& text) {
        runner.pass(date - platform::MainQueue::shared().now());
        chat->didSelectItemWithIndex(isSend ? MorePanelItem::SpeakAsMe : MorePanelItem::SpeakAsOther);
        chat->didSendText(text);
    };
    sayAt(1479951660 + 1, false, u"你好");
    sayAt(1479951660 + 11, true, u"在的[微笑]");
    sayAt(1479951660 + 131, true, u"晚上见");
    runner.pass(QYChatViewController::kTipFadeDuration + 1);
    auto composed = ui::Renderer::snapshotScreen();
    ASSERT_TRUE(composed);
    ASSERT_EQ(composed->pixels().height, fromScript->height);
    EXPECT_TRUE(composed->pixels().pixels == fromScript->pixels) << "pixel-identical screenshots";
}

// A saved chat written back as a script renders to the same picture.
TEST_F(ChatScriptTest, AnExportedChatRendersAgainAsTheSameScreen)
{
    std::vector<std::uint8_t> original;
    std::string exported = (folder / "exported/chat.yaml").string();
    std::filesystem::create_directories(folder / "exported");
    {
        shell::ScratchHome scratch;
        shell::ChatScriptScreen screen(read(kEveryKind));
        original = ui::Renderer::snapshotScreen()->pixels().pixels;
        ASSERT_EQ(shell::ChatScriptWriter::write(ChatStyle::Messenger, exported), "");
    }
    auto script = ChatScriptReader::readFile(exported);
    EXPECT_TRUE(script.picturesAsSaved);
    EXPECT_EQ(script.me.nick, std::optional<std::string>("小明"));
    EXPECT_EQ(script.unread, std::optional<std::string>("3"));
    ASSERT_EQ(script.lines.size(), 8u) << "the recalled line comes back as a stand-in, recalled again";
    EXPECT_TRUE(script.lines[4].collected);
    EXPECT_EQ(script.lines[3].amount, u"8.88");
    EXPECT_FALSE(script.lines[3].taken);

    // The picture is taken with the status bar of the first run.
    script.device = "iphone6";
    script.statusBar.carrier = "中国移动";
    script.statusBar.time = "09:45";
    script.statusBar.battery = 86;
    script.timeZone = "Asia/Shanghai";
    shell::ScratchHome scratch;
    shell::ChatScriptScreen again(script);
    EXPECT_TRUE(ui::Renderer::snapshotScreen()->pixels().pixels == original) << "pixel-identical screenshots";
}
