#include "support/PhoneTest.h"

#include <string>
#include <vector>

#include "input/toolbar/GXMessageToolBar.h"
#include "ui/Keyboard.h"
#include "ui/Window.h"

using namespace ui;

class GXMessageToolBarTest : public PhoneTest {
protected:
    void build(const char* device, int style = 1)
    {
        useDevice(device);
        window = std::make_shared<Window>();
        window->makeKeyAndVisible();
        screen = std::make_shared<View>(window->bounds());
        window->addSubview(screen);
        Size size = Screen::main().size();
        toolbar = GXMessageToolBar::make({ 0, size.height - 50, size.width, 50 }, style);
        screen->addSubview(toolbar);
        delegate = std::make_shared<GXMessageToolBarDelegate>();
        delegate->didChangeFrameToHeight = [this](double h) { heights.push_back(h); };
        delegate->didSendText = [this](const std::u16string& text) { sent.push_back(text); };
        for (auto [field, name] : std::vector<std::pair<std::function<void()> GXMessageToolBarDelegate::*, std::string>> {
                 { &GXMessageToolBarDelegate::didStartRecordingVoiceAction, "start" },
                 { &GXMessageToolBarDelegate::didFinishRecoingVoiceAction, "finish" },
                 { &GXMessageToolBarDelegate::didCancelRecordingVoiceAction, "cancel" },
                 { &GXMessageToolBarDelegate::didDragOutsideAction, "outside" } }) {
            (*delegate).*field = [this, name] { events.push_back(name); };
        }
        delegate->inputTextViewWillBeginEditing = [this](GXMessageTextView&) { events.push_back("willBegin"); };
        delegate->inputTextViewDidBeginEditing = [this](GXMessageTextView&) { events.push_back("didBegin"); };
        toolbar->setDelegate(delegate);
    }
    void press(const std::shared_ptr<Button>& button) { tap(button->frameInScreen().center()); }
    double bottom() const { return toolbar->frame().maxY(); }
    // Sets the text as typing would, then lets the toolbar measure it.
    void typeText(const std::u16string& text)
    {
        auto view = toolbar->msgTextView();
        view->replaceText({ 0, view->text().size() }, text);
    }

    std::shared_ptr<Window> window;
    std::shared_ptr<View> screen;
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
    EXPECT_EQ(toolbar->faceButton()->frame(), (Rect { 247, 8, 36, 36 }));
    EXPECT_EQ(toolbar->moreButton()->frame(), (Rect { 283, 8, 36, 36 }));
    EXPECT_EQ(toolbar->voiceButton()->frame(), (Rect { 3, 8, 36, 36 }));
    EXPECT_EQ(toolbar->moreView()->frame(), (Rect { 0, 46, 320, 210 }));
    EXPECT_EQ(toolbar->faceViewManager()->frame(), (Rect { 0, 46, 320, 210 }));
    EXPECT_EQ(toolbar->moreView()->shareMenuItems().size(), 7u);
    EXPECT_EQ(toolbar->moreView()->shareMenuItems()[6]->title, "清屏");
    EXPECT_EQ(toolbar->voiceButton()->currentImage()->name(), "QYVoice.png");

    build("iphone6", 2);
    EXPECT_EQ(toolbar->voiceButton()->currentImage()->name(), "QYPay_Voice.png");
    EXPECT_EQ(toolbar->recordButton()->currentImage()->name(), "QYPay_Press.png");
}

TEST_F(GXMessageToolBarTest, TextRowGrowsWithinItsLimitsKeepingTheBottomEdge)
{
    build("iphone6");
    double bottomEdge = bottom();
    toolbar->willInputTextViewChangHeight(60);
    EXPECT_DOUBLE_EQ(toolbar->frame().height(), 74);
    EXPECT_DOUBLE_EQ(toolbar->msgTextView()->frame().height(), 60);
    EXPECT_DOUBLE_EQ(bottom(), bottomEdge);
    toolbar->willInputTextViewChangHeight(1000);
    EXPECT_DOUBLE_EQ(toolbar->msgTextView()->frame().height(), 200);
    toolbar->willInputTextViewChangHeight(10);
    EXPECT_DOUBLE_EQ(toolbar->msgTextView()->frame().height(), 36);
    EXPECT_DOUBLE_EQ(toolbar->frame().height(), 50);
    EXPECT_EQ(heights, (std::vector<double> { 74, 214, 50 }));
    toolbar->willInputTextViewChangHeight(30); // already at the floor: nothing sent
    EXPECT_EQ(heights.size(), 3u);

    // Typed text drives the same rule through the measurement.
    typeText(u"一行\n两行\n三行\n四行");
    EXPECT_GT(toolbar->msgTextView()->frame().height(), 36);
    EXPECT_LE(toolbar->msgTextView()->frame().height(), 200);
}

TEST_F(GXMessageToolBarTest, FollowsTheKeyboardAndIgnoresALeaveWhenCollapsed)
{
    build("iphone6");
    tap(toolbar->msgTextView()->frameInScreen().center());
    advance(1);
    EXPECT_EQ(events, (std::vector<std::string> { "willBegin", "didBegin" }));
    EXPECT_DOUBLE_EQ(toolbar->frame().height(), 50 + 216);
    EXPECT_DOUBLE_EQ(bottom(), 667);
    EXPECT_EQ(heights.back(), 266);

    // The keyboard changing its frame while it stays up resizes the strip too.
    toolbar->willShowKeyboardFromFrame({ 0, 451, 375, 216 }, { 0, 415, 375, 252 });
    EXPECT_DOUBLE_EQ(toolbar->frame().height(), 50 + 252);

    toolbar->endEditing(true);
    advance(1);
    EXPECT_DOUBLE_EQ(toolbar->frame().height(), 50);
    size_t sentCount = heights.size();
    toolbar->willShowKeyboardFromFrame({ 0, 451, 375, 216 }, { 0, 667, 375, 216 });
    EXPECT_EQ(heights.size(), sentCount);
}

