#include "doodle/DoodleTest.h"

#include <fstream>

#include <nlohmann/json.hpp>

#include "ui/Renderer.h"
#include "ui/graphics/Bitmap.h"
#include "widgets/ColorHex.h"
#include "widgets/QYNoticeHUD.h"

using ui::Color;
using ui::Point;

namespace {

// One step of a story told to the board: a stroke in a colour, or a command.
struct Step {
    enum Kind { Stroke, Undo, Redo, Clear } kind;
    const char* color = nullptr;
};
Step strokeIn(const char* color) { return { Step::Stroke, color }; }
const Step undo { Step::Undo }, redo { Step::Redo }, clear { Step::Clear };

struct StackCase {
    const char* story;
    std::vector<Step> steps;
    std::vector<std::string> shown;
    size_t redoable;
};

} // namespace

class DrawingBoardTest : public DoodleTest { };

TEST_F(DrawingBoardTest, UndoRedoAndClearKeepTheirStacks)
{
    const std::vector<StackCase> cases {
        { "redo after a new stroke puts the undone one last", { strokeIn("#ED4040"), strokeIn("#2877E3"), undo, strokeIn("#7CE331"), redo },
            { "#ED4040", "#7CE331", "#2877E3" }, 0 },
        { "clear cannot be redone, nor undone", { strokeIn("#ED4040"), clear, redo, undo }, {}, 0 },
        { "clear keeps what was undone before", { strokeIn("#ED4040"), strokeIn("#2877E3"), undo, clear, redo }, { "#2877E3" }, 0 },
        { "undo and redo on empty stacks change nothing", { undo, redo, strokeIn("#ED4040"), redo }, { "#ED4040" }, 0 },
        { "redo stack is last in, first out", { strokeIn("#ED4040"), strokeIn("#2877E3"), undo, undo, redo }, { "#ED4040" }, 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.story);
        openView();
        auto board = view->drawBoard();
        double y = 100;
        for (const Step& step : c.steps) {
            switch (step.kind) {
            case Step::Stroke:
                board->setLineColor(colorWithHexString(step.color));
                stroke({ 40, y }, { 300, y });
                y += 40;
                break;
            case Step::Undo: board->backToLastDraw(); break;
            case Step::Redo: board->regeneration(); break;
            case Step::Clear: board->clearAll(); break;
            }
        }
        EXPECT_EQ(colorsOf(*board), c.shown);
        EXPECT_EQ(board->tempPath().size(), c.redoable);
        view->removeFromSuperview();
    }
}

TEST_F(DrawingBoardTest, TheEraserKeepsThePenForLaterAndIsOneSwitchForEveryBoard)
{
    openView();
    auto board = view->drawBoard();
    board->setLineColor(colorWithHexString("#ED4040"));
    board->setLineWidth(8);

    board->eraser();
    EXPECT_TRUE(DWDrawingBoard::isEraserOn());
    board->setLineColor(colorWithHexString("#2877E3")); // waits until the eraser is off
    board->setLineWidth(12);                           // the eraser takes it at once
    stroke({ 40, 100 }, { 300, 100 });
    ASSERT_EQ(board->paths().size(), 1u);
    EXPECT_TRUE(board->paths()[0]->isEraser());
    EXPECT_TRUE(board->paths()[0]->pathColor().isClear());
    EXPECT_EQ(board->paths()[0]->lineWidth(), 12);

    // Another board made meanwhile erases too.
    auto other = DWDrawingBoard::make({ 0, 0, 100, 100 });
    EXPECT_TRUE(other->lineColor().isClear());

    board->eraser();
    EXPECT_FALSE(DWDrawingBoard::isEraserOn());
    EXPECT_EQ(toColorString(board->lineColor()), "#2877E3");
    EXPECT_EQ(board->lineWidth(), 12);
    stroke({ 40, 140 }, { 300, 140 });
    EXPECT_FALSE(board->paths()[1]->isEraser());
    EXPECT_EQ(toColorString(board->paths()[1]->pathColor()), "#2877E3");
}

