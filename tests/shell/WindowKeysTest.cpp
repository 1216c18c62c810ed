#include "WindowInputTest.h"

#include <map>

#include "ui/AlertView.h"
#include "ui/Keyboard.h"
#include "ui/NavigationController.h"
#include "ui/Pasteboard.h"
#include "ui/TextField.h"
#include "ui/TextView.h"

using namespace ui;

namespace {

class WindowKeysTest : public WindowInputTest {
protected:
    void SetUp() override
    {
        WindowInputTest::SetUp();
        Pasteboard::general().setString(std::nullopt);
    }

    // Plays keys written as words: "left", "shift+home", "ctrl+a", "type:文字", ...
    void press(const std::vector<std::string>& keys)
    {
        static const std::map<std::string, SDL_Keycode> names {
            { "left", SDLK_LEFT }, { "right", SDLK_RIGHT }, { "up", SDLK_UP }, { "down", SDLK_DOWN },
            { "home", SDLK_HOME }, { "end", SDLK_END }, { "backspace", SDLK_BACKSPACE }, { "delete", SDLK_DELETE },
            { "return", SDLK_RETURN }, { "esc", SDLK_ESCAPE }, { "a", SDLK_a }, { "c", SDLK_c }, { "x", SDLK_x }, { "v", SDLK_v },
        };
        for (std::string name : keys) {
            if (name.starts_with("type:")) {
                type(name.substr(5));
                continue;
            }
            Uint16 modifiers = KMOD_NONE;
            for (auto [prefix, modifier] : { std::pair { "shift+", KMOD_LSHIFT }, std::pair { "ctrl+", KMOD_LCTRL } }) {
                if (name.starts_with(prefix)) {
                    modifiers |= modifier;
                    name = name.substr(std::strlen(prefix));
                }
            }
            ASSERT_TRUE(names.count(name)) << name;
            // Down and up, as a keyboard sends them.
            SDL_Event event = key(names.at(name), modifiers);
            router.handle(event);
            event.type = SDL_KEYUP;
            router.handle(event);
        }
    }
    std::shared_ptr<TextField> focusedField(const std::u16string& text)
    {
        auto field = std::make_shared<TextField>(Rect { 10, 100, 300, 30 });
        window->addSubview(field);
        field->setText(text);
        field->becomeFirstResponder();
        return field;
    }
    std::shared_ptr<TextView> focusedTextView(const std::u16string& text)
    {
        auto view = std::make_shared<TextView>(Rect { 10, 200, 300, 200 });
        window->addSubview(view);
        view->setText(text);
        view->becomeFirstResponder();
        return view;
    }
};

struct KeyCase {
    const char* name;
    std::u16string text;
    std::vector<std::string> keys;
    std::u16string expectedText;
    Range expectedSelection;
};

// 😀 takes two UTF-16 units: the caret never stops between them.
const std::vector<KeyCase> kFieldCases {
    { "arrows move by character", u"ab😀c", { "left", "left", "type:X" }, u"abX😀c", { 3, 0 } },
    { "shift selects, typing replaces", u"hello", { "shift+left", "shift+left", "type:P" }, u"helP", { 4, 0 } },
    { "home and end", u"中文ab", { "home", "type:<", "end", "type:>" }, u"<中文ab>", { 6, 0 } },
    { "shift+home selects to the start", u"abcd", { "left", "shift+home" }, u"abcd", { 0, 3 } },
    { "an arrow collapses a selection to its edge", u"abcd", { "shift+home", "left", "type:|" }, u"|abcd", { 1, 0 } },
    { "backspace and delete take the selection", u"abcdef", { "left", "shift+left", "shift+left", "backspace", "home", "delete" }, u"bcf", { 0, 0 } },
    { "delete takes a whole two-unit character", u"😀z", { "home", "delete" }, u"z", { 0, 0 } },
    { "select all", u"全部", { "ctrl+a", "type:新" }, u"新", { 1, 0 } },
};

TEST_F(WindowKeysTest, CaretAndSelectionKeysInATextField)
{
    for (const auto& test : kFieldCases) {
        SCOPED_TRACE(test.name);
        auto field = focusedField(test.text);
        press(test.keys);
        EXPECT_EQ(field->text(), test.expectedText);
        EXPECT_EQ(field->selectedRange().location, test.expectedSelection.location);
        EXPECT_EQ(field->selectedRange().length, test.expectedSelection.length);
        field->removeFromSuperview();
    }
}

TEST_F(WindowKeysTest, LinesOfATextViewAnswerUpDownHomeAndEnd)
{
    auto view = focusedTextView(u"one\ntwo\nthree");
    press({ "up", "home" });
    EXPECT_EQ(view->selectedRange().location, 4u);
    press({ "shift+end" });
    EXPECT_EQ(view->selectedRange().location, 4u);
    EXPECT_EQ(view->selectedRange().length, 3u) << "the line's end is before its break";
    press({ "up", "up" });
    EXPECT_EQ(view->selectedRange().location, 0u) << "up from the first line reaches the start";
    press({ "down", "down", "type:>" });
    EXPECT_EQ(view->text(), u"one\ntwo\n>three");
    press({ "ctrl+up", "type:^", "ctrl+down", "type:$" });
    EXPECT_EQ(view->text(), u"^one\ntwo\n>three$");
}

TEST_F(WindowKeysTest, CopyCutAndPasteGoThroughTheDesktopClipboard)
{
    auto field = focusedField(u"微信 hello");
    press({ "ctrl+a", "ctrl+c" });
    EXPECT_EQ(written, std::vector<std::string> { "微信 hello" });

    // Text copied on the desktop is pasted over the selection; a pasted line
    // break cannot enter a one-line field.
    desktopText = "你好\n世界";
    press({ "end", "shift+left", "shift+left", "shift+left", "shift+left", "shift+left", "ctrl+v" });
    EXPECT_EQ(field->text(), u"微信 你好 世界");
    EXPECT_EQ(written.size(), 1u) << "what came from the desktop is not written back";

    press({ "home", "shift+right", "shift+right", "ctrl+x" });
    EXPECT_EQ(field->text(), u" 你好 世界");
    EXPECT_EQ(written.back(), "微信");

    // The text view takes line breaks as they are; an empty desktop
    // clipboard pastes what the app copied last.
    auto view = focusedTextView(u"");
    desktopText.reset();
    press({ "ctrl+v", "type:\n" });
    desktopText = "a\nb";
    press({ "ctrl+v" });
    EXPECT_EQ(view->text(), u"微信\na\nb");

    // Nothing selected: copy and cut leave the clipboard as it is.
    written.clear();
    press({ "ctrl+c", "ctrl+x" });
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(view->text(), u"微信\na\nb");
}

TEST_F(WindowKeysTest, EscapeClosesTheFrontThingFirst)
{
    auto navigation = std::make_shared<NavigationController>(std::make_shared<ViewController>());
    window->setRootViewController(navigation);
    int backTaps = 0;
    auto second = std::make_shared<ViewController>();
    second->navigationItem().leftBarButtonItem = BarButtonItem::withTitle("返回", [&] { ++backTaps; });
    navigation->pushViewController(second, false);
    advance(1);
    auto field = std::make_shared<TextField>(Rect { 10, 100, 300, 30 });
    second->view()->addSubview(field);
    field->becomeFirstResponder();

    std::vector<int> answers;
    auto alert = AlertView::make(std::string("标题"), std::nullopt, std::string("取消"), { "好" });
    alert->clickedButtonAtIndex = [&](AlertView&, int index) { answers.push_back(index); };
    alert->show();
    advance(1);

    // The alert goes as if its cancel button was tapped, then the keyboard,
    // then the screen leaves by its own back button.
    press({ "esc" });
    advance(1);
    EXPECT_EQ(answers, std::vector<int> { alert->cancelButtonIndex() });
    EXPECT_TRUE(field->isFirstResponder());
    press({ "esc" });
    EXPECT_FALSE(field->isFirstResponder());
    EXPECT_EQ(backTaps, 0);
    press({ "esc" });
    EXPECT_EQ(backTaps, 1);

    // Without a back button of its own, the screen is popped; the root stays.
    second->navigationItem().leftBarButtonItem = nullptr;
    press({ "esc" });
    advance(1);
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    press({ "esc" });
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
}

TEST_F(WindowKeysTest, EveryTextEventArrivesInOrderAndCompositionCommitsOnce)
{
    auto view = focusedTextView(u"");
    // 200 characters in one frame, each its own event: CJK, ASCII, full-width
    // punctuation and characters of two UTF-16 units.
    const std::vector<std::string> pieces { "好", "啊", "？", "a", "Z", "，", "😀", "1", "嗯", "!" };
    std::u16string expected;
    for (int i = 0; i < 200; ++i) {
        const std::string& piece = pieces[(i * 7) % pieces.size()];
        type(piece);
        expected += toUtf16(piece);
    }
    EXPECT_EQ(view->text(), expected);

    // The input method's marked text shows in place and is replaced, not
    // added to, when it commits; Backspace belongs to it meanwhile.
    view->setText(u"说");
    router.handle(text(SDL_TEXTEDITING, "ni"));
    EXPECT_EQ(view->markedText(), u"ni");
    router.handle(key(SDLK_BACKSPACE));
    router.handle(text(SDL_TEXTEDITING, "nih"));
    EXPECT_EQ(view->text(), u"说");
    router.handle(text(SDL_TEXTEDITING, ""));
    router.handle(text(SDL_TEXTINPUT, "你好"));
    EXPECT_EQ(view->text(), u"说你好");
    EXPECT_EQ(view->markedText(), u"");
    press({ "backspace" });
    EXPECT_EQ(view->text(), u"说你");
}

TEST_F(WindowKeysTest, TheCharacterOfAShortcutKeyIsNotTyped)
{
    auto field = focusedField(u"");
    // SDL follows Ctrl+minus with the text "-"; the window took the key to zoom.
    SDL_Event zoomOut = key(SDLK_MINUS, KMOD_LCTRL);
    router.keyTakenByWindow(zoomOut.key);
    router.handle(text(SDL_TEXTINPUT, "-"));
    router.handle(key(SDLK_EQUALS, KMOD_LCTRL));
    router.handle(text(SDL_TEXTINPUT, "="));
    EXPECT_EQ(field->text(), u"");

    // The same characters typed plainly, and AltGr (Ctrl+Alt on some
    // desktops), still type.
    type("-");
    router.handle(key(SDLK_q, KMOD_LCTRL | KMOD_LALT));
    router.handle(text(SDL_TEXTINPUT, "@"));
    type("=");
    EXPECT_EQ(field->text(), u"-@=");
}

} // namespace
