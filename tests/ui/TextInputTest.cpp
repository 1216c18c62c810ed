#include "support/PhoneTest.h"

#include <string>
#include <vector>

#include "ui/Keyboard.h"
#include "ui/KeyboardView.h"
#include "ui/NotificationCenter.h"
#include "ui/TextField.h"
#include "ui/TextView.h"
#include "ui/Window.h"

using namespace ui;

namespace {

struct KeyboardChange {
    Rect begin;
    Rect end;
    double duration;
    int curve;
};

} // namespace

class TextInputTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        window = std::make_shared<Window>();
        window->makeKeyAndVisible();
        field = std::make_shared<TextField>(Rect { 10, 100, 300, 40 });
        other = std::make_shared<TextField>(Rect { 10, 200, 300, 40 });
        window->addSubview(field);
        window->addSubview(other);
        observerOwner = std::make_shared<int>(0);
        NotificationCenter::shared().addObserver(observerOwner, keyboard::WillChangeFrameNotification, [this](const Notification& n) {
            changes.push_back({ std::any_cast<Rect>(n.userInfo.at(keyboard::FrameBeginKey)),
                std::any_cast<Rect>(n.userInfo.at(keyboard::FrameEndKey)),
                std::any_cast<double>(n.userInfo.at(keyboard::AnimationDurationKey)),
                std::any_cast<int>(n.userInfo.at(keyboard::AnimationCurveKey)) });
        });
    }
    // Taps the drawn key with this label.
    void tapKey(const std::string& label)
    {
        auto view = Keyboard::shared().view();
        ASSERT_TRUE(view);
        for (auto& key : view->keys()) {
            if (key.label == label) {
                Rect screen = view->frameInScreen();
                tap(key.frame.offsetBy(screen.x(), screen.y()).center());
                return;
            }
        }
        FAIL() << "no key " << label;
    }
    std::shared_ptr<Window> window;
    std::shared_ptr<TextField> field;
    std::shared_ptr<TextField> other;
    std::shared_ptr<int> observerOwner;
    std::vector<KeyboardChange> changes;
};

TEST_F(TextInputTest, KeyboardSlidesUpAndDownWithTheRightFrames)
{
    tap({ 100, 120 });
    ASSERT_TRUE(field->isFirstResponder());
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].begin, (Rect { 0, 667, 375, 216 }));
    EXPECT_EQ(changes[0].end, (Rect { 0, 451, 375, 216 }));
    EXPECT_DOUBLE_EQ(changes[0].duration, 0.25);
    EXPECT_EQ(changes[0].curve, 7);

    // Moving to another input keeps the keyboard where it is.
    tap({ 100, 220 });
    EXPECT_TRUE(other->isFirstResponder());
    EXPECT_EQ(changes.size(), 1u);

    window->endEditing(true);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1].begin, (Rect { 0, 451, 375, 216 }));
    EXPECT_EQ(changes[1].end, (Rect { 0, 667, 375, 216 }));
    advance(1);
    EXPECT_FALSE(Keyboard::shared().isVisible());
}

TEST_F(TextInputTest, ReturnKeyWorksOnlyWithTextAndLettersType)
{
    field->returnKeyType = ReturnKeyType::Done;
    field->enablesReturnKeyAutomatically = true;
    int returns = 0;
    field->shouldReturn = [&](TextField&) {
        ++returns;
        return true;
    };
    tap({ 100, 120 });
    advance(0.5);
    tapKey("完成");
    EXPECT_EQ(returns, 0);
    tapKey("q");
    tapKey("⇧");
    tapKey("W");
    tapKey("空格");
    EXPECT_EQ(field->utf8Text(), "qW ");
    tapKey("⌫");
    tapKey("完成");
    EXPECT_EQ(field->utf8Text(), "qW");
    EXPECT_EQ(returns, 1);
}

TEST_F(TextInputTest, NumberPadsTypeDigitsAndDecimalPadHasAPoint)
{
    field->keyboardType = KeyboardType::DecimalPad;
    tap({ 100, 120 });
    advance(0.5);
    tapKey("8");
    tapKey(".");
    tapKey("5");
    EXPECT_EQ(field->utf8Text(), "8.5");
    other->keyboardType = KeyboardType::NumberPad;
    tap({ 100, 220 });
    for (auto& key : Keyboard::shared().view()->keys())
        EXPECT_NE(key.label, ".");
}