TEST_F(DrawingBoardTest, StrokesReportWhileDrawingAndTheirRecordWhenDone)
{
    openView();
    auto board = view->drawBoard();
    std::vector<int> statuses;
    DWDrawModelPtr record;
    board->drawingStatus([&](int status, const DWDrawModelPtr& model) {
        statuses.push_back(status);
        if (model)
            record = model;
    });

    tapAt({ 50, 60 });
    EXPECT_EQ(statuses, (std::vector<int> { 1, 1, 2 }));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->pointList, (std::vector<DWDrawPoint>(3, { 50, 60 })));
    EXPECT_TRUE(board->tempPoints().empty());
    EXPECT_EQ(board->paths().size(), 1u);

    // The panel's first colour and thinnest pen: 16 points at 30 %, shown 1 / 0.7 wider.
    statuses.clear();
    stroke({ 10, 10 }, { 70, 10 });
    EXPECT_EQ(statuses.size(), 9u); // began, six moves, the last move and the end
    EXPECT_EQ(statuses.back(), 2);
    EXPECT_EQ(record->paintColor, "#ED4040");
    EXPECT_NEAR(record->paintSize, 16 * 0.3 / 0.7, 1e-4);
    EXPECT_EQ(record->pointList.size(), 9u);
    EXPECT_EQ(record->pointList.front(), (DWDrawPoint { 10, 10 }));
    EXPECT_EQ(record->pointList.back(), (DWDrawPoint { 70, 10 }));
    EXPECT_FALSE(record->isEraser);
    EXPECT_EQ(record->width, 375);
    EXPECT_EQ(record->hight, 667);
}

TEST_F(DrawingBoardTest, SavingWritesThePhotoWithTheStrokesAndTheEraserShowsThePhotoThrough)
{
    openView();
    view->setDrawBoardImage(plainImage(375, 603, kOpaqueBlue));
    auto board = view->drawBoard();
    board->setLineWidth(20);
    stroke({ 40, 200 }, { 330, 200 }); // red across
    board->eraser();
    stroke({ 180, 120 }, { 180, 280 }); // erased down the middle
    board->eraser();

    view->showSettingBoard();
    advance(0.5);
    tap(view->settingBoard()->button(DWDrawSettingBoard::SaveImage)->frameInScreen().center());
    advance(0.3); // the notice is up for 0.86 seconds
    EXPECT_TRUE(QYNoticeHUD::sharedView()->isVisible());
    EXPECT_EQ(QYNoticeHUD::sharedView()->status(), DWDrawingBoard::kSavedMessage);
    EXPECT_EQ(QYNoticeHUD::sharedView()->kind(), QYNoticeHUD::Kind::Success);
    EXPECT_EQ(QYNoticeHUD::sharedView()->superview(), window.get()) << "shown where the user looks, not on the leaving panel";
    EXPECT_TRUE(view->drawWindow()->isHidden());
    ASSERT_FALSE(newestAlbumFile().empty());
    EXPECT_EQ(savedPixel({ 100, 200 }), kOpaqueRed);
    EXPECT_EQ(savedPixel({ 180, 200 }), kOpaqueBlue) << "the eraser shows the photo, not a hole";
    EXPECT_EQ(savedPixel({ 100, 300 }), kOpaqueBlue);

    // An album that cannot be written says so, rather than claim success.
    std::filesystem::remove_all(album);
    { std::ofstream blocker(album); blocker << "not a folder"; }
    board->saveCurrentImageToAlbum();
    advance(0);
    EXPECT_EQ(QYNoticeHUD::sharedView()->status(), DWDrawingBoard::kSaveFailedMessage);
    EXPECT_EQ(QYNoticeHUD::sharedView()->kind(), QYNoticeHUD::Kind::Error);
    std::filesystem::remove(album);
}

