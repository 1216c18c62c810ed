#include "doodle/DWDrawSettingBoard.h"

#include "doodle/DWPanelStyle.h"
#include "widgets/ColorHex.h"

namespace {

constexpr double kSwatchRowTop = 12;
constexpr double kSwatchRowHeight = 34;
constexpr double kSide = 12;

// The commands of the bar, left to right.
struct Command {
    const char* image;
    DWDrawSettingBoard::SettingType type;
};
constexpr Command kCommands[] = {
    { "DWCamera.png", DWDrawSettingBoard::OpenCamera },
    { "DWAlbum.png", DWDrawSettingBoard::OpenAlbum },
    { "DWSave.png", DWDrawSettingBoard::SaveImage },
    { "DWEraser.png", DWDrawSettingBoard::Eraser },
    { "DWUndo.png", DWDrawSettingBoard::Back },
    { "DWRedo.png", DWDrawSettingBoard::Revocation },
    { "DWClear.png", DWDrawSettingBoard::ClearAll },
};

} // namespace

const std::vector<std::string>& DWDrawSettingBoard::colors()
{
    static const std::vector<std::string> list { "#ed4040", "#f5973c", "#efe82e", "#7ce331", "#48dcde", "#2877e3", "#9b33e4" };
    return list;
}

DWDrawSettingBoard::DWDrawSettingBoard(const ui::Rect& frame)
    : ui::View(frame)
{
    setBackgroundColor(DWPanelStyle::background());
    for (int i = 0; i < int(colors().size()); ++i)
        m_colorSelectModels.push_back({ i, false });
}

std::shared_ptr<DWDrawSettingBoard> DWDrawSettingBoard::make(const ui::Rect& frame)
{
    auto board = std::make_shared<DWDrawSettingBoard>(frame);
    board->setUp();
    return board;
}

void DWDrawSettingBoard::setUp()
{
    std::weak_ptr<ui::View> weak = sharedView();
    auto self = [weak] { return std::static_pointer_cast<DWDrawSettingBoard>(weak.lock()); };

    m_centerView = std::make_shared<ui::View>();
    addSubview(m_centerView);

    auto swatchLayout = std::make_shared<ui::CollectionViewFlowLayout>();
    swatchLayout->itemSize = { 30, 30 };
    swatchLayout->minimumInteritemSpacing = 8;
    m_collectionView = std::make_shared<ui::CollectionView>(ui::Rect {}, swatchLayout);
    m_collectionView->setBackgroundColor(ui::Color::clearColor());
    m_collectionView->registerCell(kSwatchIdentifier, [] { return std::make_shared<ui::CollectionViewCell>(); });
    m_collectionView->numberOfItemsInSection = [self](ui::CollectionView&, int) {
        auto board = self();
        return board ? int(board->m_colorSelectModels.size()) : 0;
    };
    m_collectionView->cellForItemAtIndexPath = [self](ui::CollectionView& grid, const ui::IndexPath& indexPath) {
        auto board = self();
        return board ? board->swatchCell(grid, indexPath) : grid.dequeueReusableCell(kSwatchIdentifier, indexPath);
    };
    m_collectionView->didSelectItemAtIndexPath = [self](ui::CollectionView&, const ui::IndexPath& indexPath) {
        if (auto board = self())
            board->selectSwatch(indexPath.item());
    };
    m_centerView->addSubview(m_collectionView);

    m_sliderView = std::make_shared<ui::Slider>();
    m_sliderView->setMinimumTrackTintColor(colorWithHexString("#48dcde"));
    m_sliderView->setMaximumTrackTintColor(ui::Color::rgb(90, 90, 96));
    m_sliderView->addAction(ui::ValueChanged, [self](ui::Control& control) {
        if (auto board = self())
            board->m_ballView->setBallSize(static_cast<ui::Slider&>(control).value());
    });
    m_centerView->addSubview(m_sliderView);

    m_ballView = std::make_shared<DWColorBall>(ui::Rect { 0, 0, kBallSize, kBallSize });
    m_centerView->addSubview(m_ballView);

    m_buttomView = std::make_shared<ui::View>();
    m_buttomView->setBackgroundColor(DWPanelStyle::barBackground());
    for (const Command& command : kCommands) {
        auto button = makeButton(command.image, command.type);
        m_buttomView->addSubview(button);
        m_commands.push_back(button);
    }
    if (auto eraser = button(Eraser))
        eraser->setImage(ui::Image::named("DWEraser_Selected.png"), ui::StateSelected);
    addSubview(m_buttomView);

    // The background boards: hidden, as the pen settings keep them.
    m_backImageView = std::make_shared<DWBackImageBoard>(ui::Rect {});
    m_backImageView->setBackgroundColor(DWPanelStyle::background());
    auto boardLayout = std::make_shared<ui::CollectionViewFlowLayout>();
    boardLayout->itemSize = { 60, 40 };
    m_collectionImageBoardView = std::make_shared<ui::CollectionView>(ui::Rect {}, boardLayout);
    m_collectionImageBoardView->setBackgroundColor(m_backImageView->backgroundColor());
    m_backImageView->setCollectionView(m_collectionImageBoardView);
    m_backImageView->setHidden(true);
    addSubview(m_backImageView);

    // Over the board picker too, so the pen settings can always be had back.
    m_penButton = makeButton("DWPen.png", PenSetting);
    addSubview(m_penButton);
}

