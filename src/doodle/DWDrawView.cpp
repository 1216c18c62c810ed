#include "doodle/DWDrawView.h"

#include <sstream>

#include "platform/Log.h"
#include "ui/Application.h"
#include "ui/Screen.h"
#include "widgets/ColorHex.h"

DWDrawView::DWDrawView(const ui::Rect& frame)
    : ui::View(frame)
    , m_boardImage(std::make_shared<ui::ImageView>(bounds()))
{
}

std::shared_ptr<DWDrawView> DWDrawView::make(const ui::Rect& frame)
{
    auto view = std::make_shared<DWDrawView>(frame);
    view->setUp();
    return view;
}

DWDrawView::~DWDrawView()
{
    ui::NotificationCenter::shared().removeObserver(m_penObserver);
    // The panel's window must not outlive the screen it belongs to.
    if (m_drawWindow)
        ui::Application::shared().removeWindow(m_drawWindow.get());
}

void DWDrawView::setUp()
{
    unsigned flexible = ui::FlexibleWidth | ui::FlexibleHeight;
    m_boardImage->setContentMode(ui::ContentMode::ScaleAspectFit);
    m_boardImage->setAutoresizingMask(flexible);
    addSubview(m_boardImage);
    m_drawBoard = DWDrawingBoard::make(bounds());
    m_drawBoard->setAutoresizingMask(flexible);
    addSubview(m_drawBoard);

    m_drawBoard->drawingStatus([](int status, const DWDrawModelPtr& model) {
        if (status != DWDrawingBoard::Ended || !model || !platform::log::isEnabled())
            return;
        std::ostringstream points;
        for (const auto& point : model->pointList)
            points << "(" << point.x << ", " << point.y << ")";
        platform::log::line("doodle", "结束 ： " + points.str() + " - " + (model->isEraser ? "1" : "0") + " - " + model->paintColor);
    });

    std::weak_ptr<ui::View> weak = sharedView();
    m_penObserver = ui::NotificationCenter::shared().addObserver(sharedView(), DWColorBall::kNotification,
        [weak](const ui::Notification&) {
            auto self = std::static_pointer_cast<DWDrawView>(weak.lock());
            if (!self)
                return;
            const auto& panel = self->settingBoard();
            self->m_drawBoard->setLineColor(panel->getLineColor());
            self->m_drawBoard->setLineWidth(panel->getLineWidth());
        });
}

const std::shared_ptr<DWDrawSettingBoard>& DWDrawView::settingBoard()
{
    if (!m_settingBoard) {
        ui::Size screen = ui::Screen::main().size();
        m_settingBoard = DWDrawSettingBoard::make({ 0, screen.height, screen.width, DWDrawSettingBoard::kHeight });
        std::weak_ptr<ui::View> weak = sharedView();
        m_settingBoard->getSettingType([weak](int type) {
            if (auto self = std::static_pointer_cast<DWDrawView>(weak.lock()))
                self->settingType(type);
        });
        m_settingBoard->setEraserSelected(DWDrawingBoard::isEraserOn());
        // The first layout chooses the first colour and the thinnest pen,
        // which the surface takes at once.
        m_settingBoard->layoutIfNeeded();
    }
    return m_settingBoard;
}

const std::shared_ptr<ZXCustomWindow>& DWDrawView::drawWindow()
{
    if (!m_drawWindow)
        m_drawWindow = ZXCustomWindow::make(settingBoard());
    return m_drawWindow;
}

void DWDrawView::showSettingBoard() { drawWindow()->showWithAnimationTime(kAnimationTime); }

void DWDrawView::hideSettingBoard()
{
    if (m_drawWindow && !m_drawWindow->isHidden())
        m_drawWindow->hideWithAnimationTime(kAnimationTime);
}

void DWDrawView::setDrawBoardImage(ui::ImagePtr image) { m_boardImage->setImage(std::move(image)); }

void DWDrawView::settingType(int type)
{
    auto keep = sharedView();
    auto askDelegate = [this](int action) {
        if (auto host = delegate.lock())
            host->drawView(*this, action);
    };
    switch (type) {
    case DWDrawSettingBoard::OpenCamera:
        hideSettingBoard();
        askDelegate(DWDrawViewDelegate::CameraAction);
        break;
    case DWDrawSettingBoard::OpenAlbum:
        hideSettingBoard();
        askDelegate(DWDrawViewDelegate::AlbumAction);
        break;
    case DWDrawSettingBoard::SaveImage:
        hideSettingBoard();
        m_drawBoard->saveCurrentImageToAlbum();
        break;
    case DWDrawSettingBoard::Eraser:
        m_drawBoard->eraser();
        settingBoard()->setEraserSelected(DWDrawingBoard::isEraserOn());
        break;
    case DWDrawSettingBoard::Back: m_drawBoard->backToLastDraw(); break;
    case DWDrawSettingBoard::Revocation: m_drawBoard->regeneration(); break;
    case DWDrawSettingBoard::ClearAll: m_drawBoard->clearAll(); break;
    default: break; // the pen settings change nothing here
    }
}
