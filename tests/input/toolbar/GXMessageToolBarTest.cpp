#include "support/PhoneTest.h"

#include <string>
#include <vector>

#include "input/toolbar/GXMessageToolBar.h"
#include "ui/Window.h"

using namespace ui;

class GXMessageToolBarTest : public PhoneTest {
protected:
    void build(const char* device, int style = 1)
    {
        useDevice(device);
        window = std::make_shared<Window>();
        window->makeKeyAndVisible();
        Size size = Screen::main().size();
        toolbar = GXMessageToolBar::make({ 0, size.height - 50, size.width, 50 }, style);
        window->addSubview(toolbar);
        delegate = std::make_shared<GXMessageToolBarDelegate>();
        delegate->didChangeFrameToHeight = [this](double h) { heights.push_back(h); };
        delegate->didSendText = [this](const std::u16string& text) { sent.push_back(text); };
        auto note = [this](std::string name) { return [this, name] { events.push_back(name); }; };
        delegate->didStartRecordingVoiceAction = note("start");
        delegate->didFinishRecoingVoiceAction = note("finish");
        delegate->didCancelRecordingVoiceAction = note("cancel");
        delegate->didDragOutsideAction = note("outside");
        delegate->sendFace = note("sendFace");
        delegate->inputTextViewWillBeginEditing = [this](GXMessageTextView&) { events.push_back("willBegin"); };
        delegate->inputTextViewDidBeginEditing = [this](GXMessageTextView&) { events.push_back("didBegin"); };
        delegate->didSelectItemWithIndex = [this](int i, const GXMoreItemPtr&) { events.push_back("item" + std::to_string(i)); };
        delegate->didSelectFaceStr = [this](const std::optional<std::u16string>& face, bool) { events.push_back(face ? "face" : "delete"); };
        toolbar->setDelegate(delegate);
    }
    void press(const std::shared_ptr<View>& button)
    {
        tap(button->frameInScreen().center());
        advance(1);
    }
    double height() const { return toolbar->frame().height(); }
    double rowHeight() const { return toolbar->msgTextView()->frame().height(); }
    // Replaces the text as typing would, so the toolbar measures it.
    void typeText(const std::u16string& text)
    {
        auto view = toolbar->msgTextView();
        view->replaceText({ 0, view->text().size() }, text);
    }

    std::shared_ptr<Window> window;
    std::shared_ptr<GXMessageToolBar> toolbar;
    std::shared_ptr<GXMessageToolBarDelegate> delegate;
    std::vector<double> heights;
    std::vector<std::u16string> sent;
    std::vector<std::string> events;
};

TEST_F(GXMessageToolBarTest, NarrowPhoneGeometry)
{
    build("iphone5");
    EXPECT_EQ(toolbar->msgTextView()->frame(), (Rect { 45, 7, 199, 36 }));
    EXPECT_EQ(toolbar->recordButton()->frame(), (Rect { 45, 8, 199, 36 }));
    EXPECT_TRUE(toolbar->recordButton()->isHidden());
    EXPECT_EQ(toolbar->voiceButton()->frame(), (Rect { 3, 8, 36, 36 }));
    EXPECT_EQ(toolbar->faceButton()->frame(), (Rect { 247, 8, 36, 36 }));
    EXPECT_EQ(toolbar->moreButton()->frame(), (Rect { 283, 8, 36, 36 }));
    EXPECT_EQ(toolbar->moreView()->frame(), (Rect { 0, 46, 320, 210 }));
    EXPECT_EQ(toolbar->faceViewManager()->frame(), (Rect { 0, 46, 320, 210 }));
    ASSERT_EQ(toolbar->moreView()->shareMenuItems().size(), 7u);
    EXPECT_EQ(toolbar->moreView()->shareMenuItems()[6]->title, "清屏");
    EXPECT_EQ(toolbar->voiceButton()->currentImage()->name(), "QYVoice.png");

    build("iphone6", 2);
    EXPECT_EQ(toolbar->voiceButton()->currentImage()->name(), "QYPay_Voice.png");
    EXPECT_EQ(toolbar->recordButton()->currentImage()->name(), "QYPay_Press.png");
}

