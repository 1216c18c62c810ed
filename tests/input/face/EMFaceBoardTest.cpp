#include "support/PhoneTest.h"

#include "input/face/EMFaceBoard.h"
#include "ui/Window.h"

using namespace ui;

namespace {

struct Recorder : EMFaceBoardDelegate {
    std::vector<std::pair<std::optional<std::u16string>, bool>> faces;
    int sends = 0;
    void SendTheFaceStr(const std::optional<std::u16string>& face, bool isDelete) override { faces.push_back({ face, isDelete }); }
    void sendFace() override { ++sends; }
};

} // namespace

class EMFaceBoardTest : public PhoneTest { };

TEST_F(EMFaceBoardTest, PagesOfTwentyThreeEmojiAndADeleteKeyOnANarrowPanel)
{
    auto board = EMFaceBoard::make({ 0, 0, 320, 210 }, 1);
    EXPECT_EQ(board->pages()[0]->frame().size, (Size { 320, 147 }));
    auto& buttons = board->pages()[0]->buttons();
    ASSERT_EQ(buttons.size(), 24u);
    // Gaps of 40/7 across and 13.5 down between the 30-point cells.
    EXPECT_NEAR(buttons[7]->frame().x(), 20 + 7 * (30 + 40.0 / 7), 1e-9);
    EXPECT_DOUBLE_EQ(buttons[8]->frame().y(), 58.5);
    EXPECT_DOUBLE_EQ(buttons[16]->frame().y(), 102);
    EXPECT_EQ(board->pageControl()->frame(), (Rect { 0, 147, 320, 27 }));
    EXPECT_EQ(board->sectionBar()->frame(), (Rect { 0, 175, 320, 37 }));
    EXPECT_EQ(board->sectionBar()->sendButton()->frame(), (Rect { 285, 0, 35, 37 }));

    auto cell8 = board->pages()[2]->buttons()[8];
    EXPECT_EQ(cell8->tag(), 55);
    ASSERT_TRUE(cell8->currentBackgroundImage());
    EXPECT_EQ(cell8->currentBackgroundImage()->name(), "Emotion_55@2x.png");
    EXPECT_EQ(board->pages()[4]->buttons()[22]->tag(), 115);
    for (auto& page : board->pages()) {
        EXPECT_EQ(page->buttons()[23]->tag(), 0);
        EXPECT_EQ(page->buttons()[23]->currentImage()->name(), "QYDelete_Emotion.png");
    }
    auto pay = EMFaceBoard::make({ 0, 0, 320, 210 }, 2);
    EXPECT_EQ(pay->pages()[0]->buttons()[6]->currentBackgroundImage()->name(), "7.png");
    EXPECT_EQ(pay->pages()[0]->buttons()[23]->currentImage()->name(), "backspace.png");
}

TEST_F(EMFaceBoardTest, TapsReportTheTablesCodeOrTheDeleteKey)
{
    for (int style : { 1, 2 }) {
        auto board = EMFaceBoard::make({ 0, 0, 375, 210 }, style);
        auto recorder = std::make_shared<Recorder>();
        board->setDelegate(recorder);
        board->pages()[0]->faceClick(*board->pages()[0]->buttons()[6]); // emoji 7
        board->pages()[1]->faceClick(*board->pages()[1]->buttons()[23]);
        // Both tables give emoji 7 the same code.
        EXPECT_EQ(recorder->faces, (decltype(recorder->faces) { { u"[天使]", false }, { std::nullopt, true } })) << style;
        auto window = std::make_shared<Window>();
        window->makeKeyAndVisible();
        window->addSubview(board);
        tap(board->sectionBar()->sendButton()->frameInScreen().center());
        EXPECT_EQ(recorder->sends, 1);
        Application::shared().reset();
    }
}

TEST_F(EMFaceBoardTest, PageIndicatorCountsIn320PointSteps)
{
    auto board = EMFaceBoard::make({ 0, 0, 350, 210 }, 1);
    board->scrollView()->setContentOffset({ 640, 0 });
    EXPECT_EQ(board->pageControl()->currentPage(), 2);
    board->scrollView()->setContentOffset({ 1400, 0 });
    EXPECT_EQ(board->pageControl()->currentPage(), 4);
}
