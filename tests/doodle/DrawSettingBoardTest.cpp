#include "doodle/DoodleTest.h"

#include "doodle/BackImageBoardCollectionViewCell.h"
#include "ui/NotificationCenter.h"
#include "widgets/ColorHex.h"

using ui::IndexPath;

namespace {

// Remembers what the panel asked its host for.
struct RecordingHost : DWDrawViewDelegate {
    std::vector<int> actions;
    void drawView(DWDrawView&, int action) override { actions.push_back(action); }
};

} // namespace

class DrawSettingBoardTest : public DoodleTest {
protected:
    void SetUp() override
    {
        DoodleTest::SetUp();
        openView();
        panel = view->settingBoard();
        view->showSettingBoard();
        advance(0.5);
        ui::Application::shared().layoutIfNeeded();
        penNotices = 0;
        ui::NotificationCenter::shared().addObserver(window, DWColorBall::kNotification, [this](const ui::Notification&) { ++penNotices; });
    }
    ui::CollectionViewCellPtr swatch(int item) { return panel->collectionView()->cellForItem(IndexPath::forItem(item)); }
    void tapSwatch(int item) { tap(swatch(item)->frameInScreen().center()); }

    std::shared_ptr<DWDrawSettingBoard> panel;
    int penNotices = 0;
};

TEST_F(DrawSettingBoardTest, SwatchesChooseThePenColourAndTheSliderItsWidth)
{
    // Laid out for the first time: the first colour, the ball at 30 %.
    EXPECT_EQ(panel->lastIndexPath(), 0);
    EXPECT_EQ(toColorString(view->drawBoard()->lineColor()), "#ED4040");
    EXPECT_NEAR(panel->ballView()->frame().width(), DWDrawSettingBoard::kBallSize * 0.3, 1e-9);
    EXPECT_DOUBLE_EQ(panel->buttomViewH(), 375.0 / 4 * 30 / 44);
    EXPECT_EQ(panel->frame().maxY(), 667);

    tapSwatch(3);
    tapSwatch(5);
    EXPECT_EQ(swatch(3)->borderWidth(), 0);
    EXPECT_EQ(swatch(5)->borderWidth(), 3);
    EXPECT_EQ(swatch(0)->borderWidth(), 0);
    EXPECT_EQ(toColorString(view->drawBoard()->lineColor()), "#2877E3");
    int before = penNotices;
    tapSwatch(5);
    EXPECT_EQ(penNotices, before + 1) << "the chosen swatch tapped again says so again";
    EXPECT_EQ(swatch(5)->borderWidth(), 3);

    // The thumb dragged to the far end: the ball at full size, the pen 1 / 0.7 wider.
    auto slider = panel->sliderView();
    ui::Point start = slider->frameInScreen().origin + slider->thumbRect().center();
    drag(start, { start.x + 400, start.y });
    EXPECT_EQ(slider->value(), 1);
    EXPECT_NEAR(panel->ballView()->frame().width(), DWDrawSettingBoard::kBallSize, 1e-9);
    EXPECT_NEAR(view->drawBoard()->lineWidth(), DWDrawSettingBoard::kBallSize / 0.7, 1e-9);
}

TEST_F(DrawSettingBoardTest, EachCommandActsOnTheBoardOrAsksTheHost)
{
    auto host = std::make_shared<RecordingHost>();
    view->delegate = host;
    auto board = view->drawBoard();
    auto hidePanel = [&] { tap({ 187, 200 }); advance(0.5); };
    hidePanel();
    stroke({ 40, 100 }, { 300, 100 });
    stroke({ 40, 140 }, { 300, 140 });

    struct Case {
        DWDrawSettingBoard::SettingType type;
        size_t strokes, redoable;
        bool eraser, panelUp;
        std::vector<int> asked;
    };
    const Case cases[] = {
        { DWDrawSettingBoard::Back, 1, 1, false, true, {} },
        { DWDrawSettingBoard::Revocation, 2, 0, false, true, {} },
        { DWDrawSettingBoard::Eraser, 2, 0, true, true, {} },
        { DWDrawSettingBoard::Eraser, 2, 0, false, true, {} },
        { DWDrawSettingBoard::PenSetting, 2, 0, false, true, {} },
        { DWDrawSettingBoard::ClearAll, 0, 0, false, true, {} },
        { DWDrawSettingBoard::OpenCamera, 0, 0, false, false, { DWDrawViewDelegate::CameraAction } },
        { DWDrawSettingBoard::OpenAlbum, 0, 0, false, false, { DWDrawViewDelegate::CameraAction, DWDrawViewDelegate::AlbumAction } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        tapCommand(*view, c.type);
        EXPECT_EQ(board->paths().size(), c.strokes);
        EXPECT_EQ(board->tempPath().size(), c.redoable);
        EXPECT_EQ(DWDrawingBoard::isEraserOn(), c.eraser);
        EXPECT_EQ(panel->button(DWDrawSettingBoard::Eraser)->isSelected(), c.eraser);
        EXPECT_EQ(view->drawWindow()->isHidden(), !c.panelUp);
        EXPECT_EQ(host->actions, c.asked);
    }
}

TEST_F(DrawSettingBoardTest, TheBackgroundBoardsChooseOneAtATime)
{
    std::vector<std::string> announced;
    ui::NotificationCenter::shared().addObserver(window, DWBackImageBoard::kNotification, [&](const ui::Notification& note) {
        announced.push_back(std::any_cast<std::string>(note.userInfo.at(DWBackImageBoard::kNameKey)));
    });
    ui::ImagePtr delivered;
    view->drawBoard()->getChangeBoardImage([&](const ui::ImagePtr& image) { delivered = image; });

    // The hidden picker chose its first board as soon as its grid showed it.
    auto boards = panel->backImageView();
    ASSERT_TRUE(boards->isHidden());
    EXPECT_EQ(boards->selectedItem(), 0);
    EXPECT_EQ(view->drawBoard()->boardBackImage(), ui::Image::named("huaban_1"));
    boards->setHidden(false); // the picker shown, as a later version of the panel may
    ui::Application::shared().layoutIfNeeded();

    auto cell = [&](int item) {
        return std::static_pointer_cast<BackImageBoardCollectionViewCell>(panel->collectionImageBoardView()->cellForItem(IndexPath::forItem(item)));
    };
    tap(cell(2)->frameInScreen().center());
    EXPECT_EQ(announced, (std::vector<std::string> { "huaban_3" }));
    EXPECT_TRUE(cell(0)->selectImage()->isHidden());
    EXPECT_FALSE(cell(2)->selectImage()->isHidden());
    EXPECT_EQ(cell(0)->borderColor(), ui::Color::whiteColor());
    ASSERT_TRUE(delivered);
    EXPECT_EQ(delivered, view->drawBoard()->boardBackImage());
    EXPECT_EQ(delivered, ui::Image::named("huaban_3"));

    tapCommand(*view, DWDrawSettingBoard::PenSetting);
    EXPECT_TRUE(boards->isHidden());
    EXPECT_FALSE(panel->collectionView()->isHidden());
}