TEST_F(DrawingBoardTest, RedrawingOnlyTheDirtyRectangleShowsWhatAFullRedrawShows)
{
    useDevice("iphone6plus");
    openView();
    auto board = view->drawBoard();
    // What is shown now against the layers painted afresh from the strokes,
    // which a new size forces.
    auto expectSameAsFullRedraw = [&](const char* when) {
        SCOPED_TRACE(when);
        auto shown = ui::Renderer::snapshotView(*board);
        ui::Rect frame = board->frame();
        board->setFrame({ frame.origin, { frame.width() + 1, frame.height() } });
        ui::Renderer::snapshotView(*board);
        board->setFrame(frame);
        auto rebuilt = ui::Renderer::snapshotView(*board);
        ASSERT_EQ(shown->pixels().pixels.size(), rebuilt->pixels().pixels.size());
        size_t differing = 0;
        for (size_t i = 0; i < shown->pixels().pixels.size(); ++i)
            // Edges of pieces rasterised apart may round a few levels differently.
            differing += std::abs(int(shown->pixels().pixels[i]) - int(rebuilt->pixels().pixels[i])) > 8;
        EXPECT_EQ(differing, 0u);
    };

    const char* palette[] = { "#ED4040", "#7CE331", "#2877E3" };
    for (int i = 0; i < 12; ++i) {
        board->setLineColor(colorWithHexString(palette[i % 3]));
        board->setLineWidth(4 + i);
        stroke({ 20.0 + i * 25, 40 }, { 380.0 - i * 20, 500.0 - i * 10 });
    }
    board->eraser();
    ui::Application::shared().touchDown({ 30, 300 + kTop });
    for (int i = 1; i <= 20; ++i) {
        ui::Application::shared().touchMove({ 30.0 + i * 17, 300 + kTop + (i % 2) * 30 });
        ui::Rect dirty = board->lastDirtyRect();
        EXPECT_LE(dirty.width() * dirty.height(), 80.0 * 80.0) << "a move repaints around its own segment";
    }
    expectSameAsFullRedraw("an eraser stroke under the finger");
    ui::Application::shared().touchUp({ 370, 300 + kTop });
    board->eraser();

    board->backToLastDraw(); // the eraser stroke
    board->backToLastDraw(); // and the widest stroke, which crossed the others
    expectSameAsFullRedraw("after undo");
    board->regeneration();
    expectSameAsFullRedraw("after redo");
}

TEST_F(DrawingBoardTest, ARecordReplaysOnAnotherScreenAndBadRecordsAreHarmless)
{
    openView();
    DWDrawModelPtr record;
    view->drawBoard()->drawingStatus([&](int, const DWDrawModelPtr& model) {
        if (model)
            record = model;
    });
    view->drawBoard()->setLineColor(colorWithHexString("#2877E3"));
    stroke({ 37.5, 100 }, { 300, 200 });
    ASSERT_TRUE(record);
    nlohmann::json dictionary = record->dictionary();
    auto copy = DWDrawModel::objectWith(dictionary);
    EXPECT_EQ(copy->dictionary(), dictionary);

    useDevice("iphone6plus"); // 414 × 736
    auto board = DWDrawingBoard::make({ 0, 0, 414, 672 });
    board->drawWithPoints(*copy);
    ASSERT_EQ(board->paths().size(), 1u);
    const auto& points = board->paths()[0]->points();
    EXPECT_NEAR(points.front().x, 37.5 * 414 / 375, 1e-3);
    EXPECT_NEAR(points.front().y, 100.0 * 736 / 667, 1e-3);
    EXPECT_EQ(toColorString(board->paths()[0]->pathColor()), "#2877E3");
    EXPECT_TRUE(board->isUserInteractionEnabled());

    const char* bad[] = {
        "null", "[]", "{}", R"({"pointList": 5, "paintSize": "wide", "width": 0})",
        R"({"pointList": [{"x": 1}, "x", {"x": 2, "y": 3}], "paintColor": 7, "isEraser": 1, "hight": -4})",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        auto model = DWDrawModel::objectWith(nlohmann::json::parse(text));
        board->drawWithPoints(*model); // draws only what it can read
    }
    EXPECT_EQ(board->paths().size(), 2u);
    EXPECT_TRUE(board->paths()[1]->isEraser());
    EXPECT_EQ(board->paths()[1]->points().size(), 1u);
}