TEST_F(TextInputTest, DeletionNeverSplitsACharacterOfTwoUnits)
{
    field->becomeFirstResponder();
    field->insertText(u"a\U0001F600"); // a, then an emoji of two UTF-16 units
    EXPECT_EQ(field->text().size(), 3u);
    field->deleteBackward();
    EXPECT_EQ(field->text(), u"a");
    field->setText(u"\U0001F600b");
    field->setCaret(1); // inside the pair: moved to its start
    EXPECT_EQ(field->caret(), 0u);
}

TEST_F(TextInputTest, DelegateCanRefuseChangesAndSeesUtf16Ranges)
{
    std::vector<std::pair<Range, std::u16string>> asked;
    field->shouldChangeCharacters = [&](TextField&, Range range, const std::u16string& text) {
        asked.push_back({ range, text });
        return text != u"x";
    };
    int changedEvents = 0;
    field->addAction(EditingChanged, [&](Control&) { ++changedEvents; });
    field->becomeFirstResponder();
    field->insertText(u"你好");
    field->insertText(u"x");
    field->deleteBackward();
    EXPECT_EQ(field->text(), u"你");
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[2].first, (Range { 1, 1 }));
    EXPECT_EQ(changedEvents, 2);
    field->setText(u"程序");
    EXPECT_EQ(changedEvents, 2); // programmatic changes do not echo
}

TEST_F(TextInputTest, ImeCompositionShowsInlineUntilCommitted)
{
    field->becomeFirstResponder();
    field->setMarkedText(u"ni");
    EXPECT_EQ(field->text(), u"");
    field->insertText(u"你");
    EXPECT_EQ(field->text(), u"你");
    EXPECT_TRUE(field->markedText().empty());
}

TEST_F(TextInputTest, TextViewGrowsWithLinesAndLetsTheDelegateTakeReturn)
{
    auto view = std::make_shared<TextView>(Rect { 10, 300, 200, 36 });
    view->setFont(Font::system(16));
    window->addSubview(view);
    double oneLine = view->contentSize().height;
    view->setText(u"一\n二\n三");
    EXPECT_GT(view->contentSize().height, oneLine * 2);

    int changes = 0, notifications = 0;
    view->didChange = [&](TextView&) { ++changes; };
    NotificationCenter::shared().addObserver(observerOwner, TextView::TextDidChangeNotification,
        [&](const Notification& n) { notifications += n.sender == view.get(); });
    std::u16string sent;
    view->shouldChangeText = [&](TextView& v, Range, const std::u16string& text) {
        if (text == u"\n") {
            sent = v.text();
            return false;
        }
        return true;
    };
    view->becomeFirstResponder();
    view->setText(u"");
    view->insertText(u"发消息");
    view->insertText(u"\n");
    EXPECT_EQ(sent, u"发消息");
    EXPECT_EQ(view->text(), u"发消息");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(notifications, 2); // the programmatic clear and the typed text
}

TEST_F(TextInputTest, ATextViewMadeTallEnoughShowsItsFirstLineAgain)
{
    // Typing faster than the composer grows: the view scrolls to the caret on
    // the second line, then gets the height of both lines.
    auto view = std::make_shared<TextView>(Rect { 10, 300, 200, 36 });
    view->setFont(Font::system(16));
    window->addSubview(view);
    view->becomeFirstResponder();
    view->insertText(u"第一行\n第二行");
    window->layoutIfNeeded();
    ASSERT_GT(view->contentOffset().y, 0) << "scrolled to the caret";

    view->setFrame({ 10, 280, 200, view->contentSize().height });
    window->layoutIfNeeded();
    EXPECT_EQ(view->contentOffset().y, 0);

    // Still too short for all of it: the caret's line stays in sight.
    view->insertText(u"\n第三行\n第四行");
    view->setFrame({ 10, 280, 200, view->contentSize().height / 2 });
    window->layoutIfNeeded();
    EXPECT_LE(view->contentOffset().y, view->maximumOffset().y);
    EXPECT_GT(view->contentOffset().y, 0);
}
