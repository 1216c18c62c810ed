#include "doodle/QYMosaicImageViewController.h"

#include "ui/NavigationBar.h"
#include "ui/StatusBar.h"

std::weak_ptr<QYMosaicImageViewController> QYMosaicImageViewController::weakSelf()
{
    return std::static_pointer_cast<QYMosaicImageViewController>(shared_from_this());
}

const std::shared_ptr<DWDrawView>& QYMosaicImageViewController::drawView()
{
    if (!m_drawView) {
        ui::Rect frame = view()->frame();
        m_drawView = DWDrawView::make({ 0, 0, frame.width(), frame.height() - ui::NavigationBar::kHeight - ui::StatusBar::kHeight });
        m_drawView->delegate = std::static_pointer_cast<DWDrawViewDelegate>(
            std::static_pointer_cast<QYMosaicImageViewController>(shared_from_this()));
    }
    return m_drawView;
}

void QYMosaicImageViewController::viewDidLoad()
{
    setTitle(std::string(kTitle));
    view()->setBackgroundColor(ui::Color::whiteColor());
    auto weak = weakSelf();
    navigationItem().rightBarButtonItem = ui::BarButtonItem::withTitle(kPanelButtonTitle, [weak] {
        if (auto self = weak.lock())
            self->setting();
    });
    view()->addSubview(drawView());
    m_drawView->showSettingBoard();
    m_drawView->setDrawBoardImage(m_image);
}

void QYMosaicImageViewController::viewWillDisappear(bool)
{
    // Leaving the screen takes its panel along.
    if (m_drawView)
        m_drawView->hideSettingBoard();
}

void QYMosaicImageViewController::setting() { drawView()->showSettingBoard(); }

void QYMosaicImageViewController::drawView(DWDrawView&, int action)
{
    if (action == CameraAction) {
        // Without a camera nothing opens; the bar button brings the panel back.
        if (ui::ImagePickerController::isSourceTypeAvailable(ui::ImagePickerController::SourceType::Camera))
            presentPicker(ui::ImagePickerController::SourceType::Camera);
    } else if (action == AlbumAction) {
        presentPicker(ui::ImagePickerController::SourceType::PhotoLibrary);
    }
}

void QYMosaicImageViewController::presentPicker(ui::ImagePickerController::SourceType source)
{
    auto picker = ui::ImagePickerController::make();
    picker->setSourceType(source);
    picker->allowsEditing = false;
    auto weak = weakSelf();
    picker->didFinishPickingMedia = [weak](ui::ImagePickerController& p, const ui::ImagePickerInfo& info) {
        if (auto self = weak.lock())
            self->didFinishPickingMedia(p, info);
        else
            p.dismissViewController(true);
    };
    picker->didCancel = [weak](ui::ImagePickerController& p) {
        if (auto self = weak.lock())
            self->imagePickerControllerDidCancel(p);
        else
            p.dismissViewController(true);
    };
    presentViewController(picker, true);
}

void QYMosaicImageViewController::didFinishPickingMedia(ui::ImagePickerController& picker, const ui::ImagePickerInfo& info)
{
    if (info.originalImage) {
        m_image = info.originalImage;
        drawView()->setDrawBoardImage(m_image);
    }
    auto weak = weakSelf();
    picker.dismissViewController(true, [weak] {
        if (auto self = weak.lock())
            self->drawView()->showSettingBoard();
    });
}

void QYMosaicImageViewController::imagePickerControllerDidCancel(ui::ImagePickerController& picker)
{
    auto weak = weakSelf();
    picker.dismissViewController(true, [weak] {
        if (auto self = weak.lock())
            self->drawView()->showSettingBoard();
    });
}