TEST_F(GXMessageToolBarTest, ReturnSendsTheTextAndClearsTheField)
{
    build("iphone6");
    toolbar->msgTextView()->becomeFirstResponder();
    toolbar->msgTextView()->insertText(u"\n"); // empty: the send key is disabled
    EXPECT_TRUE(sent.empty());
    typeText(u"第一行\n第二行\n第三行");
    EXPECT_GT(toolbar->previousTextViewContentHeight(), 36);
    toolbar->msgTextView()->setSelectedRange({ toolbar->msgTextView()->text().size(), 0 });
    toolbar->msgTextView()->insertText(u"\n");
    EXPECT_EQ(sent, (std::vector<std::u16string> { u"第一行\n第二行\n第三行" }));
    EXPECT_EQ(toolbar->msgTextView()->text(), u"");
    EXPECT_DOUBLE_EQ(toolbar->previousTextViewContentHeight(), 36);
    EXPECT_DOUBLE_EQ(toolbar->msgTextView()->frame().height(), 36);

    // Without a taker the return key does nothing and the text stays.
    delegate->didSendText = nullptr;
    typeText(u"abc");
    toolbar->msgTextView()->insertText(u"\n");
    EXPECT_EQ(toolbar->msgTextView()->text(), u"abc");
}

TEST_F(GXMessageToolBarTest, VoiceAndBackRestoresTheTextRowsHeight)
{
    build("iphone6");
    typeText(u"一\n二\n三");
    double rowHeight = toolbar->msgTextView()->frame().height();
    ASSERT_GT(rowHeight, 36);
    press(toolbar->voiceButton());
    advance(1);
    EXPECT_TRUE(toolbar->voiceButton()->isSelected());
    EXPECT_FALSE(toolbar->recordButton()->isHidden());
    EXPECT_TRUE(toolbar->msgTextView()->isHidden());
    EXPECT_DOUBLE_EQ(toolbar->frame().height(), 50);
    EXPECT_DOUBLE_EQ(toolbar->msgTextView()->frame().height(), 36);

    press(toolbar->voiceButton());
    advance(1);
    EXPECT_TRUE(toolbar->msgTextView()->isFirstResponder());
    EXPECT_DOUBLE_EQ(toolbar->msgTextView()->frame().height(), rowHeight);
    EXPECT_DOUBLE_EQ(toolbar->frame().height(), rowHeight + 14 + 216);
}

TEST_F(GXMessageToolBarTest, PanelsOpenBelowTheStripAndCloseOnEndEditing)
{
    build("iphone6");
    press(toolbar->faceButton());
    advance(1);
    EXPECT_TRUE(toolbar->isShowBottomView());
    EXPECT_DOUBLE_EQ(toolbar->frame().height(), 50 + 210);
    EXPECT_DOUBLE_EQ(bottom(), 667);
    EXPECT_FALSE(toolbar->faceViewManager()->isHidden());
    EXPECT_TRUE(toolbar->moreView()->isHidden());
    EXPECT_DOUBLE_EQ(toolbar->faceViewManager()->frame().y(), 46);

    // Straight to the more panel: the face button stays selected (it offers the keyboard).
    press(toolbar->moreButton());
    advance(1);
    EXPECT_FALSE(toolbar->moreView()->isHidden());
    EXPECT_TRUE(toolbar->faceViewManager()->isHidden());
    EXPECT_TRUE(toolbar->faceButton()->isSelected());

    heights.clear();
    toolbar->endEditing(true);
    EXPECT_DOUBLE_EQ(toolbar->frame().height(), 260); // shrinks when the slide ends
    advance(0.5);
    EXPECT_DOUBLE_EQ(toolbar->frame().height(), 50);
    EXPECT_DOUBLE_EQ(bottom(), 667);
    EXPECT_FALSE(toolbar->isShowBottomView());
    EXPECT_FALSE(toolbar->faceButton()->isSelected());
    EXPECT_TRUE(toolbar->moreButton()->isSelected());
    EXPECT_EQ(heights, (std::vector<double> { 50 }));
}

TEST_F(GXMessageToolBarTest, PressToTalkReportsItsTouches)
{
    build("iphone6");
    press(toolbar->voiceButton());
    advance(1);
    Rect button = toolbar->recordButton()->frameInScreen();
    tap(button.center());
    auto& app = Application::shared();
    app.touchDown(button.center());
    app.touchMove({ button.midX(), button.y() - 200 });
    app.touchUp({ button.midX(), button.y() - 200 });
    EXPECT_EQ(events, (std::vector<std::string> { "start", "finish", "start", "outside", "cancel" }));
}

TEST_F(GXMessageToolBarTest, PanelEventsAreForwarded)
{
    build("iphone6");
    std::vector<int> items;
    std::vector<std::optional<std::u16string>> faces;
    int sends = 0;
    delegate->didSelectItemWithIndex = [&](int index, const GXMoreItemPtr&) { items.push_back(index); };
    delegate->didSelectFaceStr = [&](const std::optional<std::u16string>& face, bool) { faces.push_back(face); };
    delegate->sendFace = [&] { ++sends; };
    press(toolbar->moreButton());
    advance(1);
    auto cell = toolbar->moreView()->cellAtIndex(2);
    tap(cell->itemButton()->frameInScreen().center());
    toolbar->SendTheFaceStr(std::nullopt, true);
    toolbar->sendFace();
    EXPECT_EQ(items, (std::vector<int> { 2 }));
    EXPECT_EQ(faces.size(), 1u);
    EXPECT_EQ(sends, 1);
}