std::shared_ptr<ui::Button> DWDrawSettingBoard::makeButton(const std::string& image, SettingType type)
{
    auto button = ui::Button::make();
    button->setImage(ui::Image::named(image));
    button->setTag(type);
    std::weak_ptr<ui::View> weak = sharedView();
    button->addAction(ui::TouchUpInside, [weak, type](ui::Control&) {
        auto board = std::static_pointer_cast<DWDrawSettingBoard>(weak.lock());
        if (!board)
            return;
        if (type == PenSetting)
            board->penSetting();
        board->send(type);
    });
    return button;
}

std::shared_ptr<ui::Button> DWDrawSettingBoard::button(SettingType type) const
{
    if (type == PenSetting)
        return m_penButton;
    for (const auto& command : m_commands) {
        if (command->tag() == type)
            return command;
    }
    return nullptr;
}

void DWDrawSettingBoard::send(SettingType type)
{
    if (m_stype) {
        auto receiver = m_stype;
        receiver(type);
    }
}

void DWDrawSettingBoard::penSetting()
{
    m_backImageView->setHidden(true);
    m_centerView->setHidden(false);
    m_collectionView->setHidden(false);
}

void DWDrawSettingBoard::setEraserSelected(bool selected)
{
    if (auto eraser = button(Eraser))
        eraser->setSelected(selected);
}

ui::CollectionViewCellPtr DWDrawSettingBoard::swatchCell(ui::CollectionView& grid, const ui::IndexPath& indexPath)
{
    auto cell = grid.dequeueReusableCell(kSwatchIdentifier, indexPath);
    int item = indexPath.item();
    if (item < 0 || item >= int(m_colorSelectModels.size()))
        return cell;
    const DWBallColorModel& model = m_colorSelectModels[size_t(item)];
    cell->setBackgroundColor(colorWithHexString(colors()[size_t(model.ballColor)]));
    cell->setCornerRadius(3);
    cell->setClipsToBounds(true);
    cell->setBorderColor(DWPanelStyle::selectionColor());
    cell->setBorderWidth(model.isBallColor ? 3 : 0);
    return cell;
}

void DWDrawSettingBoard::selectSwatch(int item)
{
    if (item < 0 || item >= int(m_colorSelectModels.size()))
        return;
    if (m_lastIndex) {
        m_colorSelectModels[size_t(*m_lastIndex)].isBallColor = false;
        m_collectionView->reloadItems({ ui::IndexPath::forItem(*m_lastIndex) });
    }
    m_lastIndex = item;
    DWBallColorModel& model = m_colorSelectModels[size_t(item)];
    m_ballView->setBallColor(colorWithHexString(colors()[size_t(model.ballColor)]));
    model.isBallColor = true;
    m_collectionView->reloadItems({ ui::IndexPath::forItem(item) });
}

void DWDrawSettingBoard::layoutSubviews()
{
    double width = bounds().width(), height = bounds().height();
    // Four buttons of the bar's picture proportions would fill its width.
    double proportion = 0.9;
    if (auto image = m_commands.front()->imageForState(ui::StateNormal); image && image->size().width > 0)
        proportion = image->size().height / image->size().width;
    m_buttomViewH = width / 4 * proportion;
    m_buttomView->setFrame({ 0, height - m_buttomViewH, width, m_buttomViewH });
    double commandWidth = width / kCommandCount;
    for (size_t i = 0; i < m_commands.size(); ++i)
        m_commands[i]->setFrame({ commandWidth * double(i), 0, commandWidth, m_buttomViewH });

    ui::Rect center { 0, 0, width, std::max(0.0, height - m_buttomViewH) };
    m_centerView->setFrame(center);
    m_backImageView->setFrame(center);
    m_collectionView->setFrame({ kSide, kSwatchRowTop, width - 2 * kSide, kSwatchRowHeight });
    double rowTop = kSwatchRowTop + kSwatchRowHeight;
    double rowMid = rowTop + (center.height() - rowTop) / 2;
    m_penButton->setFrame({ kSide - 4, rowMid - 18, 36, 36 });
    m_sliderView->setFrame({ kSide + 40, rowMid - 15, width - 2 * kSide - 40 - 36, 30 });
    m_ballView->setCenter({ width - kSide - 16, rowMid });

    if (!m_lastIndex) {
        selectSwatch(0);
        m_ballView->setBallSize(0);
    }
}
