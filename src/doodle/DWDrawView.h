#pragma once
#include <memory>

#include "doodle/DWDrawSettingBoard.h"
#include "doodle/DWDrawingBoard.h"
#include "ui/ImageView.h"
#include "ui/NotificationCenter.h"
#include "widgets/ZXCustomWindow.h"

class DWDrawView;

// The host of a doodle view: asked for a new photo when the user chooses the
// camera or the album on the panel.
class DWDrawViewDelegate {
public:
    enum Action { AlbumAction = 0, CameraAction = 1 };
    virtual ~DWDrawViewDelegate() = default;
    // Called synchronously from the panel's command, after the panel started
    // to slide away.
    virtual void drawView(DWDrawView& view, int action) = 0;
};

// The photo with the drawing surface over it, and the pen panel that slides up
// from below the screen; the panel's commands become actions on the surface
// or requests to the delegate.
class DWDrawView : public ui::View {
public:
    static constexpr double kAnimationTime = 0.25;

    static std::shared_ptr<DWDrawView> make(const ui::Rect& frame);
    explicit DWDrawView(const ui::Rect& frame);
    ~DWDrawView() override;

    std::string className() const override { return "DWDrawView"; }

    const std::shared_ptr<ui::ImageView>& boardImage() const { return m_boardImage; }
    const std::shared_ptr<DWDrawingBoard>& drawBoard() const { return m_drawBoard; }
    // Made on first use, just below the screen.
    const std::shared_ptr<DWDrawSettingBoard>& settingBoard();
    const std::shared_ptr<ZXCustomWindow>& drawWindow();

    std::weak_ptr<DWDrawViewDelegate> delegate;

    void showSettingBoard();
    void hideSettingBoard();
    // Shows the photo under the strokes (scaled to fit), or none.
    void setDrawBoardImage(ui::ImagePtr image);

private:
    void setUp();
    void settingType(int type);

    std::shared_ptr<ui::ImageView> m_boardImage;
    std::shared_ptr<DWDrawingBoard> m_drawBoard;
    std::shared_ptr<DWDrawSettingBoard> m_settingBoard;
    std::shared_ptr<ZXCustomWindow> m_drawWindow;
    ui::NotificationCenter::Token m_penObserver = 0;
};
