#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "doodle/DWBallColorModel.h"
#include "doodle/DWBackImageBoard.h"
#include "doodle/DWColorBall.h"
#include "ui/Button.h"
#include "ui/CollectionView.h"
#include "ui/Slider.h"

// The pen panel that slides up under the doodle: seven colour swatches, the
// width slider with its preview ball, and a bar of commands. Each command is
// handed on as a setting type; colour and width changes are announced by the
// ball's notification, after which the panel answers getLineColor/Width.
class DWDrawSettingBoard : public ui::View {
public:
    enum SettingType { PenSetting = 0, OpenCamera, OpenAlbum, SaveImage, Eraser, Back, Revocation, ClearAll };
    static constexpr double kHeight = 191;
    static constexpr double kBallSize = 16;
    static constexpr int kCommandCount = 7;
    static constexpr const char* kSwatchIdentifier = "collectionCellID";

    static const std::vector<std::string>& colors();
    static std::shared_ptr<DWDrawSettingBoard> make(const ui::Rect& frame);
    explicit DWDrawSettingBoard(const ui::Rect& frame);
    std::string className() const override { return "DWDrawSettingBoard"; }

    // The receiver of setting types, called synchronously from the button's
    // action; it may hide the panel but not release it.
    void getSettingType(std::function<void(int type)> receiver) { m_stype = std::move(receiver); }
    ui::Color getLineColor() const { return m_ballView->ballColor(); }
    double getLineWidth() const { return m_ballView->lineWidth(); }

    const std::shared_ptr<ui::CollectionView>& collectionView() const { return m_collectionView; }
    const std::shared_ptr<DWColorBall>& ballView() const { return m_ballView; }
    const std::shared_ptr<ui::Slider>& sliderView() const { return m_sliderView; }
    const std::shared_ptr<ui::View>& centerView() const { return m_centerView; }
    const std::shared_ptr<ui::View>& buttomView() const { return m_buttomView; }
    double buttomViewH() const { return m_buttomViewH; }
    const std::shared_ptr<DWBackImageBoard>& backImageView() const { return m_backImageView; }
    const std::shared_ptr<ui::CollectionView>& collectionImageBoardView() const { return m_collectionImageBoardView; }
    const std::vector<DWBallColorModel>& colorSelectModels() const { return m_colorSelectModels; }
    std::optional<int> lastIndexPath() const { return m_lastIndex; }
    // The button that sends `type`.
    std::shared_ptr<ui::Button> button(SettingType type) const;

    // Shows the eraser command as switched on or off.
    void setEraserSelected(bool selected);

    void layoutSubviews() override;

private:
    void setUp();
    std::shared_ptr<ui::Button> makeButton(const std::string& image, SettingType type);
    void send(SettingType type);
    void penSetting();
    ui::CollectionViewCellPtr swatchCell(ui::CollectionView& grid, const ui::IndexPath& indexPath);
    void selectSwatch(int item);

    std::function<void(int)> m_stype;
    std::shared_ptr<ui::View> m_centerView;
    std::shared_ptr<ui::CollectionView> m_collectionView;
    std::shared_ptr<DWColorBall> m_ballView;
    std::shared_ptr<ui::Slider> m_sliderView;
    std::shared_ptr<ui::Button> m_penButton;
    std::shared_ptr<ui::View> m_buttomView;
    std::vector<std::shared_ptr<ui::Button>> m_commands;
    double m_buttomViewH = 0;
    std::shared_ptr<DWBackImageBoard> m_backImageView;
    std::shared_ptr<ui::CollectionView> m_collectionImageBoardView;
    std::vector<DWBallColorModel> m_colorSelectModels;
    std::optional<int> m_lastIndex;
};