TEST_F(GXMessageToolBarTest, TextRowGrowsWithinItsLimitsAndReturnSendsAndShrinksIt)
{
    build("iphone6");
    toolbar->willInputTextViewChangHeight(60);
    EXPECT_DOUBLE_EQ(height(), 74);
    EXPECT_DOUBLE_EQ(toolbar->frame().maxY(), 667);
    toolbar->willInputTextViewChangHeight(1000);
    EXPECT_DOUBLE_EQ(rowHeight(), 200);
    toolbar->willInputTextViewChangHeight(10);
    EXPECT_DOUBLE_EQ(rowHeight(), 36);
    toolbar->willInputTextViewChangHeight(30); // already at the floor: nothing sent
    EXPECT_EQ(heights, (std::vector<double> { 74, 214, 50 }));

    toolbar->msgTextView()->becomeFirstResponder();
    toolbar->msgTextView()->insertText(u"\n"); // empty: the send key is disabled
    EXPECT_TRUE(sent.empty());
    typeText(u"第一行\n第二行\n第三行");
    EXPECT_GT(rowHeight(), 36);
    EXPECT_LE(rowHeight(), 200);
    toolbar->msgTextView()->setSelectedRange({ toolbar->msgTextView()->text().size(), 0 });
    toolbar->msgTextView()->insertText(u"\n");
    EXPECT_EQ(sent, (std::vector<std::u16string> { u"第一行\n第二行\n第三行" }));
    EXPECT_EQ(toolbar->msgTextView()->text(), u"");
    EXPECT_DOUBLE_EQ(toolbar->previousTextViewContentHeight(), 36);
    EXPECT_DOUBLE_EQ(rowHeight(), 36);

    // Without a taker the return key does nothing and the text stays.
    delegate->didSendText = nullptr;
    typeText(u"abc");
    toolbar->msgTextView()->insertText(u"\n");
    EXPECT_EQ(toolbar->msgTextView()->text(), u"abc");
}

TEST_F(GXMessageToolBarTest, FollowsTheKeyboardAndVoiceTalksAndComesBackToTheRow)
{
    build("iphone6");
    press(toolbar->msgTextView());
    EXPECT_EQ(events, (std::vector<std::string> { "willBegin", "didBegin" }));
    EXPECT_DOUBLE_EQ(height(), 50 + 216);
    EXPECT_DOUBLE_EQ(toolbar->frame().maxY(), 667);
    EXPECT_EQ(heights.back(), 266);
    // The keyboard changing its frame while it stays up resizes the strip too.
    toolbar->willShowKeyboardFromFrame({ 0, 451, 375, 216 }, { 0, 415, 375, 252 });
    EXPECT_DOUBLE_EQ(height(), 50 + 252);
    toolbar->endEditing(true);
    advance(1);
    EXPECT_DOUBLE_EQ(height(), 50);
    size_t sentCount = heights.size();
    toolbar->willShowKeyboardFromFrame({ 0, 451, 375, 216 }, { 0, 667, 375, 216 });
    EXPECT_EQ(heights.size(), sentCount) << "a keyboard leaving a collapsed strip changes nothing";

    typeText(u"一\n二\n三");
    double row = rowHeight();
    ASSERT_GT(row, 36);
    press(toolbar->voiceButton());
    EXPECT_TRUE(toolbar->voiceButton()->isSelected());
    EXPECT_FALSE(toolbar->recordButton()->isHidden());
    EXPECT_TRUE(toolbar->msgTextView()->isHidden());
    EXPECT_DOUBLE_EQ(height(), 50);
    // Press to talk: a tap, then a press dragged away and let go outside.
    events.clear();
    Rect button = toolbar->recordButton()->frameInScreen();
    tap(button.center());
    drag(button.center(), { button.midX(), button.y() - 200 }, 1, 0);
    EXPECT_EQ(events, (std::vector<std::string> { "start", "finish", "start", "outside", "cancel" }));
    press(toolbar->voiceButton());
    EXPECT_TRUE(toolbar->msgTextView()->isFirstResponder());
    EXPECT_DOUBLE_EQ(rowHeight(), row);
    EXPECT_DOUBLE_EQ(height(), row + 14 + 216);
}

TEST_F(GXMessageToolBarTest, PanelsOpenBelowTheStripForwardTheirEventsAndCloseOnEndEditing)
{
    build("iphone6");
    press(toolbar->faceButton());
    EXPECT_TRUE(toolbar->isShowBottomView());
    EXPECT_DOUBLE_EQ(height(), 50 + 210);
    EXPECT_DOUBLE_EQ(toolbar->frame().maxY(), 667);
    EXPECT_FALSE(toolbar->faceViewManager()->isHidden());
    EXPECT_TRUE(toolbar->moreView()->isHidden());

    // Straight to the more panel: the face button stays selected (it offers the keyboard).
    press(toolbar->moreButton());
    EXPECT_FALSE(toolbar->moreView()->isHidden());
    EXPECT_TRUE(toolbar->faceViewManager()->isHidden());
    EXPECT_TRUE(toolbar->faceButton()->isSelected());
    events.clear();
    tap(toolbar->moreView()->cellAtIndex(2)->itemButton()->frameInScreen().center());
    toolbar->SendTheFaceStr(std::nullopt, true);
    toolbar->sendFace();
    EXPECT_EQ(events, (std::vector<std::string> { "item2", "delete", "sendFace" }));

    heights.clear();
    toolbar->endEditing(true);
    EXPECT_DOUBLE_EQ(height(), 260); // shrinks when the slide ends
    advance(0.5);
    EXPECT_DOUBLE_EQ(height(), 50);
    EXPECT_DOUBLE_EQ(toolbar->frame().maxY(), 667);
    EXPECT_FALSE(toolbar->isShowBottomView());
    EXPECT_FALSE(toolbar->faceButton()->isSelected());
    EXPECT_TRUE(toolbar->moreButton()->isSelected());
    EXPECT_EQ(heights, (std::vector<double> { 50 }));
}
